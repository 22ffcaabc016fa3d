// A built program run the way a user's script would: standard streams on pipes, and its exit
// status and peak memory once it ends. Used by the tests and the benchmark.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

class Program {
  public:
    static constexpr int closedOutput = -1;

    // Starts `path` with its standard streams on pipes. `output`, when given, becomes its
    // standard output instead (a file descriptor), or that stream is closed (closedOutput).
    explicit Program(const char* path, int output = pipeOutput);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void write(const std::string& text) const;
    void endInput(); // the program reads end of input once it has read what was written

    // What arrives on standard output (or error) until `expected` has come whole, the stream
    // ends, or 10 s pass.
    std::string output(const std::string& expected = "") const;
    std::string errors() const;

    // Waits up to 10 s for the program to end: its exit status, 128 + the signal that ended it,
    // or -1 after killing a program that did not end.
    int status();

    long peakKilobytes() const { return peakKilobytes_; } // once status() has returned

  private:
    static constexpr int pipeOutput = -2;

    pid_t pid_;
    int in_, out_, err_; // our ends of the pipes
    std::optional<int> status_;
    long peakKilobytes_ = 0;
};
