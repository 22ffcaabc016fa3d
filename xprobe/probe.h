// What the tests and the benchmark see of the programs: runs as a script makes them, pictures as
// pixels against what a scene must show, and windows in a real X server with no window manager.
#pragma once

#include "picture/scene.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A fresh folder, removed with all it holds when this goes.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

// The whole of a file; empty when there is none.
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

    // Each level within 2: 0.5 and 0.9 fall between two 8-bit levels.
    bool shows(int x, int y, int colour) const;
};

// Empty unless `png` holds a PNG file.
Image readPng(const std::string& png);

// The window's eye, 45 degrees over 700 rows, at twice the box's larger extent (in float) over it:
// the point at the window's middle, and pixels per unit of the plane.
struct View {
    double x, y, scale;
};
View viewOf(geom::BoundingBox box);

// In pixels from the window's top-left corner.
struct Spot {
    double x, y;
};
Spot spotOf(View view, double x, double y);

// The window draws circles as 100-gons; an SVG renderer draws them true.
enum class Outlines : std::uint8_t { Polygons, Circles };

// The pixels unlike the last shape that surely paints them, or the background where none may,
// counted and the first named; not a shape's uncertain edge, nor within 10 of a name's place.
std::string mismatches(const Image& image, const geom::Scene& shown, View view, Outlines outlines,
                       const std::vector<Spot>& names = {});

// A window, or the screen, and where it stands on the screen.
struct WindowInfo {
    unsigned long id;
    int width, height, x, y;
};
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
