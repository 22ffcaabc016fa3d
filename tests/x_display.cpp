#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

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

// Windows vanish while we walk the tree; a failed request must not end the test process.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

std::optional<Window> findViewable(Display* display, const char* title, WindowInfo& info) {
    XSync(display, False);
    const std::optional<Window> window = findWindow(display, DefaultRootWindow(display), title);
    XWindowAttributes attributes;
    if (!window || !XGetWindowAttributes(display, *window, &attributes) ||
        attributes.map_state != IsViewable) {
        return std::nullopt;
    }
    info = {*window, attributes.width, attributes.height};
    return window;
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
    XSetErrorHandler(ignoreError);
    return connection.display ? &connection : nullptr;
}

std::optional<WindowInfo> waitForWindow(XConnection* connection, const char* title,
                                        double seconds) {
    WindowInfo info{};
    if (!waitUntil(seconds, [&] { return findViewable(connection->display, title, info); })) {
        return std::nullopt;
    }
    return info;
}

bool waitForNoWindow(XConnection* connection, const char* title, double seconds) {
    return waitUntil(seconds, [&] {
        XSync(connection->display, False);
        return !findWindow(connection->display, DefaultRootWindow(connection->display), title);
    });
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
