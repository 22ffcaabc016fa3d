// A built program run as a user's script runs it: its input from a file, its output and errors
// kept in files, all in a folder of its own, so that tests can run side by side.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh folder, removed with everything in it when this goes.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

class Program {
  public:
    // Starts `path` with `arguments`, reading `input` on its standard input.
    Program(const std::string& path, const std::vector<std::string>& arguments,
            const std::string& input);
    ~Program(); // kills the program if it still runs

    // Waits up to 10 s for the program to end: its exit status, 128 + the signal that ended it,
    // or -1 after killing it.
    int status();

    // Once it has ended: what it wrote, and its peak memory.
    std::string output() const;
    std::string errors() const;
    long peakKilobytes() const { return peakKilobytes_; }

  private:
    ScratchFolder folder_;
    pid_t pid_ = -1;
    std::optional<int> status_;
    long peakKilobytes_ = 0;
};

// The whole of a file; empty when there is none.
std::string contents(const std::string& path);
