// Both programs: their dialogues in-process on the streams they are handed, and as built programs
// with piped input, showing the picture in the window.
#include "parallelogram_dialogue.h"
#include "triangle_dialogue.h"
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
const std::string header = "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n";
const std::string quad = "unesite temena paralelograma\n";

std::string refusal(const char* what, const char* triangle) {
    return std::string("uneli ste ") + what + triangle + ", pokusajte ponovo\n";
}
const std::string invalidABC = refusal("neispravne koordinate trougla", " ABC");
const std::string collinearABC = refusal("tri kolinearne tacke kao koordinate trougla", " ABC");
const std::string rangeABC = refusal("koordinate trougla ABC izvan dozvoljenog opsega", "");
const std::string invalidA2B2C2 = refusal("neispravne koordinate trougla", " A'B'C'");
const std::string collinearA2B2C2 =
    refusal("tri kolinearne tacke kao koordinate trougla", " A'B'C'");
const std::string rangeA2B2C2 = refusal("koordinate trougla A'B'C' izvan dozvoljenog opsega", "");
const std::string invalidQuad = refusal("neispravne koordinate temena paralelograma", "");
const std::string collinearQuad =
    refusal("tri kolinearne tacke kao koordinate temena paralelograma", "");
const std::string rangeQuad =
    refusal("koordinate temena paralelograma izvan dozvoljenog opsega", "");

std::string images(const char* a, const char* b, const char* c) {
    return std::string("koordinate slike tacke a su ") + a + "\nkoordinate slike tacke b su " + b +
           "\nkoordinate slike tacke c su " + c + "\n";
}

std::string fourth(const char* d) {
    return quad + "koordinate temena D paralelograma su " + d + "\n";
}

struct Case {
    const char* name;
    bool trimap; // else paraquad
    std::string input, output;
    bool accepted;      // exit status 0, else 1
    bool shown = false; // also run as a built program, its picture checked in the window
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
    {"TrimapBeyondFloat", true, "0 0 1e39 0 0 1\n1 1 3 1 1 4\n", abc + invalidABC, false},
    {"TrimapTargetMissing", true, "0 0 1 0 0 1\n", both + invalidA2B2C2, false},
    {"TrimapDifferenceOverflows", true, "-3e38 0 3e38 0 0 1\n", abc + rangeABC, false},
    {"TrimapReciprocalOverflows", true, "0 0 1e-20 0 0 1e-20\n", abc + rangeABC, false},
    {"TrimapReciprocalSubnormal", true, "0 0 1e20 0 0 1e20\n0 0 1 0 0 1\n", abc + rangeABC, false},
    {"TrimapReciprocalZero", true, "0 0 1e23 0 0 1e23\n0 0 1 0 0 1\n", abc + rangeABC, false},
    {"TrimapMatrixOverflows", true, "0 0 1e-19 0 0 1e-19\n0 0 1e30 0 0 1e30\n", both + rangeA2B2C2,
     false},
    {"TrimapPictureOverflows", true, "0 0 1 0 0 1\n0 0 3e38 0 0 1\n", both + rangeA2B2C2, false},
    {"Paraquad", false, "1\n1\n5\n2\n6\n5\n", fourth("x=2.000000, y=4.000000"), true, true},
    {"ParaquadFarFromTheOrigin", false, "1000 1000 1004 1001 1005 1004",
     fourth("x=1001.000000, y=1003.000000"), true, true},
    {"ParaquadSmallestDrawn", false, "0 0 8e-31 2e-31 1e-30 8e-31",
     fourth("x=0.000000, y=0.000000"), true, true},
    {"ParaquadLargestDrawn", false, "0 0 8e35 2e35 1e36 8e35",
     fourth("x=199999928955533237661613045206482944.000000, "
            "y=600000024551087255777851916251299840.000000"),
     true, true},
    {"ParaquadNearlyCollinear", false, "0 0 100 0 200 0.1", fourth("x=100.000000, y=0.100000"),
     true},
    {"ParaquadCollinear", false, "0 0 1 1 2 2\n", quad + collinearQuad, false},
    {"ParaquadCutShort", false, "0 0 4", quad + invalidQuad, false},
    {"ParaquadNan", false, "nan 0 4 0 4 3\n", quad + invalidQuad, false},
    {"ParaquadFourthVertexOverflows", false, "3e38 0 0 0 3e38 1\n", quad + rangeQuad, false},
    {"ParaquadCameraOverflows", false, "0 0 3e38 0 3e38 3e38\n", quad + rangeQuad, false},
    {"ParaquadTooLargeToDraw", false, "4e37 0 0 4e37 -4e37 0\n", quad + rangeQuad, false},
    {"ParaquadTooSmallToDraw", false, "0 0 1e-45 0 0 1e-45\n", quad + rangeQuad, false},
};

std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Runs the case's dialogue in-process, which fills the scene when it accepts.
std::pair<std::string, bool> converse(const Case& c) {
    std::FILE* in = fmemopen(const_cast<char*>(c.input.data()), c.input.size(), "r");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    scene = Scene{};
    const bool accepted =
        c.trimap ? runTriangleDialogue(in, out) : runParallelogramDialogue(in, out);
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
    const auto shows = [&](double x, double y, int radius, Rgb colour) {
        return image.count(project(camera, float(x), float(y)), radius, colour);
    };
    for (const Segment& s : scene.segments) {
        int redSamples = 0;
        for (double t = 0.1; t < 0.95; t += 0.1) { // the traced curves cross some sides
            redSamples += shows(s.from.x + t * (double(s.to.x) - s.from.x),
                                s.from.y + t * (double(s.to.y) - s.from.y), 1, red) > 0;
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
    EXPECT_EQ(accepted, !scene.points.empty()) << "a refused figure leaves nothing to draw";
}

INSTANTIATE_TEST_SUITE_P(Cases, Dialogue, testing::ValuesIn(cases), caseName);

// Accepted input opens the window; the whole report must have left the process before (standard
// output is a file here, buffered like a pipe), since the process is then killed.
TEST_P(Dialogue, BuiltProgram) {
    const Case& c = GetParam();
    if (!c.shown) {
        GTEST_SKIP() << "checked in-process";
    }
    const std::string inPath = testing::TempDir() + "input",
                      outPath = testing::TempDir() + "output";
    std::ofstream(inPath) << c.input;
    ASSERT_TRUE(haveDisplay()) << "no X display; scripts/test.sh runs the suite in Xvfb";
    ASSERT_TRUE(waitUntil(10, [] { return !findWindow(windowTitle); })) << "stale window";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(inPath.c_str(), O_RDONLY), STDIN_FILENO);
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        execl(c.trimap ? TRIMAP_PATH : PARAQUAD_PATH, "program", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = -1;
    std::optional<WindowInfo> window;
    EXPECT_TRUE(waitUntil(
        10, [&] { return (window = findWindow(windowTitle)) && firstFrameShown(*window); }));
    const Image image = window ? grab(*window) : Image{};
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
    ASSERT_TRUE(window) << "no window titled " << windowTitle;
    EXPECT_EQ(windowWidth, window->width);
    EXPECT_EQ(windowHeight, window->height);
    expectPicture(c, image);
    std::ostringstream output;
    output << std::ifstream(outPath).rdbuf();
    EXPECT_EQ(c.output, output.str());
}

} // namespace
