// Start-up time to the first frame on the screen and peak memory of the programs given, each on
// its example, in runs interleaved so that drift hits all alike. Ratios are medians of the
// per-run ratios to the floor (the second program) and to the clear-only window (the first).
// Run in an X server.
#include "median.h"
#include "program.h"
#include "x_screen.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t runs = 41;

struct Sample {
    double milliseconds;
    double peakKilobytes;
};

std::string example(const std::string& program) {
    std::ifstream file(std::string(EXAMPLES_DIR "/") + program + ".txt");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str(); // empty for the floor windows, which read nothing
}

// Starts the program on its example and closes its window once the first frame shows.
Sample measure(const std::string& path) {
    waitUntil(10, [] { return !findWindow(windowTitle); }); // the last run's window has gone
    const auto start = std::chrono::steady_clock::now();
    Program program(path.c_str());
    program.write(example(path.substr(path.rfind('/') + 1)));
    program.endInput();
    std::optional<WindowInfo> window;
    const bool shown = waitUntil(
        10, [&] { return (window = findWindow(windowTitle)) && firstFrameShown(*window); },
        std::chrono::milliseconds(1));
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    if (shown) {
        closeWindow(*window);
    }
    if (!shown || program.status() != 0) {
        std::fprintf(stderr, "%s did not show its window, or did not end when it was closed\n",
                     path.c_str());
        std::exit(1);
    }
    return {elapsed.count(), double(program.peakKilobytes())};
}

// The interquartile range as a share of the median: how noisy the runs were.
double spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[values.size() * 3 / 4] - values[values.size() / 4]) / median(values);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || !haveDisplay()) {
        std::fprintf(stderr, "usage, in an X server: %s CLEAR_WINDOW FLOOR_WINDOW PROGRAM...\n",
                     argv[0]);
        return 2;
    }
    const std::vector<std::string> programs(argv + 1, argv + argc);
    std::vector<std::vector<Sample>> samples(programs.size());
    for (std::size_t run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            samples[p].push_back(measure(programs[p]));
        }
    }
    // Medians of a quantity, and of its per-run ratios to the clear-only and floor windows.
    const auto row = [&](std::size_t p, double Sample::*quantity) {
        std::vector<double> values, toClear, toFloor;
        for (std::size_t run = 0; run < runs; ++run) {
            values.push_back(samples[p][run].*quantity);
            toClear.push_back(values.back() / (samples[0][run].*quantity));
            toFloor.push_back(values.back() / (samples[1][run].*quantity));
        }
        return std::vector{median(values), median(toFloor), median(toClear), spread(values)};
    };
    std::printf("%-14s %15s %8s %8s %6s %13s %8s %8s %6s\n", "program", "to first frame", "/floor",
                "/clear", "iqr", "peak memory", "/floor", "/clear", "iqr");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const std::vector<double> time = row(p, &Sample::milliseconds);
        const std::vector<double> memory = row(p, &Sample::peakKilobytes);
        std::printf("%-14s %12.1f ms %7.3fx %7.3fx %5.1f%% %9.1f MiB %7.3fx %7.3fx %5.1f%%\n",
                    programs[p].substr(programs[p].rfind('/') + 1).c_str(), time[0], time[1],
                    time[2], 100 * time[3], memory[0] / 1024, memory[1], memory[2],
                    100 * memory[3]);
    }
    std::printf("medians of %zu interleaved runs; iqr: interquartile range / median\n", runs);
}
