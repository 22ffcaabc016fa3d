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

// Far beyond what a healthy command takes on a busy machine; a hung one is stopped once past it.
inline constexpr int patienceSeconds = 300;

struct Ran {
    int status;                 // the exit status, or 128 + the signal that ended it
    std::string output, errors; // errors end in a line saying so where the command was stopped
};

// The shell command on `input`, with a umask of 022, stopped with SIGKILL after patienceSeconds.
Ran run(const std::string& command, const std::string& input);
