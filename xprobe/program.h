// The programs as the tests run them: built, through the shell as a script runs them, with their
// input from a file and their output and errors kept in files, all in a folder of their own so
// that tests can run side by side; or their dialogues in-process.
#pragma once

#include "command_line.h"
#include "scene.h"

#include <algorithm>
#include <cmath>
#include <string>

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

struct Ran {
    int status; // the exit status; 124 when it was stopped after 10 s
    std::string output, errors;
};

// Runs the shell command with `input` on its standard input, until it ends or 10 s have passed.
Ran run(const std::string& command, const std::string& input);

// Runs the program's dialogue in-process on `input`, on a fresh scene, its prompts and report
// thrown away; whether it accepted.
bool converse(const Tool& tool, std::string input);

// Whether the scene holds nothing but finite numbers, judged apart from the programs' own check.
inline bool holdsOnlyFiniteValues(const Scene& s) {
    const auto finite = [](Point p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    return std::all_of(s.points.begin(), s.points.end(), finite) &&
           std::all_of(s.segments.begin(), s.segments.end(),
                       [&](Segment g) { return finite(g.from) && finite(g.to); }) &&
           std::all_of(s.circles.begin(), s.circles.end(),
                       [&](Circle c) { return finite(c.centre) && std::isfinite(c.radius); });
}
