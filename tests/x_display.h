// A real X server seen from a test: find a window by its title and take its picture.
#pragma once

#include "screen.h"

#include <optional>

// Connects to $DISPLAY once per process; null when there is no X server to be had.
struct XConnection;
XConnection* connectToDisplay();

struct WindowInfo {
    unsigned long id;
    int width;
    int height;
};

// Waits up to `seconds` for a window with exactly this title.
std::optional<WindowInfo> waitForWindow(XConnection* connection, const char* title, double seconds);

// The window's current contents.
Image grabWindow(XConnection* connection, const WindowInfo& window);
