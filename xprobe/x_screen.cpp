#include "x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

Display* display() {
    static Display* connection = XOpenDisplay(nullptr);
    return connection;
}

// Windows vanish while the tree is walked; a failed request must not end the test.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

bool hasTitle(Window window, const char* title) {
    char* name = nullptr;
    const bool match = XFetchName(display(), window, &name) && std::strcmp(name, title) == 0;
    XFree(name);
    return match;
}

std::optional<Window> search(Window parent, const char* title) {
    if (hasTitle(parent, title)) {
        return parent;
    }
    Window root = 0, grandparent = 0, *children = nullptr;
    unsigned int n = 0;
    std::optional<Window> found;
    if (XQueryTree(display(), parent, &root, &grandparent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i) {
            found = search(children[i], title);
        }
        XFree(children);
    }
    return found;
}

std::optional<WindowInfo> viewable(const char* title) {
    XSync(display(), False);
    const std::optional<Window> window = search(DefaultRootWindow(display()), title);
    XWindowAttributes a;
    if (!window || !XGetWindowAttributes(display(), *window, &a) || a.map_state != IsViewable) {
        return std::nullopt;
    }
    return WindowInfo{*window, a.width, a.height};
}

int channel(unsigned long pixel, unsigned long mask) {
    return int((pixel & mask) >> __builtin_ctzl(mask));
}

void send(WindowInfo window, XEvent& event, long mask) {
    XSendEvent(display(), window.id, False, mask, &event);
    XFlush(display());
}

} // namespace

bool haveDisplay() {
    XSetErrorHandler(ignoreError);
    return display() != nullptr;
}

bool windowShown(const char* title) {
    return viewable(title).has_value();
}

std::optional<WindowInfo> awaitWindow(const char* title) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        const std::optional<WindowInfo> window = viewable(title);
        if (window && grab(*window).count({0, 0}, 0, background) == 1) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

Image grab(WindowInfo window) {
    XImage* shot = XGetImage(display(), window.id, 0, 0, unsigned(window.width),
                             unsigned(window.height), AllPlanes, ZPixmap);
    if (!shot) {
        return {};
    }
    Image image{window.width, window.height, {}};
    for (int y = 0; y < window.height; ++y) {
        for (int x = 0; x < window.width; ++x) {
            const unsigned long p = XGetPixel(shot, x, y);
            for (const unsigned long mask : {shot->red_mask, shot->green_mask, shot->blue_mask}) {
                image.rgb.push_back(std::uint8_t(channel(p, mask)));
            }
        }
    }
    XDestroyImage(shot);
    return image;
}

void closeWindow(WindowInfo window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.id;
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    send(window, event, NoEventMask);
}

void pressKey(WindowInfo window, const char* key) {
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.display = display();
    event.xkey.window = window.id;
    event.xkey.root = DefaultRootWindow(display());
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display(), XStringToKeysym(key));
    send(window, event, KeyPressMask);
}
