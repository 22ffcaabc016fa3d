// What the tests and the benchmark see of the programs: their runs, pictures and X windows.
#pragma once

#include "picture/scene.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

std::string contents(const std::string& path);

// Far beyond what a healthy command takes on a busy machine; a hung one is stopped once past it.
inline constexpr int patienceSeconds = 300;

struct Ran {
    int status;                 // the exit status, or 128 + the signal that ended it
    std::string output, errors; // errors end in a line saying so where the command was stopped
};

// The shell command on `input`, with a umask of 022, stopped with SIGKILL after patienceSeconds.
Ran run(const std::string& command, const std::string& input);

// The background, and the palette indexed by Colour, as 0xRRGGBB in an 8-bit picture.
inline constexpr int background = 0xe6e6cc;
inline constexpr int palette8[] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x00ffff, 0x000000};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb; // rows from the top

    // Each level within 2, as 0.5 and 0.9 fall between two 8-bit levels; never outside.
    bool shows(int x, int y, int colour) const;
};

Image readPng(const std::string& png);

struct WindowInfo {
    unsigned long id;
    int width, height, x, y, right, bottom;
};

std::optional<WindowInfo> findWindow(const char* title);

// That window once its first frame shows; nothing once `running` is false or patience runs out.
std::optional<WindowInfo> awaitWindow(const char* title, const std::function<bool()>& running);

Image grab(WindowInfo window);

// As a window manager's close button does, or a user typing the key of this X name.
void closeWindow(WindowInfo window, const char* key = nullptr);
