// Both programs: refusals, misuses, what they print and leave and return, and their windows.
#include "parallelogram_dialogue.h"
#include "program.h"
#include "program/command_line.h"
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <future>
#include <regex>

namespace {

using namespace geom;

// In general position, from a float32 model of the arithmetic written in Python.
const std::string example = "1203.5 -417.25 1876.125 -102.75 1455.8 391.6\n"
                            "-2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35\n",
                  quad = "1 1 5 2 6 5";
const std::string report = "unesite koordinate temena trougla ABC\n"
                           "unesite koordinate temena trougla A'B'C'\n"
                           "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n"
                           "-1.264356 1.162758 -303.586548 \n0.385857 0.791616 1368.623169 \n"
                           "0.000000 0.000000 1.000000 \n"
                           "koordinate slike tacke a su x=-2310.399902 y=1502.699829\n"
                           "koordinate slike tacke b su x=-2795.149902 y=2011.199951\n"
                           "koordinate slike tacke c su x=-1688.900024 y=2240.350098\n";
const std::string quadPrompt = "unesite temena paralelograma\n";
const std::string fourth =
    quadPrompt + "koordinate temena D paralelograma su x=2.000000, y=4.000000\n";

// The README's refusals: for each figure, in each place, a bad word or the end; then the others.
TEST(Refusals, NameEachFigureAndWhatIsWrongWithIt) {
    const std::string valid[] = {"-4", "3.5", "2.25", "-1.75", "6.5", "8"};
    // Each reading: its program, what was read before, and the figure's name.
    const std::tuple<const Tool*, std::string, const char*> readings[] = {
        {&trimap, "", "trougla ABC"},
        {&trimap, "1.5 -2.25 7.75 0.5 3.125 6\n", "trougla A'B'C'"},
        {&paraquad, "", "temena paralelograma"},
        {&trimap, "0 0 1e-19 0 0 1e-19\n", "trougla A'B'C'"}}; // a tiny ABC
    const auto expectRefused = [](const auto& reading, const std::string& input, std::string what) {
        const auto& [tool, before, figure] = reading;
        const Conversation said = converse(*tool, before + input);
        EXPECT_FALSE(said.accepted) << input;
        what.replace(what.find('%'), 1, figure);
        EXPECT_EQ("uneli ste " + what + ", pokusajte ponovo\n", said.report) << input;
    };
    for (const auto& r : readings) {
        for (std::size_t place = 0; place < 6; ++place) {
            for (const std::string word : {"", "x", "inf", "-nan", "1e39", "-3.5e38", "1,5", "1e",
                                           "3abc", "1.5.2", "2\x01"}) {
                std::string input; // with no word, the input ends here
                for (std::size_t i = 0; i < (word.empty() ? place : 6); ++i) {
                    input += (i == place ? word : valid[i]) + "\t";
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
        {3, "0 0 1e20 0 0 1e20", outOfRange},             // the map's entries overflow
    };
    for (const auto& [reading, input, what] : rows) {
        expectRefused(readings[reading], input, what);
    }
}

// Each misuse in words, with the option as typed, in printable text.
TEST(Options, SayEachMisuse) {
    const std::pair<std::vector<std::string>, std::string> misuses[] = {
        {{"--no-windows"}, "nepoznata opcija '--no-windows'"},
        {{"--no\x01win\x7f"}, "nepoznata opcija '--no\\x01win\\x7f'"},
        {{"--=x"}, "nepoznata opcija '--=x'"},
        {{"-o"}, "opciji '-o' nedostaje vrednost"},
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
        std::vector<char*> argv(words.size());
        std::transform(words.begin(), words.end(), argv.begin(), [](auto& w) { return w.data(); });
        const Options parsed = parseOptions(int(argv.size()), argv.data());
        EXPECT_EQ(Action::Misuse, parsed.action) << problem;
        EXPECT_EQ(problem, parsed.problem);
    }
}

// $d: the case's folder, with old.SVG (mode 640) and the folder in.svg, and afterwards the files
// `left` names beside in.svg; {} stands for it in `error`. $nobody runs a command as a user.
struct Case {
    const char* name;
    std::string command, input;
    int status;
    std::string output, error; // one line on standard error that starts so
    bool replacesOld = false;
    std::string left = "old.SVG 640\n";
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case cases[] = {
    // X options pass; the numbers split anyhow; what follows the last is not read.
    {"Trimap", TRIMAP_PATH " --no-window -iconic -display :0",
     "1203.5\n-417.25\n1876.125\n-102.75 1455.8 391.6\r\n-2310.4 1502.7\t-2795.15 2011.2 -1688.9 "
     "2240.35 x,y",
     0, report, ""},
    // Each prompt reaches a reader on a pipe before the program waits for the answer.
    {"PromptsBeforeReading",
     "read abc && read image && mkfifo $d/in && { " TRIMAP_PATH " --no-window <$d/in >$d/out & } "
     "&& exec 3>$d/in && until grep -qs ABC $d/out; do sleep 0.01; done && echo $abc >&3 && until "
     "grep -qs \"A'B'C'\" $d/out; do sleep 0.01; done && echo $image >&3 && wait && cat $d/out "
     "&& rm $d/in $d/out",
     example, 0, report, ""},
    {"TooLargeToDraw", PARAQUAD_PATH " -o $d/p.png", "0 0 5.2e36 0 5.2e36 5.2e36", 1,
     quadPrompt + "uneli ste koordinate temena paralelograma izvan dozvoljenog opsega, pokusajte "
                  "ponovo\n",
     ""},
    {"UnreadableInput", "exec " PARAQUAD_PATH " </", "", 1, quadPrompt,
     "ulaz nije procitan: Is a directory\n"},
    // The version the changelog names last.
    {"Version",
     "v=$(sed -n '1s/.*(\\(.*\\)).*/\\1/p' " SOURCE_DIR "/packaging/changelog) && { " TRIMAP_PATH
     " --version && " PARAQUAD_PATH " --version; } | sed \"s/ $v$/ V/\"",
     "", 0, "trimap V\nparaquad V\n", ""},
    {"HelpIntoAFullDisk", TRIMAP_PATH " --help >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"VersionIntoAFullDisk", PARAQUAD_PATH " --version >/dev/full", "", 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"ReportIntoAFullDisk", PARAQUAD_PATH " -o $d/p.svg >/dev/full", quad, 1, "",
     "izvestaj nije ispisan: No space left on device\n"},
    {"Misuse", PARAQUAD_PATH " -o", quad, 2, "",
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n"},
    // Replaced whole, keeping its mode; through a link, the file linked to.
    {"SvgReplacesAFile", PARAQUAD_PATH " --output $d/old.SVG", quad, 0, fourth, "", true},
    {"ThroughALink", "ln -s old.SVG $d/link.svg && " PARAQUAD_PATH " -o $d/link.svg", quad, 0,
     fourth, "", true, "link.svg 640\nold.SVG 640\n"},
    {"NewPictureFollowsTheUmask", "umask 027 && " TRIMAP_PATH " -o $d/t.PNG", example, 0, report,
     "", false, "old.SVG 640\nt.PNG 640\n"},
    {"LongestName", PARAQUAD_PATH " -o $d/" + std::string(251, 'n') + ".svg", quad, 0, fourth, "",
     false, std::string(251, 'n') + ".svg 644\nold.SVG 640\n"},
    {"WriteProtected", "chmod 444 $d/old.SVG && $nobody" PARAQUAD_PATH " -o $d/old.SVG", quad, 1,
     fourth, "slika nije sacuvana: {}/old.SVG: Permission denied\n", false, "old.SVG 444\n"},
    {"FolderTakesNoNewFile",
     "chmod 555 $d && $nobody" PARAQUAD_PATH " -o $d/old.SVG; s=$?; chmod 755 $d; exit $s", quad, 0,
     fourth, "", true},
    {"FileSizeLimit", "ulimit -f 1 && " PARAQUAD_PATH " -o $d/old.SVG", quad, 1, fourth,
     "slika nije sacuvana: {}/old.SVG: File too large\n"},
    // A signal while the picture is put in place leaves the old one and nothing else.
    {"Interrupted", SIGNAL_AT_RENAME "=2 " TRIMAP_PATH " -o $d/old.SVG", example, 130, report, ""},
    {"HungUp", SIGNAL_AT_RENAME "=1 " TRIMAP_PATH " -o $d/old.SVG", example, 129, report, ""},
    {"FolderInTheWay", PARAQUAD_PATH " -o $d/in.svg", quad, 1, fourth,
     "slika nije sacuvana: {}/in.svg: Is a directory\n"},
    {"NoFolder", TRIMAP_PATH " -o$d/none/t.svg", example, 1, report,
     "slika nije sacuvana: {}/none/t.svg: No such file or directory\n"},
    // The EGL call and error that name why depend on the machine.
    {"NoOpenGl", "env __EGL_VENDOR_LIBRARY_FILENAMES=/none " TRIMAP_PATH " -o $d/t.png", example, 1,
     report, "slika nije sacuvana: {}/t.png: egl"},
};

// Made before each case; the folder given to nobody when run as root.
const std::string fixtures =
    " && echo an older picture >$d/old.SVG && chmod 640 $d/old.SVG && mkdir $d/in.svg && if [ "
    "$(id -u) = 0 ]; then nobody='setpriv --reuid=65534 --regid=65534 --clear-groups '; chown -R "
    "65534:65534 $d; fi\n";

class Program : public testing::TestWithParam<Case> {};

TEST_P(Program, PrintsAndLeavesWhatItShould) {
    const Case& c = GetParam();
    const ScratchFolder folder;
    const Ran ran = run("d=" + folder.path + fixtures + c.command, c.input);
    EXPECT_EQ(c.status, ran.status);
    EXPECT_EQ(c.output, ran.output);
    EXPECT_TRUE(std::regex_replace(ran.errors, std::regex(folder.path), "{}").starts_with(c.error))
        << ran.errors;
    EXPECT_EQ(c.error.empty() ? 0 : 1, std::count(ran.errors.begin(), ran.errors.end(), '\n'));
    const std::string listing =
        "cd " + folder.path + " && stat -Lc '%n %a' $(LC_ALL=C ls -A | grep -vx in.svg)";
    EXPECT_EQ(c.left, run(listing, "").output);
    EXPECT_EQ(c.replacesOld, contents(folder.path + "/old.SVG").starts_with("<?xml"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Program, testing::ValuesIn(cases),
                         [](const auto& test) { return std::string(test.param.name); });

// The PNG's pixels, names and all, till the close button (nullptr), Escape or q; GLUT's options.
class Window : public testing::TestWithParam<const char*> {};

TEST_P(Window, ShowsThePngsPixelsUntilClosed) {
    const char *key = GetParam(), *title = "Geometrija - prikaz zadatka";
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " -l -o " + folder.path + "/t.png", example);
    auto running =
        std::async(std::launch::async, run,
                   TRIMAP_PATH " -l" + std::string(key ? " -geometry 640x480" : ""), example);
    const std::optional<WindowInfo> window = awaitWindow(title);
    ASSERT_TRUE(window) << "no window titled " << title
                        << "; no X server at $DISPLAY? scripts/test.sh runs the tests in Xvfb";
    EXPECT_TRUE(window->width == (key ? 640 : 1024) && window->height == (key ? 480 : 700));
    const Image shown = grab(*window);
    closeWindow(*window, key);
    const Ran showing = running.get();
    EXPECT_TRUE(showing.status == 0 && showing.output == saving.output) << showing.errors;
    EXPECT_TRUE(key || shown.rgb == readPng(contents(folder.path + "/t.png")).rgb);
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, Window, testing::Values(nullptr, "Escape", "q"),
                         [](const auto& test) {
                             return std::string(test.param ? test.param : "CloseButton");
                         });

} // namespace
