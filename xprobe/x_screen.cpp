#include "probe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <thread>

// Windows vanish while they are looked at; a failed request must not end the test.
static Display* display() {
    static Display* connection =
        (XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }), XOpenDisplay(nullptr));
    return connection;
}

bool Image::shows(int x, int y, int colour) const {
    const auto at = [&](int i) {
        return int(rgb[3 * std::size_t(y * width + x) + std::size_t(i)]);
    };
    return x >= 0 && y >= 0 && x < width && y < height && std::abs(at(0) - (colour >> 16)) <= 2 &&
           std::abs(at(1) - (colour >> 8 & 0xff)) <= 2 && std::abs(at(2) - (colour & 0xff)) <= 2;
}

Image readPng(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    Image read{int(image.width), int(image.height),
               std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    png_image_finish_read(&image, nullptr, read.rgb.data(), 0, nullptr);
    return read;
}

std::optional<WindowInfo> findWindow(const char* title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    std::optional<WindowInfo> found;
    XSync(display(), False);
    XWindowAttributes screen, a;
    XGetWindowAttributes(display(), DefaultRootWindow(display()), &screen);
    XQueryTree(display(), DefaultRootWindow(display()), &root, &parent, &children, &n);
    for (unsigned int i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display(), children[i], &name) && std::strcmp(name, title) == 0 &&
            XGetWindowAttributes(display(), children[i], &a) && a.map_state == IsViewable) {
            const int right = screen.width - a.x - a.width, bottom = screen.height - a.y - a.height;
            found = WindowInfo{children[i], a.width, a.height, a.x, a.y, right, bottom};
        }
        XFree(name);
    }
    XFree(children);
    return found;
}

std::optional<WindowInfo> awaitWindow(const char* title, const std::function<bool()>& running) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(patienceSeconds);
    while (display() && running() && std::chrono::steady_clock::now() < deadline) {
        const std::optional<WindowInfo> window = findWindow(title);
        const Image shot = window ? grab(*window) : Image{};
        if (shot.shows(0, 0, background)) {
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
