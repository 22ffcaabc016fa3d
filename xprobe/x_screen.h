// A real X server with no window manager, seen from a test: windows, their pixels, a user closing.
#pragma once

#include "image.h"

#include <functional>
#include <optional>

struct WindowInfo {
    unsigned long id;
    int width, height;
    int x, y; // on the screen
};

// The screen itself, as a window.
WindowInfo screenSize();

// The viewable top-level window with this title, if there is one now.
std::optional<WindowInfo> findWindow(const char* title);

// That window once its first frame shows; nothing after patienceSeconds, once `running` says the
// program has ended, or at once without an X server.
std::optional<WindowInfo> awaitWindow(
    const char* title, const std::function<bool()>& running = [] { return true; });

// Empty when the window has gone.
Image grab(WindowInfo window);

// As a window manager's close button does, or a user typing the key of this X name.
void closeWindow(WindowInfo window, const char* key = nullptr);
