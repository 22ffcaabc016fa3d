#include "x_screen.h"

#include "program.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

// Windows vanish while they are looked at; a failed request must not end the test.
Display* display() {
    static Display* connection =
        (XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }), XOpenDisplay(nullptr));
    return connection;
}

} // namespace

std::optional<WindowInfo> findWindow(const char* title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    std::optional<WindowInfo> found;
    XSync(display(), False);
    XQueryTree(display(), DefaultRootWindow(display()), &root, &parent, &children, &n);
    for (unsigned int i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes a;
        if (XFetchName(display(), children[i], &name) && std::strcmp(name, title) == 0 &&
            XGetWindowAttributes(display(), children[i], &a) && a.map_state == IsViewable) {
            found = WindowInfo{children[i], a.width, a.height, a.x, a.y};
        }
        XFree(name);
    }
    XFree(children);
    return found;
}

WindowInfo screenSize() {
    const Window root = DefaultRootWindow(display());
    XWindowAttributes a;
    XGetWindowAttributes(display(), root, &a);
    return {root, a.width, a.height, 0, 0};
}

std::optional<WindowInfo> awaitWindow(const char* title, const std::function<bool()>& running) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(patienceSeconds);
    while (display() && running() && std::chrono::steady_clock::now() < deadline) {
        const std::optional<WindowInfo> window = findWindow(title);
        const Image shot = window ? grab(*window) : Image{};
        if (!shot.rgb.empty() && shot.shows(0, 0, background)) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

Image grab(WindowInfo window) {
    XImage* shot = XGetImage(display(), window.id, 0, 0, unsigned(window.width),
                             unsigned(window.height), AllPlanes, ZPixmap);
    Image image{shot ? window.width : 0, shot ? window.height : 0, {}};
    for (int at = 0; at < image.width * image.height; ++at) {
        const unsigned long p = XGetPixel(shot, at % image.width, at / image.width);
        image.rgb.insert(image.rgb.end(),
                         {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
    }
    if (shot) {
        XDestroyImage(shot);
    }
    return image;
}

void closeWindow(WindowInfo window, const char* key) {
    XEvent event{};
    event.xany.window = window.id;
    if (key) {
        event.xkey.type = KeyPress;
        event.xkey.keycode = XKeysymToKeycode(display(), XStringToKeysym(key));
    } else {
        event.xclient.type = ClientMessage;
        event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    }
    XSendEvent(display(), window.id, False, key ? KeyPressMask : NoEventMask, &event);
    XFlush(display());
}
