// The built programs, run through the shell as a script runs them, each run in a folder of its own.
#pragma once

#include "program/dialogue.h"

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
    int status; // the exit status, 128 + the signal that ended it, or 124 when stopped after 10 s
    std::string output, errors;
};

// The shell command on `input`, with a umask of 022, for 10 s at most.
Ran run(const std::string& command, const std::string& input);
