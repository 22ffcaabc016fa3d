#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <thread>

struct XConnection {
    Display* display;
};

namespace {

bool hasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    const bool match = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
    XFree(name);
    return match;
}

std::optional<Window> findWindow(Display* display, Window parent, const char* title) {
    if (hasTitle(display, parent, title)) {
        return parent;
    }
    Window root = 0, grandparent = 0, *children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (XQueryTree(display, parent, &root, &grandparent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            found = findWindow(display, children[i], title);
        }
        XFree(children);
    }
    return found;
}

int channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return int((pixel >> shift) & mask);
}

} // namespace

XConnection* connectToDisplay() {
    static XConnection connection{XOpenDisplay(nullptr)};
    return connection.display ? &connection : nullptr;
}

std::optional<WindowInfo> waitForWindow(XConnection* connection, const char* title,
                                        double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        XSync(connection->display, False);
        const std::optional<Window> window =
            findWindow(connection->display, DefaultRootWindow(connection->display), title);
        XWindowAttributes attributes;
        if (window && XGetWindowAttributes(connection->display, *window, &attributes) &&
            attributes.map_state == IsViewable) {
            return WindowInfo{*window, attributes.width, attributes.height};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

Image grabWindow(XConnection* connection, const WindowInfo& window) {
    XImage* picture = XGetImage(connection->display, window.id, 0, 0, unsigned(window.width),
                                unsigned(window.height), AllPlanes, ZPixmap);
    Image image{window.width, window.height, {}};
    if (!picture) {
        return image;
    }
    image.rows.reserve(std::size_t(window.width) * std::size_t(window.height));
    for (int y = 0; y < window.height; ++y) {
        for (int x = 0; x < window.width; ++x) {
            const unsigned long pixel = XGetPixel(picture, x, y);
            image.rows.push_back({channel(pixel, picture->red_mask),
                                  channel(pixel, picture->green_mask),
                                  channel(pixel, picture->blue_mask)});
        }
    }
    XDestroyImage(picture);
    return image;
}
