// Both programs as built, run the way a script runs them: what they print, the files they leave
// and their exit statuses; the dialogue in-process on a pipe's two ends; and in an X server what
// only a window shows: the PNG holds its very pixels, its title and size, and each way of closing
// it ends the program with status 0. Every window opens at the same place under the same title,
// so CTest runs the window tests one at a time.
#include "parallelogram_dialogue.h"
#include "picture/frame.h"
#include "program.h"
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

using namespace geom;

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

// Each refusal of the README's table, for ABC, for A'B'C' after a valid ABC, and for the
// parallelogram; the figure's valid numbers and its name in the messages.
struct Reading {
    const Tool& tool;
    std::string before, valid;
    const char* figure;
};

const Reading readings[] = {
    {trimap, "", "1.5 -2.25 7.75 0.5 3.125 6", "trougla ABC"},
    {trimap, "1.5 -2.25 7.75 0.5 3.125 6\n", "-4 3.5 2.25 -1.75 6.5 8", "trougla A'B'C'"},
    {paraquad, "", "-4 3.5 2.25 -1.75 6.5 8", "temena paralelograma"},
};

// Refused, with `what` said of the figure and nothing of a report.
void expectRefused(const Reading& r, const std::string& input, const std::string& what) {
    const Conversation said = converse(r.tool, r.before + input);
    EXPECT_FALSE(said.accepted) << input;
    const std::string message =
        "\nuneli ste " + std::string(what).replace(what.find('%'), 1, r.figure);
    EXPECT_TRUE(said.transcript.ends_with(message + ", pokusajte ponovo\n"))
        << input << ": " << said.transcript;
}

// In each of the six places: anything but a whole word that is a finite float, or the end of input.
TEST(Refusals, NameWhatIsNotSixFiniteNumbers) {
    const char* const notNumbers[] = {"x",   "inf", "-nan", "1e39",  "-3.5e38",
                                      "1,5", "1e",  "3abc", "1.5.2", "2\x01"};
    for (const Reading& r : readings) {
        std::istringstream numbers(r.valid);
        const std::vector<std::string> words{std::istream_iterator<std::string>(numbers), {}};
        for (std::size_t place = 0; place < 6; ++place) {
            std::string cut;
            for (std::size_t i = 0; i < place; ++i) {
                cut += words[i] + "\t";
            }
            expectRefused(r, cut, "neispravne koordinate %");
            for (const std::string word : notNumbers) {
                std::string input;
                for (std::size_t i = 0; i < words.size(); ++i) {
                    input += (i == place ? word : words[i]) + " ";
                }
                expectRefused(r, input, "neispravne koordinate %");
            }
        }
    }
}

TEST(Refusals, NameCollinearAndOutOfRangeFigures) {
    const char* const collinear = "tri kolinearne tacke kao koordinate %";
    const char* const outOfRange = "koordinate % izvan dozvoljenog opsega";
    const struct {
        int reading;
        const char* input;
        const char* what;
    } rows[] = {
        {0, "0.5 0.5 2.5 1.5 6.5 3.5", collinear},        // on one slanted line
        {1, "3 -1 3 -1 7 2", collinear},                  // A' = B'
        {2, "-2 5 1 3.5 7 0.5", collinear},               // on one slanted line
        {0, "-3e38 0 3e38 1 0 2", outOfRange},            // B - A overflows in x
        {0, "0 -2e38 1 3e38 2 0", outOfRange},            // and in y
        {0, "0 0 1e20 0 0 1e20", outOfRange},             // 1 / det is subnormal
        {0, "1e-20 0 0 0 0 1e-20", outOfRange},           // 1 / det overflows
        {1, "3e38 0 -3e38 0 0 1", outOfRange},            // B' - A' overflows
        {1, "0 0 1e37 0 0 1e37", outOfRange},             // the picture is too large to draw
        {2, "3e38 0 -3e38 0 0 1", outOfRange},            // B - A overflows
        {2, "0 0 -3e38 1 3e38 0", outOfRange},            // D overflows
        {2, "0 0 5.2e36 0 5.2e36 5.2e36", outOfRange},    // just too large to draw
        {2, "0 0 4.8e-33 0 4.8e-33 4.8e-33", outOfRange}, // just too small
    };
    for (const auto& row : rows) {
        expectRefused(readings[row.reading], row.input, row.what);
    }
    // The entries of the map overflow, from a tiny ABC onto a huge A'B'C'.
    expectRefused({trimap, "0 0 1e-19 0 0 1e-19\n", "", "trougla A'B'C'"}, "0 0 1e20 0 0 1e20",
                  outOfRange);
}

// {} stands for a folder of the case's own, which holds the file old.SVG (mode 640) and the
// folder in.svg beforehand, and after them the files `left` names, with their modes. {nobody}
// runs what follows as a user who is not root, where the test runs as root.
struct Case {
    const char* name;
    std::string command, input;
    int status;
    std::string output, error; // one line on standard error that starts so
    bool replacesOld = false;
    std::string left = "old.SVG 640";
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// The report alone.
const std::string trimapReport = TRIMAP_PATH " --no-window";
const std::string paraquadReport = PARAQUAD_PATH " --no-window";

const Case cases[] = {
    // X options pass; the numbers split anyhow; what follows the last is not read.
    {"Trimap", trimapReport + " -iconic -display :0", "0\n0\n4\n0 1 3\r\n5 1\t8 2 6 5 x,y", 0,
     report, ""},
    {"TrimapCollinearA2B2C2", trimapReport, "0 0 1 0 0 1\n2 2 2 2 2 2\n", 1,
     refused(abc + a2b2c2, "tri kolinearne tacke kao koordinate trougla A'B'C'"), ""},
    {"TrimapEmptyInput", trimapReport, "", 1, refused(abc, "neispravne koordinate trougla ABC"),
     ""},
    {"Paraquad", paraquadReport, "1\r\n1\n5\n2\n6\n5\n", 0, fourth, ""},
    {"ParaquadCollinear", PARAQUAD_PATH " -o {}/p.svg", "0 0 1 1 2 2", 1,
     refused(quad, "tri kolinearne tacke kao koordinate temena paralelograma"), ""},
    {"ParaquadTooLargeToDraw", PARAQUAD_PATH " -o {}/p.png", "0 0 5.2e36 0 5.2e36 5.2e36", 1,
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), ""},
    {"UnreadableInput", "exec " PARAQUAD_PATH " </", "", 1, quad,
     "ulaz nije procitan: Is a directory\n"},
    {"HelpIntoAFullDisk", TRIMAP_PATH " --help >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"VersionIntoAFullDisk", PARAQUAD_PATH " --version >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"ReportIntoAFullDisk", PARAQUAD_PATH " -o {}/p.svg >/dev/full", "1 1 5 2 6 5", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
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
    {"FlagWithAValue", TRIMAP_PATH " --version=1", "", 2, "",
     "trimap: opcija '--version' ne prima vrednost" + hint},
    {"Ambiguous", TRIMAP_PATH " -d :0", example, 2, "",
     "trimap: dvosmislena opcija '-d' (-display, -direct)" + hint},
    {"Unprintable", TRIMAP_PATH " --no-win$(printf '\\001')", example, 2, "",
     "trimap: nepoznata opcija '--no-win\\x01'" + hint},
    {"TwoPictures", TRIMAP_PATH " -o {}/a.png --output={}/b.svg", example, 2, "",
     "trimap: opcija '--output' je data dva puta" + hint},
    {"WindowTooLarge", TRIMAP_PATH " -geometry 32767x32767", example, 2, "",
     "trimap: sirina i visina prozora moraju biti od 1 do 16384 piksela: '32767x32767'" + hint},
    {"NoGeometry", TRIMAP_PATH " -geometry 640x", example, 2, "",
     "trimap: neispravna geometrija prozora '640x'" + hint},
    // Replaced whole, keeping its mode; through a link, the file linked to.
    {"SvgReplacesAFile", PARAQUAD_PATH " --output {}/old.SVG", "1 1 5 2 6 5", 0, fourth, "", true},
    {"ThroughALink", "ln -s old.SVG {}/link.svg && " PARAQUAD_PATH " -o {}/link.svg", "1 1 5 2 6 5",
     0, fourth, "", true, "link.svg 640, old.SVG 640"},
    {"NewPictureFollowsTheUmask", "umask 027 && " TRIMAP_PATH " -o {}/t.PNG", example, 0, report,
     "", false, "old.SVG 640, t.PNG 640"},
    {"LongestName", PARAQUAD_PATH " -o {}/" + std::string(251, 'n') + ".svg", "1 1 5 2 6 5", 0,
     fourth, "", false, std::string(251, 'n') + ".svg 644, old.SVG 640"},
    {"WriteProtected", "chmod 444 {}/old.SVG && {nobody}" PARAQUAD_PATH " -o {}/old.SVG",
     "1 1 5 2 6 5", 1, fourth, "slika nije sacuvana: {}/old.SVG: Permission denied\n", false,
     "old.SVG 444"},
    {"FolderTakesNoNewFile",
     "chmod 555 {} && {nobody}" PARAQUAD_PATH " -o {}/old.SVG; s=$?; chmod 755 {}; exit $s",
     "1 1 5 2 6 5", 0, fourth, "", true},
    {"FileSizeLimit", "ulimit -f 1 && " PARAQUAD_PATH " -o {}/old.SVG", "1 1 5 2 6 5", 1, fourth,
     "slika nije sacuvana: {}/old.SVG: File too large\n"},
    // A signal while the picture is put in place leaves the old one and nothing else.
    {"InterruptedBeforeItsPlace", SIGNAL_AT_RENAME "=2 " TRIMAP_PATH " -o {}/old.SVG", example, 130,
     report, ""},
    {"TerminatedBeforeItsPlace", SIGNAL_AT_RENAME "=15 " TRIMAP_PATH " -o {}/old.SVG", example, 143,
     report, ""},
    {"HungUpBeforeItsPlace", SIGNAL_AT_RENAME "=1 " TRIMAP_PATH " -o {}/old.SVG", example, 129,
     report, ""},
    {"FolderInTheWay", PARAQUAD_PATH " -o {}/in.svg", "1 1 5 2 6 5", 1, fourth,
     "slika nije sacuvana: {}/in.svg: Is a directory\n"},
    {"NoFolder", TRIMAP_PATH " -o{}/none/t.svg", example, 1, report,
     "slika nije sacuvana: {}/none/t.svg: No such file or directory\n"},
    // The EGL call and error that name why depend on the machine.
    {"NoOpenGl", "env __EGL_VENDOR_LIBRARY_FILENAMES=/none " TRIMAP_PATH " -o {}/t.png", example, 1,
     report, "slika nije sacuvana: {}/t.png: egl"},
};

std::string placed(std::string text, const std::string& folder) {
    const bool root = geteuid() == 0;
    const std::pair<std::string, std::string> places[] = {
        {"{}", folder},
        {"{nobody}", root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : ""}};
    for (const auto& [mark, text2] : places) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, mark.size(), text2);
        }
    }
    return text;
}

// The files beside in.svg, in order, each with its mode.
std::string leftIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        char mode[8];
        std::snprintf(mode, sizeof mode, " %o", unsigned(entry.status().permissions()));
        files.push_back(entry.path().filename().string() + mode);
    }
    std::sort(files.begin(), files.end());
    std::string left;
    for (const std::string& file : files) {
        left += file.starts_with("in.svg") ? "" : (left.empty() ? "" : ", ") + file;
    }
    return left;
}

class Program : public testing::TestWithParam<Case> {};

TEST_P(Program, PrintsAndLeavesWhatItShould) {
    const Case& c = GetParam();
    const ScratchFolder folder;
    const std::string old = folder.path + "/old.SVG";
    std::ofstream(old) << "an older picture";
    std::filesystem::permissions(old, std::filesystem::perms(0640));
    std::filesystem::create_directory(folder.path + "/in.svg");
    if (geteuid() == 0) {
        for (const std::string& path : {folder.path, old, folder.path + "/in.svg"}) {
            ASSERT_EQ(0, chown(path.c_str(), 65534, 65534));
        }
    }
    const Ran ran = run(placed(c.command, folder.path), c.input);
    EXPECT_EQ(c.status, ran.status);
    EXPECT_EQ(c.output, ran.output);
    EXPECT_TRUE(ran.errors.starts_with(placed(c.error, folder.path))) << ran.errors;
    EXPECT_EQ(c.error.empty() ? 0 : 1, std::count(ran.errors.begin(), ran.errors.end(), '\n'));
    EXPECT_EQ(c.left, leftIn(folder.path));
    EXPECT_EQ(c.replacesOld, contents(old).starts_with("<?xml"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Program, testing::ValuesIn(cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Help, NamesEveryOptionAndReadsNothing) {
    const Ran ran = run(TRIMAP_PATH " --help", example);
    EXPECT_EQ(0, ran.status);
    for (const char* line : {"\n  -o, --output DATOTEKA ", "\n      --no-window ",
                             "\n  -l, --labels ", "\n  -h, --help ", "\n      --version ",
                             " -display EKRAN, -geometry GEOMETRIJA, ", ".png ili .svg\n"}) {
        EXPECT_NE(std::string::npos, ran.output.find(line)) << line;
    }
    EXPECT_EQ(std::string::npos, ran.output.find("unesite"));
}

// The version that the package's changelog names last.
TEST(Version, IsTheChangelogs) {
    const std::string changelog = contents(SOURCE_DIR "/packaging/changelog");
    const std::size_t open = changelog.find('('), close = changelog.find(')');
    const std::string version = changelog.substr(open + 1, close - open - 1) + "\n";
    EXPECT_EQ("paraquad " + version, run(PARAQUAD_PATH " --version", "").output);
    EXPECT_EQ("trimap " + version, run(TRIMAP_PATH " --version", "").output);
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
    geom::Scene scene;
    pipe.accepted = trimap.dialogue({in, out, out, err}, scene);
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

// What only a window shows needs an X server; without one each test fails here, before any X call.
template <typename Base> class OnScreen : public Base {
  protected:
    void SetUp() override {
        ASSERT_TRUE(haveDisplay())
            << "no X display at $DISPLAY; scripts/test.sh runs the suite in Xvfb";
    }
};

using Window = OnScreen<testing::Test>;

TEST_F(Window, ShowsWhatThePngHoldsUntilItsCloseButton) {
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " --labels -o " + folder.path + "/t.png", example);
    Image shown;
    const Ran showing = withWindow(TRIMAP_PATH " -l", example, [&](WindowInfo window) {
        EXPECT_EQ(1024, window.width);
        EXPECT_EQ(700, window.height);
        shown = grab(window);
        closeWindow(window);
    });
    EXPECT_EQ(0, showing.status);
    EXPECT_EQ(saving.output, showing.output);
    EXPECT_TRUE(shown.rgb == readPng(folder.path + "/t.png").rgb) << "the pixels differ";
}

class Key : public OnScreen<testing::TestWithParam<const char*>> {};

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
