// Start-up time to the first frame on the screen and peak memory, for each program on its
// example against the blank window (ratios to the first program given). Run in an X server.
#include "x_screen.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int runs = 21;

struct Sample {
    double milliseconds;
    long peakKilobytes;
};

// Starts the program with `input` on standard input and stops it once its first frame shows.
Sample measure(const std::string& program, const std::string& input) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(input.c_str(), O_RDONLY), STDIN_FILENO);
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<WindowInfo> window;
    const bool shown = waitUntil(
        10, [&] { return (window = findWindow(windowTitle)) && firstFrameShown(*window); });
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    kill(pid, SIGTERM);
    rusage usage{};
    wait4(pid, nullptr, 0, &usage);
    waitUntil(10, [] { return !findWindow(windowTitle); });
    return {shown ? elapsed.count() : -1.0, usage.ru_maxrss};
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 || !haveDisplay()) {
        std::fprintf(stderr,
                     "usage, in an X server: %s BLANK_WINDOW ONE_SEGMENT_WINDOW TRIMAP PARAQUAD\n",
                     argv[0]);
        return 2;
    }
    const std::string examples = EXAMPLES_DIR;
    const std::vector<std::pair<std::string, std::string>> programs = {
        {argv[1], "/dev/null"},
        {argv[2], "/dev/null"},
        {argv[3], examples + "/trimap.txt"},
        {argv[4], examples + "/paraquad.txt"},
    };
    std::vector<std::vector<double>> times(programs.size());
    std::vector<std::vector<long>> peaks(programs.size());
    for (int run = 0; run < runs; ++run) { // interleaved, so drift hits all alike
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Sample s = measure(programs[p].first, programs[p].second);
            times[p].push_back(s.milliseconds);
            peaks[p].push_back(s.peakKilobytes);
        }
    }
    std::printf("%-20s %18s %9s %16s %9s\n", "program", "to first frame", "ratio", "peak memory",
                "ratio");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const std::string name = programs[p].first.substr(programs[p].first.rfind('/') + 1);
        std::printf("%-20s %15.1f ms %8.3fx %13ld KiB %8.3fx\n", name.c_str(), median(times[p]),
                    median(times[p]) / median(times[0]), median(peaks[p]),
                    double(median(peaks[p])) / double(median(peaks[0])));
    }
    std::printf("medians of %d runs each\n", runs);
}
