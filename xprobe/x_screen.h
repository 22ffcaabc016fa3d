// A real X server seen from a test: a window found by title, its pixels, and a user closing it.
#pragma once

#include "image.h"

#include <optional>

// False when no X server can be reached at $DISPLAY.
bool haveDisplay();

struct WindowInfo {
    unsigned long id;
    int width, height;
};

// The viewable window with this title, once its first frame has reached the screen (the
// background shows in its corner); nothing if there is none within 10 s.
std::optional<WindowInfo> awaitWindow(const char* title);

// Whether a viewable window with this title is there now.
bool windowShown(const char* title);

// The window's pixels; an empty image when the window has gone.
Image grab(WindowInfo window);

// As a window manager's close button does (WM_DELETE_WINDOW).
void closeWindow(WindowInfo window);

// As a user typing the key with this X name ("Escape", "q") into the window.
void pressKey(WindowInfo window, const char* key);
