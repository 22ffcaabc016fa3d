// Both programs: every refusal and misuse; as built and run the way a script runs them, what they
// print, the files they leave and their exit statuses; the dialogue on a pipe; and in an X server
// what only a window shows (one window at a time: each opens at the same place).
#include "parallelogram_dialogue.h"
#include "picture/frame.h"
#include "program.h"
#include "program/command_line.h"
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <gtest/gtest.h>

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
const std::string example = "0 0 4 0 1 3\n5 1 8 2 6 5\n", quad = "1 1 5 2 6 5";
const std::string report = abc + a2b2c2 +
                           "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n"
                           "0.750000 0.083333 5.000000 \n0.250000 1.250000 1.000000 \n"
                           "0.000000 0.000000 1.000000 \n"
                           "koordinate slike tacke a su x=5.000000 y=1.000000\n"
                           "koordinate slike tacke b su x=8.000000 y=2.000000\n"
                           "koordinate slike tacke c su x=6.000000 y=5.000000\n";
const std::string quadPrompt = "unesite temena paralelograma\n";
const std::string fourth =
    quadPrompt + "koordinate temena D paralelograma su x=2.000000, y=4.000000\n";

// Each refusal of the README's table for ABC, A'B'C' and the parallelogram: in each of the six
// places a word that is not a whole finite float, or the end of input; then the other rows.
TEST(Refusals, NameEachFigureAndWhatIsWrongWithIt) {
    const struct {
        const Tool& tool;
        std::string before, valid;
        const char* figure;
    } readings[] = {
        {trimap, "", "1.5 -2.25 7.75 0.5 3.125 6", "trougla ABC"},
        {trimap, "1.5 -2.25 7.75 0.5 3.125 6\n", "-4 3.5 2.25 -1.75 6.5 8", "trougla A'B'C'"},
        {paraquad, "", "-4 3.5 2.25 -1.75 6.5 8", "temena paralelograma"},
    };
    const auto expectRefused = [](const auto& r, const std::string& input, std::string what) {
        const Conversation said = converse(r.tool, r.before + input);
        EXPECT_FALSE(said.accepted) << input;
        what = "\nuneli ste " + what.replace(what.find('%'), 1, r.figure) + ", pokusajte ponovo\n";
        EXPECT_TRUE(said.transcript.ends_with(what)) << input << ": " << said.transcript;
    };
    for (const auto& r : readings) {
        std::istringstream numbers(r.valid);
        const std::vector<std::string> words{std::istream_iterator<std::string>(numbers), {}};
        for (std::size_t place = 0; place < 6; ++place) {
            std::string cut;
            for (std::size_t i = 0; i < place; ++i) {
                cut += words[i] + "\t";
            }
            expectRefused(r, cut, "neispravne koordinate %");
            for (const std::string word :
                 {"x", "inf", "-nan", "1e39", "-3.5e38", "1,5", "1e", "3abc", "1.5.2", "2\x01"}) {
                std::string input;
                for (std::size_t i = 0; i < words.size(); ++i) {
                    input += (i == place ? word : words[i]) + " ";
                }
                expectRefused(r, input, "neispravne koordinate %");
            }
        }
    }
    const std::string collinear = "tri kolinearne tacke kao koordinate %";
    const std::string outOfRange = "koordinate % izvan dozvoljenog opsega";
    const std::tuple<int, const char*, std::string> rows[] = {
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
    for (const auto& [reading, input, what] : rows) {
        expectRefused(readings[reading], input, what);
    }
    // The entries of the map overflow, from a tiny ABC onto a huge A'B'C'.
    auto tiny = readings[1];
    tiny.before = "0 0 1e-19 0 0 1e-19\n";
    expectRefused(tiny, "0 0 1e20 0 0 1e20", outOfRange);
}

// Each misuse in words, with the option as typed, in printable text.
TEST(Options, SayEachMisuse) {
    const std::pair<std::vector<std::string>, std::string> misuses[] = {
        {{"--no-windows"}, "nepoznata opcija '--no-windows'"},
        {{"--no-win\x01"}, "nepoznata opcija '--no-win\\x01'"},
        {{"-o"}, "opciji '-o' nedostaje vrednost"},
        {{"--display"}, "opciji '--display' nedostaje vrednost"},
        {{"--version=1"}, "opcija '--version' ne prima vrednost"},
        {{"-d", ":0"}, "dvosmislena opcija '-d' (-display, -direct)"},
        {{"-o", "a.png", "--output=b.svg"}, "opcija '--output' je data dva puta"},
        {{"-oslika.jpg"}, "slika mora imati nastavak .png ili .svg: 'slika.jpg'"},
        {{"-geometry", "32767x32767"},
         "sirina i visina prozora moraju biti od 1 do 16384 piksela: '32767x32767'"},
        {{"-geometry", "640x"}, "neispravna geometrija prozora '640x'"},
        {{"--", "slika.png"}, "suvisan argument 'slika.png'"},
    };
    for (auto [words, problem] : misuses) {
        words.insert(words.begin(), "trimap");
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        const Options parsed = parseOptions(int(argv.size()), argv.data());
        EXPECT_EQ(Action::Misuse, parsed.action) << problem;
        EXPECT_EQ(problem, parsed.problem);
    }
}

// {} is a folder of the case's own, holding old.SVG (mode 640) and the folder in.svg beforehand,
// and beside in.svg the files `left` names afterwards. {nobody} runs what follows as a user, not
// root.
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

std::string refused(const std::string& prompts, const std::string& what) {
    return prompts + "uneli ste " + what + ", pokusajte ponovo\n";
}

const Case cases[] = {
    // X options pass; the numbers split anyhow; what follows the last is not read.
    {"Trimap", TRIMAP_PATH " --no-window -iconic -display :0", "0\n0\n4\n0 1 3\r\n5 1\t8 2 6 5 x,y",
     0, report, ""},
    {"Paraquad", PARAQUAD_PATH " --no-window", "1\r\n1\n5\n2\n6\n5\n", 0, fourth, ""},
    // Each prompt reaches a reader on a pipe before the program waits for the answer.
    {"PromptsBeforeReading",
     "mkfifo {}/in && { " TRIMAP_PATH " --no-window <{}/in >{}/out & } && exec 3>{}/in && until "
     "grep -q ABC {}/out; do sleep 0.01; done && echo 0 0 4 0 1 3 >&3 && until grep -q \"A'B'C'\" "
     "{}/out; do sleep 0.01; done && echo 5 1 8 2 6 5 >&3 && wait && cat {}/out && rm {}/in {}/out",
     "", 0, report, ""},
    {"TooLargeToDraw", PARAQUAD_PATH " -o {}/p.png", "0 0 5.2e36 0 5.2e36 5.2e36", 1,
     refused(quadPrompt, "koordinate temena paralelograma izvan dozvoljenog opsega"), ""},
    {"UnreadableInput", "exec " PARAQUAD_PATH " </", "", 1, quadPrompt,
     "ulaz nije procitan: Is a directory\n"},
    {"HelpIntoAFullDisk", TRIMAP_PATH " --help >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"VersionIntoAFullDisk", PARAQUAD_PATH " --version >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"ReportIntoAFullDisk", PARAQUAD_PATH " -o {}/p.svg >/dev/full", quad, 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"Misuse", PARAQUAD_PATH " -o", quad, 2, "",
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n"},
    // Replaced whole, keeping its mode; through a link, the file linked to.
    {"SvgReplacesAFile", PARAQUAD_PATH " --output {}/old.SVG", quad, 0, fourth, "", true},
    {"ThroughALink", "ln -s old.SVG {}/link.svg && " PARAQUAD_PATH " -o {}/link.svg", quad, 0,
     fourth, "", true, "link.svg 640, old.SVG 640"},
    {"NewPictureFollowsTheUmask", "umask 027 && " TRIMAP_PATH " -o {}/t.PNG", example, 0, report,
     "", false, "old.SVG 640, t.PNG 640"},
    {"LongestName", PARAQUAD_PATH " -o {}/" + std::string(251, 'n') + ".svg", quad, 0, fourth, "",
     false, std::string(251, 'n') + ".svg 644, old.SVG 640"},
    {"WriteProtected", "chmod 444 {}/old.SVG && {nobody}" PARAQUAD_PATH " -o {}/old.SVG", quad, 1,
     fourth, "slika nije sacuvana: {}/old.SVG: Permission denied\n", false, "old.SVG 444"},
    {"FolderTakesNoNewFile",
     "chmod 555 {} && {nobody}" PARAQUAD_PATH " -o {}/old.SVG; s=$?; chmod 755 {}; exit $s", quad,
     0, fourth, "", true},
    {"FileSizeLimit", "ulimit -f 1 && " PARAQUAD_PATH " -o {}/old.SVG", quad, 1, fourth,
     "slika nije sacuvana: {}/old.SVG: File too large\n"},
    // A signal while the picture is put in place leaves the old one and nothing else.
    {"Interrupted", SIGNAL_AT_RENAME "=2 " TRIMAP_PATH " -o {}/old.SVG", example, 130, report, ""},
    {"HungUp", SIGNAL_AT_RENAME "=1 " TRIMAP_PATH " -o {}/old.SVG", example, 129, report, ""},
    {"FolderInTheWay", PARAQUAD_PATH " -o {}/in.svg", quad, 1, fourth,
     "slika nije sacuvana: {}/in.svg: Is a directory\n"},
    {"NoFolder", TRIMAP_PATH " -o{}/none/t.svg", example, 1, report,
     "slika nije sacuvana: {}/none/t.svg: No such file or directory\n"},
    // The EGL call and error that name why depend on the machine.
    {"NoOpenGl", "env __EGL_VENDOR_LIBRARY_FILENAMES=/none " TRIMAP_PATH " -o {}/t.png", example, 1,
     report, "slika nije sacuvana: {}/t.png: egl"},
};

std::string placed(std::string text, const std::string& folder) {
    const std::pair<std::string, std::string> places[] = {
        {"{}", folder},
        {"{nobody}", geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : ""}};
    for (const auto& [mark, replacement] : places) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, mark.size(), replacement);
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
        if (entry.path().filename() != "in.svg") {
            files.push_back(entry.path().filename().string() + mode);
        }
    }
    std::sort(files.begin(), files.end());
    std::string left;
    for (const std::string& file : files) {
        left += (left.empty() ? "" : ", ") + file;
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
    for (const std::string& path : {folder.path, old, folder.path + "/in.svg"}) {
        ASSERT_TRUE(geteuid() != 0 || chown(path.c_str(), 65534, 65534) == 0);
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

// A usage naming every option, with nothing read; the version the changelog names last.
TEST(Help, NamesEveryOptionAndTheVersion) {
    const Ran help = run(TRIMAP_PATH " --help", example);
    EXPECT_EQ(0, help.status);
    for (const char* line : {"\n  -o, --output DATOTEKA ", "\n      --no-window ",
                             "\n  -l, --labels ", "\n  -h, --help ", "\n      --version ",
                             " -display EKRAN, -geometry GEOMETRIJA, ", ".png ili .svg\n"}) {
        EXPECT_NE(std::string::npos, help.output.find(line)) << line;
    }
    EXPECT_EQ(std::string::npos, help.output.find("unesite"));
    const std::string changelog = contents(SOURCE_DIR "/packaging/changelog");
    const std::size_t open = changelog.find('('), close = changelog.find(')');
    const std::string version = changelog.substr(open + 1, close - open - 1) + "\n";
    EXPECT_EQ("paraquad " + version, run(PARAQUAD_PATH " --version", "").output);
    EXPECT_EQ("trimap " + version, run(TRIMAP_PATH " --version", "").output);
}

// Closed by its close button (nullptr) or a key; without an X server, failed before any X call.
class Window : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(haveDisplay())
            << "no X display at $DISPLAY; scripts/test.sh runs the suite in Xvfb";
    }
};

// The window shows the PNG's very pixels, names and all; GLUT's own options reach it, as a smaller
// window; and its close button, Escape and q each end the program with status 0.
TEST_P(Window, ShowsThePngsPixelsUntilClosed) {
    const char* key = GetParam();
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " --labels -o " + folder.path + "/t.png", example);
    for (int tries = 0; tries < 1000 && findWindow(windowTitle); ++tries) { // the last test's
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    auto running =
        std::async(std::launch::async, run,
                   TRIMAP_PATH " -l" + std::string(key ? " -geometry 640x480" : ""), example);
    const std::optional<WindowInfo> window = awaitWindow(windowTitle);
    ASSERT_TRUE(window) << "no window titled " << windowTitle;
    EXPECT_EQ(key ? 640 : 1024, window->width);
    EXPECT_EQ(key ? 480 : 700, window->height);
    const Image shown = grab(*window);
    closeWindow(*window, key);
    const Ran showing = running.get();
    EXPECT_EQ(0, showing.status);
    EXPECT_EQ(saving.output, showing.output);
    EXPECT_TRUE(key || shown.rgb == readPng(folder.path + "/t.png").rgb) << "the pixels differ";
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, Window, testing::Values(nullptr, "Escape", "q"),
                         [](const auto& test) {
                             return std::string(test.param ? test.param : "CloseButton");
                         });

} // namespace
