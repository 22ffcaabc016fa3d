#include "x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

Display* display() {
    static Display* connection = XOpenDisplay(nullptr);
    return connection;
}

// Windows vanish while the tree is walked; a failed request must not end the test process.
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

int channel(unsigned long pixel, unsigned long mask) {
    const int shift = __builtin_ctzl(mask);
    return int((pixel & mask) >> shift);
}

} // namespace

int Image::count(Pixel p, int radius, Rgb c) const {
    int n = 0;
    for (int y = std::max(0, p.y - radius); y <= std::min(height - 1, p.y + radius); ++y) {
        for (int x = std::max(0, p.x - radius); x <= std::min(width - 1, p.x + radius); ++x) {
            const Rgb s = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            // 0.5 and 0.9 fall between two 8-bit levels.
            n += std::abs(s.r - c.r) <= 2 && std::abs(s.g - c.g) <= 2 && std::abs(s.b - c.b) <= 2;
        }
    }
    return n;
}

Pixel project(Camera camera, float x, float y) {
    // A 45 degree field of view shows 2 d tan(22.5 deg) of the plane at distance d.
    const double halfHeight = camera.distance * std::tan(M_PI / 8.0);
    const double halfWidth = halfHeight * windowWidth / windowHeight;
    return {int(std::floor((1.0 + (x - camera.centreX) / halfWidth) * 0.5 * windowWidth)),
            int(std::floor((1.0 - (y - camera.centreY) / halfHeight) * 0.5 * windowHeight))};
}

bool haveDisplay() {
    XSetErrorHandler(ignoreError);
    return display() != nullptr;
}

std::optional<WindowInfo> findWindow(const char* title) {
    XSync(display(), False);
    const std::optional<Window> window = search(DefaultRootWindow(display()), title);
    XWindowAttributes a;
    if (!window || !XGetWindowAttributes(display(), *window, &a) || a.map_state != IsViewable) {
        return std::nullopt;
    }
    return WindowInfo{*window, a.width, a.height};
}

Image grab(WindowInfo window, int width, int height) {
    XImage* shot = XGetImage(display(), window.id, 0, 0, unsigned(width), unsigned(height),
                             AllPlanes, ZPixmap);
    if (!shot) {
        return {}; // the window went away
    }
    Image image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(shot, x, y);
            image.pixels.push_back({channel(p, shot->red_mask), channel(p, shot->green_mask),
                                    channel(p, shot->blue_mask)});
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
    XSendEvent(display(), window.id, False, NoEventMask, &event);
    XFlush(display());
}

bool firstFrameShown(WindowInfo window) {
    return grab(window, 1, 1).count({0, 0}, 0, background) == 1;
}
