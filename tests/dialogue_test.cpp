// Both programs, their dialogues in-process on the streams they are handed and as built programs
// with piped input: the exact text on standard output, the exit status, and the window.
#include "parallelogram_scene.h"
#include "triangle_scene.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string abc = "unesite koordinate temena trougla ABC\n";
const std::string both = abc + "unesite koordinate temena trougla A'B'C'\n";
const std::string collinearABC =
    "uneli ste tri kolinearne tacke kao koordinate trougla ABC, pokusajte ponovo\n";
const std::string collinearA2B2C2 =
    "uneli ste tri kolinearne tacke kao koordinate trougla A'B'C', pokusajte ponovo\n";
const std::string invalidABC = "uneli ste neispravne koordinate trougla ABC, pokusajte ponovo\n";
const std::string invalidA2B2C2 =
    "uneli ste neispravne koordinate trougla A'B'C', pokusajte ponovo\n";
const std::string header = "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n";
const std::string quad = "unesite temena paralelograma\n";
const std::string collinearQuad =
    "uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n";
const std::string invalidQuad =
    "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n";

std::string images(const char* a, const char* b, const char* c) {
    return std::string("koordinate slike tacke a su ") + a + "\nkoordinate slike tacke b su " + b +
           "\nkoordinate slike tacke c su " + c + "\n";
}

struct Case {
    const char* name;
    bool trimap; // else paraquad
    std::string input, output;
    bool accepted;             // exit status 0, else 1
    bool checkPicture = false; // where nothing covers the figures checked
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case cases[] = {
    {"Trimap", true, "0\n0\n4\n0 1 3\n5 1 8 2 6 5", // the bundled example, split
     both + header + "0.750000 0.083333 5.000000 \n0.250000 1.250000 1.000000 \n" +
         "0.000000 0.000000 1.000000 \n" +
         images("x=5.000000 y=1.000000", "x=8.000000 y=2.000000", "x=6.000000 y=5.000000"),
     true, true},
    {"TrimapNonIntegerInverse", true, "1 1 3 1 1 4\n0 0 1 0 0 1\n",
     both + header + "0.500000 0.000000 -0.500000 \n0.000000 0.333333 -0.333333 \n" +
         "0.000000 0.000000 1.000000 \n" +
         images("x=0.000000 y=0.000000", "x=1.000000 y=0.000000", "x=0.000000 y=1.000000"),
     true},
    {"TrimapCollinearABC", true, "0 0 1 1 2 2\n1 1 3 1 1 4\n", abc + collinearABC, false},
    {"TrimapCollinearA2B2C2", true, "0 0 1 0 0 1\n2 2 2 2 2 2\n", both + collinearA2B2C2, false},
    {"TrimapEmptyInput", true, "", abc + invalidABC, false},
    {"TrimapNotANumber", true, "0 0 1 zero 0 1\n1 1 3 1 1 4\n", abc + invalidABC, false},
    {"TrimapInfinite", true, "0 0 inf 0 0 1\n1 1 3 1 1 4\n", abc + invalidABC, false},
    {"TrimapBeyondFloat", true, "0 0 1e39 0 0 1\n1 1 3 1 1 4\n", abc + invalidABC, false},
    {"TrimapReciprocalOverflows", true, "0 0 1e-20 0 0 1e-20\n1 1 3 1 1 4\n", abc + invalidABC,
     false},
    {"TrimapTargetMissing", true, "0 0 1 0 0 1\n", both + invalidA2B2C2, false},
    {"TrimapMatrixOverflows", true, "0 0 1e-19 0 0 1e-19\n0 0 1e30 0 0 1e30\n",
     both + invalidA2B2C2, false},
    {"Paraquad", false, "1\n1\n5\n2\n6\n5\n",
     quad + "koordinate temena D paralelograma su x=2.000000, y=4.000000\n", true, true},
    {"ParaquadNearlyCollinear", false, "0 0 100 0 200 0.1",
     quad + "koordinate temena D paralelograma su x=100.000000, y=0.100000\n", true},
    {"ParaquadCollinear", false, "0 0 1 1 2 2\n", quad + collinearQuad, false},
    {"ParaquadEmptyInput", false, "", quad + invalidQuad, false},
    {"ParaquadCutShort", false, "0 0 4", quad + invalidQuad, false},
    {"ParaquadNan", false, "nan 0 4 0 4 3\n", quad + invalidQuad, false},
    {"ParaquadFourthVertexOverflows", false, "3e38 0 0 0 3e38 1\n", quad + invalidQuad, false},
};

std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Runs the case's dialogue in-process and, when it accepts, fills the scene as the program does.
std::pair<std::string, bool> converse(const Case& c) {
    std::FILE* in = std::tmpfile();
    std::fputs(c.input.c_str(), in);
    std::rewind(in);
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    scene = Scene{};
    bool accepted = false;
    if (c.trimap) {
        const std::optional<TriangleMapReport> report = runTriangleDialogue(in, out);
        accepted = report && (fillTriangleScene(*report), true);
    } else {
        const std::optional<Parallelogram> p = runParallelogramDialogue(in, out);
        accepted = p && (fillParallelogramScene(*p), true);
    }
    std::fclose(out);
    std::fclose(in);
    std::pair<std::string, bool> result{std::string(text, size), accepted};
    std::free(text);
    return result;
}

// Each figure where the camera puts it: red along the sides, yellow at the images (though the
// traced circumcircle passes over them), and every traced dot whole in cyan.
void expectPicture(const Case& c, const Image& image) {
    converse(c);
    const Camera camera = fitCamera(scene.box);
    const auto shows = [&](float x, float y, int radius, Rgb colour) {
        return image.count(project(camera, x, y), radius, colour);
    };
    for (const Segment& s : scene.segments) {
        int redSamples = 0;
        for (float t = 0.1f; t < 0.95f; t += 0.1f) { // the traced curves cross some sides
            redSamples += shows(s.from.x + t * (s.to.x - s.from.x),
                                s.from.y + t * (s.to.y - s.from.y), 1, red) > 0;
        }
        EXPECT_GE(redSamples, 6);
    }
    for (const Point& p : scene.points) {
        if (p.colour == Yellow) {
            EXPECT_GE(shows(p.x, p.y, 2, yellow), 1);
        } else if (p.colour == Cyan) {
            EXPECT_EQ(9, shows(p.x, p.y, 1, cyan));
        }
    }
}

class Dialogue : public testing::TestWithParam<Case> {};

TEST_P(Dialogue, InProcess) {
    const auto [output, accepted] = converse(GetParam());
    EXPECT_EQ(GetParam().output, output);
    EXPECT_EQ(GetParam().accepted, accepted);
}

// Accepted input opens the window; the whole report must have left the process before (standard
// output is a file here, buffered like a pipe), since the process is then killed, never ended
// normally. Rejected input ends by itself with status 1, without a window.
TEST_P(Dialogue, BuiltProgram) {
    const Case& c = GetParam();
    const std::string inPath = testing::TempDir() + "input",
                      outPath = testing::TempDir() + "output";
    std::ofstream(inPath) << c.input;
    if (c.accepted) {
        ASSERT_TRUE(haveDisplay()) << "no X display; scripts/test.sh runs the suite in Xvfb";
        ASSERT_TRUE(waitUntil(10, [] { return !findWindow(windowTitle); })) << "stale window";
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(inPath.c_str(), O_RDONLY), STDIN_FILENO);
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        execl(c.trimap ? TRIMAP_PATH : PARAQUAD_PATH, "program", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = -1;
    if (c.accepted) {
        std::optional<WindowInfo> window;
        EXPECT_TRUE(waitUntil(
            10, [&] { return (window = findWindow(windowTitle)) && firstFrameShown(*window); }));
        const Image image = window ? grab(*window) : Image{};
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
        ASSERT_TRUE(window) << "no window titled " << windowTitle;
        EXPECT_EQ(windowWidth, window->width);
        EXPECT_EQ(windowHeight, window->height);
        if (c.checkPicture) {
            expectPicture(c, image);
        }
    } else if (!waitUntil(10, [&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
        ADD_FAILURE() << "still running";
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_EQ(c.accepted ? SIGTERM : 1, c.accepted ? WTERMSIG(status) : WEXITSTATUS(status));
    std::ostringstream output;
    output << std::ifstream(outPath).rdbuf();
    EXPECT_EQ(c.output, output.str());
}

INSTANTIATE_TEST_SUITE_P(Cases, Dialogue, testing::ValuesIn(cases), caseName);

} // namespace
