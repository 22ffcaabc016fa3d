// Both programs: their dialogues in-process on the streams they are handed, and as built programs
// on pipes, showing the picture in the window until it is closed.
#include "parallelogram_dialogue.h"
#include "program.h"
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const std::string abc = "unesite koordinate temena trougla ABC\n";
const std::string a2b2c2 = "unesite koordinate temena trougla A'B'C'\n";
const std::string quad = "unesite temena paralelograma\n";

std::string refused(const std::string& prompts, const std::string& what) {
    return prompts + "uneli ste " + what + ", pokusajte ponovo\n";
}

std::string report(const char* rows, const char* a, const char* b, const char* c) {
    return abc + a2b2c2 + "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n" +
           rows + "0.000000 0.000000 1.000000 \nkoordinate slike tacke a su " + a +
           "\nkoordinate slike tacke b su " + b + "\nkoordinate slike tacke c su " + c + "\n";
}

std::string fourth(const char* d) {
    return quad + "koordinate temena D paralelograma su " + d + "\n";
}

struct Case {
    const char* name;
    bool trimap; // else paraquad
    std::string input, output;
    bool accepted;
    bool shown = false; // also run as a built program, its picture checked in the window
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case cases[] = {
    {"Trimap", true, "0\n0\n4\n0 1 3\n5 1 8 2 6 5", // the bundled example, split
     report("0.750000 0.083333 5.000000 \n0.250000 1.250000 1.000000 \n", "x=5.000000 y=1.000000",
            "x=8.000000 y=2.000000", "x=6.000000 y=5.000000"),
     true, true},
    {"TrimapCollinearABC", true, "0 0 1 1 2 2\n1 1 3 1 1 4\n",
     refused(abc, "tri kolinearne tacke kao koordinate trougla ABC"), false},
    {"TrimapCollinearA2B2C2", true, "0 0 1 0 0 1\n2 2 2 2 2 2\n",
     refused(abc + a2b2c2, "tri kolinearne tacke kao koordinate trougla A'B'C'"), false},
    {"TrimapEmptyInput", true, "", refused(abc, "neispravne koordinate trougla ABC"), false},
    {"TrimapTargetNotANumber", true, "0 0 1 0 0 1\n0 0 1 zero 0 1\n",
     refused(abc + a2b2c2, "neispravne koordinate trougla A'B'C'"), false},
    {"TrimapReciprocalOverflows", true, "0 0 1e-20 0 0 1e-20\n",
     refused(abc, "koordinate trougla ABC izvan dozvoljenog opsega"), false},
    {"TrimapReciprocalSubnormal", true, "0 0 1e20 0 0 1e20\n",
     refused(abc, "koordinate trougla ABC izvan dozvoljenog opsega"), false},
    {"TrimapMatrixOverflows", true, "0 0 1e-19 0 0 1e-19\n0 0 1e30 0 0 1e30\n",
     refused(abc + a2b2c2, "koordinate trougla A'B'C' izvan dozvoljenog opsega"), false},
    {"TrimapPictureOverflows", true, "0 0 1 0 0 1\n0 0 3e38 0 0 1\n",
     refused(abc + a2b2c2, "koordinate trougla A'B'C' izvan dozvoljenog opsega"), false},
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
    {"ParaquadCollinear", false, "0 0 1 1 2 2\n",
     refused(quad, "tri kolinearne tacke kao koordinate temena paralelograma"), false},
    {"ParaquadCutShort", false, "0 0 4",
     refused(quad, "neispravne koordinate temena paralelograma"), false},
    {"ParaquadFourthVertexOverflows", false, "3e38 0 0 0 3e38 1\n",
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), false},
    {"ParaquadTooLargeToDraw", false, "4e37 0 0 4e37 -4e37 0\n",
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), false},
    {"ParaquadTooSmallToDraw", false, "0 0 1e-45 0 0 1e-45\n",
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), false},
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
        c.trimap ? runTriangleDialogue(in, out, stderr) : runParallelogramDialogue(in, out, stderr);
    std::fclose(out);
    std::fclose(in);
    std::pair<std::string, bool> result{std::string(text, size), accepted};
    std::free(text);
    return result;
}

class Dialogue : public testing::TestWithParam<Case> {};

TEST_P(Dialogue, InProcess) {
    const Case& c = GetParam();
    const auto [output, accepted] = converse(c);
    EXPECT_EQ(c.output, output);
    EXPECT_EQ(c.accepted, accepted);
    EXPECT_EQ(accepted, !scene.points.empty()) << "a refused figure leaves nothing to draw";
}

INSTANTIATE_TEST_SUITE_P(Cases, Dialogue, testing::ValuesIn(cases), caseName);

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

class Window : public testing::TestWithParam<Case> {};

// The whole report reaches the pipe before the window opens, and closing the window, as a window
// manager does, ends the program with status 0. CTest runs these one at a time, so the window
// with the title is this program's, once the one before has gone.
TEST_P(Window, ShowsThePictureUntilClosed) {
    ASSERT_TRUE(haveDisplay()) << "no X display; scripts/test.sh runs the suite in Xvfb";
    ASSERT_TRUE(waitUntil(10, [] { return !findWindow(windowTitle); })) << "stale window";
    const Case& c = GetParam();
    Program program(c.trimap ? TRIMAP_PATH : PARAQUAD_PATH);
    program.write(c.input);
    program.endInput();
    std::optional<WindowInfo> window;
    ASSERT_TRUE(waitUntil(
        10, [&] { return (window = findWindow(windowTitle)) && firstFrameShown(*window); }))
        << "no window titled " << windowTitle;
    const Image image = grab(*window);
    EXPECT_EQ(c.output, program.output(c.output));
    EXPECT_EQ(windowWidth, window->width);
    EXPECT_EQ(windowHeight, window->height);
    closeWindow(*window);
    EXPECT_EQ(0, program.status());
    expectPicture(c, image);
}

std::vector<Case> shownCases() {
    std::vector<Case> shown;
    std::copy_if(std::begin(cases), std::end(cases), std::back_inserter(shown),
                 [](const Case& c) { return c.shown; });
    return shown;
}

INSTANTIATE_TEST_SUITE_P(Cases, Window, testing::ValuesIn(shownCases()), caseName);

// A program that drives the dialogue over pipes gets each prompt before it answers; a refusal
// ends the program with status 1.
TEST(BuiltProgram, EachPromptReachesAPipeBeforeItsRead) {
    Program program(TRIMAP_PATH);
    EXPECT_EQ(abc, program.output(abc));
    program.write("0 0 4 0 1 3\n");
    EXPECT_EQ(a2b2c2, program.output(a2b2c2));
    program.write("0 0 3e38 0 0 1\n"); // a picture too large to draw
    EXPECT_EQ(1, program.status());
    EXPECT_EQ(refused("", "koordinate trougla A'B'C' izvan dozvoljenog opsega"), program.output());
}

// A report that could not be written is a failure, said on standard error, before any window.
TEST(BuiltProgram, UnwritableReportEndsWithStatusOne) {
    const int full = open("/dev/full", O_WRONLY);
    for (const auto& [output, reason] : {std::pair{full, "No space left on device"},
                                         {Program::closedOutput, "Bad file descriptor"}}) {
        Program program(TRIMAP_PATH, output);
        EXPECT_EQ(1, program.status());
        EXPECT_EQ(std::string("izvestaj nije ispisan: ") + reason + "\n", program.errors());
    }
    close(full);
}

} // namespace
