// The built programs as a user runs them: piped input, standard output, exit status and, for
// accepted input, the real window in the X server.
#include "dialogue_cases.h"
#include "parallelogram_scene.h"
#include "screen.h"
#include "triangle_scene.h"
#include "x_display.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double patience = 10.0; // seconds for a window to show or a process to end

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

// A program started with `input` on its standard input and its standard output in a file.
class Run {
  public:
    Run(const char* program, const std::string& input) {
        const std::string inPath = testing::TempDir() + "program_input.txt";
        std::ofstream(inPath, std::ios::binary) << input;
        pid_ = fork();
        if (pid_ == 0) {
            const int in = open(inPath.c_str(), O_RDONLY);
            const int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(in, STDIN_FILENO);
            dup2(out, STDOUT_FILENO);
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~Run() { stop(); }

    // The exit status, if the program ends by itself in time.
    std::optional<int> exitStatus() {
        int status = 0;
        if (pid_ <= 0 ||
            !waitUntil(patience, [&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) {
            return std::nullopt;
        }
        pid_ = 0;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
    }

    // Ends the program as a user closing its terminal would.
    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = 0;
        }
    }

    std::string output() const { return readFile(outPath_); }

  private:
    std::string outPath_ = testing::TempDir() + "program_output.txt";
    pid_t pid_ = -1;
};

// A display with no window of an earlier run left on it.
XConnection* displayOrFail() {
    XConnection* connection = connectToDisplay();
    EXPECT_NE(nullptr, connection) << "no X display; scripts/test.sh runs the suite in Xvfb";
    if (connection && !waitForNoWindow(connection, windowTitle, patience)) {
        ADD_FAILURE() << "an earlier window titled " << windowTitle << " stays open";
        return nullptr;
    }
    return connection;
}

// Rejected input ends by itself with status 1; accepted input opens the window, and the whole
// report must have reached standard output even though the process is then killed.
void expectConversation(const char* program, const DialogueCase& c) {
    XConnection* connection = c.accepted ? displayOrFail() : nullptr;
    if (c.accepted && !connection) {
        return;
    }
    Run run(program, c.input);
    if (!c.accepted) {
        EXPECT_EQ(std::optional<int>(1), run.exitStatus());
        EXPECT_EQ(c.output, run.output());
        return;
    }
    const std::optional<WindowInfo> window = waitForWindow(connection, windowTitle, patience);
    ASSERT_TRUE(window) << "no window titled " << windowTitle;
    EXPECT_EQ(windowWidth, window->width);
    EXPECT_EQ(windowHeight, window->height);
    run.stop();
    EXPECT_EQ(c.output, run.output());
}

class TrimapProgram : public testing::TestWithParam<DialogueCase> {};

TEST_P(TrimapProgram, AnswersOnStandardOutput) {
    expectConversation(TRIMAP_PATH, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimapProgram, testing::ValuesIn(triangleCases), caseName);

class ParaquadProgram : public testing::TestWithParam<DialogueCase> {};

TEST_P(ParaquadProgram, AnswersOnStandardOutput) {
    expectConversation(PARAQUAD_PATH, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, ParaquadProgram, testing::ValuesIn(parallelogramCases), caseName);

// The window's picture once its first frame is on the screen.
Image screenshot(const char* program, const std::string& input) {
    XConnection* connection = displayOrFail();
    if (!connection) {
        return {};
    }
    Run run(program, input);
    const std::optional<WindowInfo> window = waitForWindow(connection, windowTitle, patience);
    EXPECT_TRUE(window) << "no window titled " << windowTitle;
    if (!window) {
        return {};
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(patience);
    Image image = grabWindow(connection, *window);
    while (!looksLike(background, image.at({0, 0})) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        image = grabWindow(connection, *window);
    }
    return image;
}

std::string example(const char* name) {
    return readFile(std::string(EXAMPLES_DIR) + "/" + name + ".txt");
}

// Fills this process's scene from the same input, to know where the camera puts things.
std::optional<TriangleMapReport> triangleReport(const std::string& input) {
    std::FILE* in = std::tmpfile();
    std::fputs(input.c_str(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::optional<TriangleMapReport> report = runTriangleDialogue(in, out);
    std::fclose(in);
    std::fclose(out);
    return report;
}

// How many of nine evenly spaced inner points of the segment show it in `colour`.
int visibleAlong(const Image& image, Camera camera, Segment s, Rgb colour) {
    int visible = 0;
    for (int i = 1; i <= 9; ++i) {
        const float t = float(i) / 10.0f;
        const Pixel p =
            project(camera, s.from.x + t * (s.to.x - s.from.x), s.from.y + t * (s.to.y - s.from.y));
        visible += countAround(image, p, 1, colour) > 0 ? 1 : 0;
    }
    return visible;
}

TEST(TrimapWindow, ShowsTrianglesImagesAndTracedCircles) {
    const std::string input = example("trimap");
    const std::optional<TriangleMapReport> report = triangleReport(input);
    ASSERT_TRUE(report);
    scene = Scene{};
    fillTriangleScene(*report);
    const Camera camera = fitCamera(scene.box);

    const Image image = screenshot(TRIMAP_PATH, input);
    ASSERT_EQ(windowWidth * windowHeight, int(image.rows.size()));
    EXPECT_TRUE(looksLike(background, image.at({0, 0})));
    for (const Segment& side : scene.segments) { // the traced curves cross some sides
        EXPECT_GE(visibleAlong(image, camera, side, red), 6);
    }
    // The traced circumcircle passes through the images, so only part of each dot stays yellow.
    for (const Point image_ : {report->imageA, report->imageB, report->imageC}) {
        EXPECT_GE(countAround(image, project(camera, image_.x, image_.y), 2, yellow), 1);
    }
    for (const std::size_t traced : {5u, 6u, 56u, 206u, 207u, 307u}) {
        const Point p = scene.points[traced];
        EXPECT_GE(countAround(image, project(camera, p.x, p.y), 1, cyan), 4) << traced;
    }
}

TEST(ParaquadWindow, ShowsTheSidesAndTheTracedEllipse) {
    const std::string input = example("paraquad");
    std::FILE* in = std::tmpfile();
    std::fputs(input.c_str(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    const std::optional<Parallelogram> p = runParallelogramDialogue(in, out);
    std::fclose(in);
    std::fclose(out);
    ASSERT_TRUE(p);
    scene = Scene{};
    fillParallelogramScene(*p);
    const Camera camera = fitCamera(scene.box);

    const Image image = screenshot(PARAQUAD_PATH, input);
    ASSERT_EQ(windowWidth * windowHeight, int(image.rows.size()));
    for (const Segment& side : scene.segments) {
        EXPECT_EQ(9, countAround(image, project(camera, side.from.x, side.from.y), 1, red));
    }
    for (const std::size_t traced : {0u, 1u, 51u, 101u, 151u}) {
        const Point q = scene.points[traced];
        EXPECT_GE(countAround(image, project(camera, q.x, q.y), 1, cyan), 4) << traced;
    }
}

} // namespace
