// A real X server seen from a test: find a window by its title and take its picture.
#pragma once

#include "screen.h"

#include <chrono>
#include <optional>
#include <thread>

// Polls `condition` until it holds or `seconds` have passed; true if it held.
template <typename Condition> bool waitUntil(double seconds, Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

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

// Waits up to `seconds` until no window has this title (a killed program's window lingers
// until the server has noticed its client is gone).
bool waitForNoWindow(XConnection* connection, const char* title, double seconds);

// The window's current contents.
Image grabWindow(XConnection* connection, const WindowInfo& window);
