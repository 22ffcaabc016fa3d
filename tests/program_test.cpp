// Both programs as built, run the way a script runs them: what they print, the files they leave
// and their exit statuses; the dialogue in-process on a pipe's two ends; and in an X server what
// only a window shows: the PNG holds its very pixels, its title and size, and each way of closing
// it ends the program with status 0. Every window opens at the same place under the same title,
// so CTest runs the window tests one at a time.
#include "program.h"
#include "triangle_dialogue.h"
#include "viewer.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

namespace {

const std::string abc = "unesite koordinate temena trougla ABC\n";
const std::string a2b2c2 = "unesite koordinate temena trougla A'B'C'\n";
const std::string quad = "unesite temena paralelograma\n";
const std::string example = "0 0 4 0 1 3\n5 1 8 2 6 5\n";
const std::string report = abc + a2b2c2 +
                           "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n"
                           "0.750000 0.083333 5.000000 \n0.250000 1.250000 1.000000 \n"
                           "0.000000 0.000000 1.000000 \n"
                           "koordinate slike tacke a su x=5.000000 y=1.000000\n"
                           "koordinate slike tacke b su x=8.000000 y=2.000000\n"
                           "koordinate slike tacke c su x=6.000000 y=5.000000\n";
const std::string fourth = quad + "koordinate temena D paralelograma su x=2.000000, y=4.000000\n";
const std::string hint = "; pogledajte 'trimap --help'\n";

std::string refused(const std::string& prompts, const std::string& what) {
    return prompts + "uneli ste " + what + ", pokusajte ponovo\n";
}

// {} stands for a folder of the case's own, which holds the file old.SVG and the folder in.svg
// beforehand and nothing else after.
struct Case {
    const char* name;
    std::string command, input;
    int status;
    std::string output, errors;
    bool replacesOld = false;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// The report alone.
const std::string trimapReport = TRIMAP_PATH " --no-window";
const std::string paraquadReport = PARAQUAD_PATH " --no-window";

const Case cases[] = {
    {"Trimap", trimapReport + " -iconic -display :0", "0\n0\n4\n0 1 3\n5 1 8 2 6 5", 0, report,
     ""}, // X options pass; the numbers split anyhow
    {"TrimapCollinearABC", trimapReport, "0 0 1 1 2 2\n1 1 3 1 1 4\n", 1,
     refused(abc, "tri kolinearne tacke kao koordinate trougla ABC"), ""},
    {"TrimapCollinearA2B2C2", trimapReport, "0 0 1 0 0 1\n2 2 2 2 2 2\n", 1,
     refused(abc + a2b2c2, "tri kolinearne tacke kao koordinate trougla A'B'C'"), ""},
    {"TrimapEmptyInput", trimapReport, "", 1, refused(abc, "neispravne koordinate trougla ABC"),
     ""},
    {"TrimapReciprocalSubnormal", trimapReport, "0 0 1e20 0 0 1e20\n", 1,
     refused(abc, "koordinate trougla ABC izvan dozvoljenog opsega"), ""},
    {"TrimapPictureOverflows", trimapReport, "0 0 1 0 0 1\n0 0 3e38 0 0 1\n", 1,
     refused(abc + a2b2c2, "koordinate trougla A'B'C' izvan dozvoljenog opsega"), ""},
    {"Paraquad", paraquadReport, "1\n1\n5\n2\n6\n5\n", 0, fourth, ""},
    {"ParaquadNearlyCollinear", paraquadReport, "0 0 100 0 200 0.1", 0,
     quad + "koordinate temena D paralelograma su x=100.000000, y=0.100000\n", ""},
    {"ParaquadCollinear", PARAQUAD_PATH " -o {}/p.svg", "0 0 1 1 2 2", 1,
     refused(quad, "tri kolinearne tacke kao koordinate temena paralelograma"), ""},
    {"ParaquadCutShort", paraquadReport, "0 0 4 0 1", 1,
     refused(quad, "neispravne koordinate temena paralelograma"), ""},
    {"ParaquadTooLargeToDraw", paraquadReport, "0 0 5.2e36 0 5.2e36 5.2e36", 1,
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), ""},
    {"UnreadableInput", "sh -c 'exec " PARAQUAD_PATH " </'", "", 1, quad,
     "ulaz nije procitan: Is a directory\n"},
    {"Version", PARAQUAD_PATH " --version", "", 0, "paraquad " GEOM_VERSION "\n", ""},
    {"UnknownOption", TRIMAP_PATH " --no-windows", example, 2, "",
     "trimap: nepoznata opcija '--no-windows'" + hint},
    {"MissingFile", PARAQUAD_PATH " -o", "", 2, "",
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n"},
    {"WrongFormat", TRIMAP_PATH " --output={}/slika.jpg", example, 2, "",
     "trimap: slika mora imati nastavak .png ili .svg: '{}/slika.jpg'" + hint},
    {"XOptionWithoutItsValue", trimapReport + " -display", example, 2, "",
     "trimap: opciji '-display' nedostaje vrednost" + hint},
    {"ExtraWord", TRIMAP_PATH " slika.png", example, 2, "",
     "trimap: suvisan argument 'slika.png'" + hint},
    {"SvgReplacesAFile", PARAQUAD_PATH " --output {}/old.SVG", "1 1 5 2 6 5", 0, fourth, "", true},
    {"FolderInTheWay", PARAQUAD_PATH " -o {}/in.svg", "1 1 5 2 6 5", 1, fourth,
     "slika nije sacuvana: {}/in.svg: Is a directory\n"},
    {"NoFolder", TRIMAP_PATH " -o{}/none/t.svg", example, 1, report,
     "slika nije sacuvana: {}/none/t.svg: No such file or directory\n"},
    {"NoOpenGl", "env __EGL_VENDOR_LIBRARY_FILENAMES=/none " TRIMAP_PATH " -o {}/t.png", example, 1,
     report, "slika nije sacuvana: {}/t.png: eglGetPlatformDisplayEXT: EGL_BAD_PARAMETER\n"},
};

std::string placed(std::string text, const std::string& folder) {
    for (std::size_t at; (at = text.find("{}")) != std::string::npos;) {
        text.replace(at, 2, folder);
    }
    return text;
}

class Program : public testing::TestWithParam<Case> {};

TEST_P(Program, PrintsAndLeavesWhatItShould) {
    const Case& c = GetParam();
    const ScratchFolder folder;
    const std::string old = folder.path + "/old.SVG";
    std::ofstream(old) << "an older picture";
    std::filesystem::create_directory(folder.path + "/in.svg");
    const Ran ran = run(placed(c.command, folder.path), c.input);
    EXPECT_EQ(c.status, ran.status);
    EXPECT_EQ(c.output, ran.output);
    EXPECT_EQ(placed(c.errors, folder.path), ran.errors);
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder.path), {}));
    EXPECT_EQ(c.replacesOld, contents(old).starts_with("<?xml"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Program, testing::ValuesIn(cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Help, NamesEveryOptionAndReadsNothing) {
    const Ran ran = run(TRIMAP_PATH " --help", example);
    EXPECT_EQ(0, ran.status);
    for (const char* word : {"-o", "--output", "--no-window", "-h", "--help", "--version",
                             "-display", ".png", ".svg"}) {
        EXPECT_NE(std::string::npos, ran.output.find(word)) << word;
    }
    EXPECT_EQ(std::string::npos, ran.output.find("unesite"));
}

// A reader at the other end of a fully buffered pipe: it takes `room` bytes, then fails as a full
// disk does; at each read of its input it notes what had reached it.
struct Pipe {
    std::size_t room;
    std::vector<std::string> lines; // the input, a line a read
    std::string delivered;
    std::vector<std::string> seenAtReads;
    bool accepted = false; // by trimap's dialogue
};

ssize_t deliver(void* cookie, const char* data, std::size_t size) {
    Pipe& pipe = *static_cast<Pipe*>(cookie);
    if (pipe.delivered.size() + size > pipe.room) {
        errno = ENOSPC;
        return -1;
    }
    pipe.delivered.append(data, size);
    return ssize_t(size);
}

ssize_t answer(void* cookie, char* buffer, std::size_t size) {
    Pipe& pipe = *static_cast<Pipe*>(cookie);
    pipe.seenAtReads.push_back(pipe.delivered);
    const std::size_t read = pipe.seenAtReads.size();
    return read > pipe.lines.size() ? 0 : ssize_t(pipe.lines[read - 1].copy(buffer, size));
}

// trimap's dialogue over such a pipe; what it said on standard error.
std::string converseOver(Pipe& pipe) {
    std::FILE* out = fopencookie(&pipe, "w", {nullptr, deliver, nullptr, nullptr});
    std::setvbuf(out, nullptr, _IOFBF, 4096);
    std::FILE* in = fopencookie(&pipe, "r", {answer, nullptr, nullptr, nullptr});
    char* errors = nullptr;
    std::size_t size = 0;
    std::FILE* err = open_memstream(&errors, &size);
    pipe.accepted = trimap.dialogue(in, out, err);
    for (std::FILE* stream : {in, out, err}) {
        std::fclose(stream);
    }
    std::string said(errors, size);
    std::free(errors);
    return said;
}

TEST(Pipe, GetsEachPromptBeforeItsAnswerIsRead) {
    Pipe pipe{4096, {"0 0 4 0 1 3\n", "5 1 8 2 6 5\n"}, "", {}};
    EXPECT_EQ("", converseOver(pipe));
    EXPECT_TRUE(pipe.accepted);
    EXPECT_EQ((std::vector{abc, abc + a2b2c2}), pipe.seenAtReads);
    EXPECT_EQ(report, pipe.delivered);
}

// The prompts go through, and only the last flush finds the report undelivered.
TEST(Pipe, ThatTakesNoReportIsAFailure) {
    Pipe pipe{abc.size() + a2b2c2.size(), {example}, "", {}};
    EXPECT_EQ("izvestaj nije ispisan: No space left on device\n", converseOver(pipe));
    EXPECT_FALSE(pipe.accepted);
}

// Runs the command in the background, once the window of the test before has gone, and hands its
// window to `use`.
template <typename Use>
Ran withWindow(const std::string& command, const std::string& input, Use use) {
    EXPECT_TRUE(haveDisplay()) << "no X display; scripts/test.sh runs the suite in Xvfb";
    for (int tries = 0; tries < 1000 && findWindow(windowTitle); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    auto running = std::async(std::launch::async, run, command, input);
    const std::optional<WindowInfo> window = awaitWindow(windowTitle);
    EXPECT_TRUE(window) << "no window titled " << windowTitle;
    if (window) {
        use(*window);
    }
    return running.get();
}

TEST(Window, ShowsWhatThePngHoldsUntilItsCloseButton) {
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " -o " + folder.path + "/t.png", example);
    Image shown;
    const Ran showing = withWindow(TRIMAP_PATH, example, [&](WindowInfo window) {
        EXPECT_EQ(1024, window.width);
        EXPECT_EQ(700, window.height);
        shown = grab(window);
        closeWindow(window);
    });
    EXPECT_EQ(0, showing.status);
    EXPECT_EQ(saving.output, showing.output);
    EXPECT_TRUE(shown.rgb == readPng(folder.path + "/t.png").rgb) << "the pixels differ";
}

class Key : public testing::TestWithParam<const char*> {};

// GLUT's own options reach it: this window is smaller.
TEST_P(Key, ClosesTheWindow) {
    const char* key = GetParam();
    const Ran ran = withWindow(PARAQUAD_PATH " -geometry 640x480", "1 1 5 2 6 5", [&](auto window) {
        EXPECT_EQ(640, window.width);
        EXPECT_EQ(480, window.height);
        pressKey(window, key);
    });
    EXPECT_EQ(0, ran.status);
    EXPECT_EQ(fourth, ran.output);
}

INSTANTIATE_TEST_SUITE_P(Keys, Key, testing::Values("Escape", "q"),
                         [](const auto& test) { return std::string(test.param); });

} // namespace
