// Start-up costs of the programs on their examples, in runs interleaved so that drift hits all
// alike; each figure is a median, each ratio the median of the per-run ratios to the row's floor.
// - Windows: from start to the first frame on the screen, then closed; the floor is the floor
//   program's window, the viewer's own showing a segment, a dot and a circle.
// - Exports: from start to exit. A PNG's floor is the floor program writing its picture (the
//   same offscreen context); an SVG's is the same program with --no-window.
// Run in an X server, from the build folder.
#include "median.h"
#include "picture/window_settings.h"
#include "probe.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

using geom::windowTitle;

constexpr std::size_t runs = 41;
constexpr int burst = 9;

struct Subject {
    std::string label;
    std::string path;
    std::vector<std::string> arguments;
    std::string example; // the program's example, fed to its input
    bool window;
    std::size_t floor;  // the row it is measured against
    bool burst = false; // a few milliseconds long: the median of a burst of runs
};

struct Sample {
    double milliseconds;
    double peakKilobytes;
};

// Starts the subject with its example on its standard input and its output thrown away.
pid_t start(const Subject& s, const std::string& inputFile) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, inputFile.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(s.path.c_str())};
    std::transform(s.arguments.begin(), s.arguments.end(), std::back_inserter(argv),
                   [](const std::string& word) { return const_cast<char*>(word.c_str()); });
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, s.path.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

Sample measure(const Subject& s, const std::string& folder) {
    const std::string inputFile = folder + "/in";
    std::ofstream(inputFile) << s.example;
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = start(s, inputFile);
    const std::optional<WindowInfo> window =
        s.window ? awaitWindow(windowTitle, [] { return true; }) : std::nullopt;
    if (window) {
        closeWindow(*window);
    }
    const auto shown = std::chrono::steady_clock::now();
    int status = -1;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> elapsed =
        (s.window ? shown : std::chrono::steady_clock::now()) - begin;
    if (status != 0 || (s.window && !window)) {
        std::fprintf(stderr, "%s failed%s\n", s.label.c_str(),
                     s.window ? " (is there an X server at $DISPLAY?)" : "");
        std::exit(1);
    }
    while (s.window && findWindow(windowTitle)) { // the next run finds its own window
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return {elapsed.count(), double(usage.ru_maxrss)};
}

// A window or an OpenGL export once; a run that touches no OpenGL, a few milliseconds long and at
// the mercy of the file system's timing, as the median of a burst of runs.
Sample sample(const Subject& s, const std::string& folder) {
    if (!s.burst) {
        return measure(s, folder);
    }
    std::vector<double> ms, kb;
    for (int i = 0; i < burst; ++i) {
        const Sample one = measure(s, folder);
        ms.push_back(one.milliseconds);
        kb.push_back(one.peakKilobytes);
    }
    return {median(ms), median(kb)};
}

// The interquartile range as a share of the median: how noisy the runs were.
double spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[values.size() * 3 / 4] - values[values.size() / 4]) / median(values);
}

std::vector<Subject> subjects(const std::string& folder) {
    std::vector<Subject> list = {
        {"floor_window", "bench/floor", {}, "", true, 0},
        {"clear_window", "bench/clear_window", {}, "", true, 0},
        {"png_floor", "bench/floor", {folder + "/floor.png"}, "", false, 2},
    };
    const char* const programs[] = {"trimap", "paraquad"};
    // The program on its example with the words given, and the labels where asked; a file it
    // writes is its own, replaced round after round.
    const auto subject = [&](const std::string& program, const std::string& shown,
                             const std::string& file, bool labels, std::size_t floor) {
        std::vector<std::string> words;
        if (!file.empty()) {
            words = {"-o", folder + "/" + program + (labels ? "-labels" : "") + file};
        } else if (!shown.empty()) {
            words = {shown.substr(1)};
        }
        if (labels) {
            words.emplace_back("--labels");
        }
        const bool window = shown.empty() && file.empty();
        return Subject{program + shown + (labels ? " --labels" : ""),
                       program + "/" + program,
                       words,
                       contents(EXAMPLES_DIR "/" + program + ".txt"),
                       window,
                       floor,
                       !window && file != ".png"};
    };
    // Windows, then PNG exports, then the runs that touch no OpenGL: a run just after a window or
    // an OpenGL export shares the machine with what the X server and Mesa still tidy away.
    for (const char* const program : programs) {
        list.push_back(subject(program, "", "", false, 0));
        list.push_back(subject(program, "", "", true, 0));
    }
    for (const char* const program : programs) {
        list.push_back(subject(program, " -o x.png", ".png", false, 2));
        list.push_back(subject(program, " -o x.png", ".png", true, 2));
    }
    for (const char* const program : programs) {
        const std::size_t reportOnly = list.size();
        list.push_back(subject(program, " --no-window", "", false, reportOnly));
        list.push_back(subject(program, " -o x.svg", ".svg", false, reportOnly));
        list.push_back(subject(program, " -o x.svg", ".svg", true, reportOnly));
    }
    return list;
}

} // namespace

int main() {
    const ScratchFolder folder;
    const std::vector<Subject> list = subjects(folder.path);
    std::vector<std::vector<Sample>> samples(list.size());
    for (std::size_t round = 0; round < runs; ++round) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            samples[i].push_back(sample(list[i], folder.path));
        }
    }
    std::printf("%-26s %-20s %11s %8s %6s %11s %8s %6s\n", "program", "measured against", "time",
                "ratio", "iqr", "peak memory", "ratio", "iqr");
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::vector<double> ms, kb, msRatio, kbRatio;
        for (std::size_t round = 0; round < runs; ++round) {
            const Sample s = samples[i][round], floor = samples[list[i].floor][round];
            ms.push_back(s.milliseconds);
            kb.push_back(s.peakKilobytes);
            msRatio.push_back(s.milliseconds / floor.milliseconds);
            kbRatio.push_back(s.peakKilobytes / floor.peakKilobytes);
        }
        std::printf("%-26s %-20s %8.1f ms %7.3fx %5.1f%% %7.1f MiB %7.3fx %5.1f%%\n",
                    list[i].label.c_str(), list[list[i].floor].label.c_str(), median(ms),
                    median(msRatio), 100 * spread(ms), median(kb) / 1024, median(kbRatio),
                    100 * spread(kb));
    }
    std::printf("medians of %zu interleaved runs; windows to their first frame, exports to "
                "exit; iqr: interquartile range / median\n",
                runs);
}
