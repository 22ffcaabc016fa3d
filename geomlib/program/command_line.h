// What both programs share around their dialogues: the options, and what follows an accepted
// input: the window, a picture file, or nothing but the report.
#pragma once

#include "picture/window_settings.h"
#include "program/dialogue.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace geom {

enum class Action : std::uint8_t { Show, Save, ReportOnly, Help, Version, Misuse };

enum class PictureFormat : std::uint8_t { Png, Svg };

struct Options {
    Action action = Action::Show;
    std::string picture;                   // the file to save, for Save
    bool names = false;                    // the vertices named in the picture
    PictureFormat format{};                // of that file
    WindowGeometry window = defaultWindow; // as -geometry gives it
    std::vector<std::string> xOptions;     // for GLUT, when the window opens
    std::string problem;                   // what is wrong, for Misuse
};

// Reads the options as getopt_long_only would: with one dash or two, cut short while they stay
// unambiguous, a value after '=' or in the next word, and -oFILE; GLUT's single-dash words
// (-display, -geometry, ...) are options too. Each misuse is said in words, naming the option as
// typed in printable text.
Options parseOptions(int argc, char** argv);

// Where a console program reads its input and writes its report and what went wrong.
struct Console {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
};

// The whole program: its dialogue decides, its report is printed, and the accepted figure's
// picture is shown in the window or written to a file. Returns the exit status: a misuse ends the
// program with 2 before anything is read; a refused input or a report or picture that could not
// be written, with 1.
int runProgram(const Program& program, int argc, char** argv, Console console);

} // namespace geom
