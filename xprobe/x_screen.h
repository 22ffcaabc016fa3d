// A real X server seen from a test: windows found by title, their pixels, and where the
// viewer's camera puts a point of the plane.
#pragma once

#include "viewer.h"

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

struct Rgb {
    int r, g, b;
};

// As a 24-bit window shows the palette and the background.
inline constexpr Rgb background{230, 230, 204}, red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255},
    yellow{255, 255, 0}, orange{255, 128, 0}, magenta{255, 0, 255}, cyan{0, 255, 255},
    purple{128, 0, 128};

// Window coordinates, from the top-left corner.
struct Pixel {
    int x, y;
    bool operator==(const Pixel&) const = default;
};

struct Image {
    int width = 0, height = 0; // 0 when nothing could be grabbed
    std::vector<Rgb> pixels;   // row by row from the top

    // How many pixels in the square of `radius` around p show `colour`.
    int count(Pixel p, int radius, Rgb colour) const;
};

// Where (x, y) of the plane lands in a windowWidth x windowHeight window.
Pixel project(Camera camera, float x, float y);

// Polls `condition` every `interval` until it holds or `seconds` have passed; true if it held.
template <typename Condition>
bool waitUntil(double seconds, Condition condition,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20)) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
    return true;
}

struct WindowInfo {
    unsigned long id;
    int width, height;
};

// False when no X server can be reached at $DISPLAY.
bool haveDisplay();

// The viewable window with this title, if there is one now.
std::optional<WindowInfo> findWindow(const char* title);

// The window's top-left width x height pixels; no pixels at all when the window is gone.
Image grab(WindowInfo window, int width = windowWidth, int height = windowHeight);

// Asks the window to close, as a window manager does (WM_DELETE_WINDOW).
void closeWindow(WindowInfo window);

// Whether the background has reached the window's corner: the viewer's first frame is on the
// screen.
bool firstFrameShown(WindowInfo window);
