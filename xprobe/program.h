// The programs as the tests run them: built, through the shell as a script runs them, their input
// from a file and their output and errors kept, in a folder of their own so that tests can run side
// by side; or their dialogues in-process.
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

// Runs the shell command with `input` on its standard input and a umask of 022, for 10 s at most.
Ran run(const std::string& command, const std::string& input);

struct Conversation {
    bool accepted;
    std::string transcript; // the prompts, then the report or the refusal
    geom::Scene scene;
};

// Runs the program's dialogue in-process on `input`.
Conversation converse(const geom::Tool& tool, std::string input);
