// The dialogues and the command line in-process, leak checking on, and what a save leaves.
#include "parallelogram_dialogue.h"
#include "probe.h"
#include "program/command_line.h"
#include "program/file_saving.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <malloc.h>
#include <sstream>

namespace {

using namespace geom;

// Nothing stays behind: no memory from conversing, as the page does, no signal handler from a save.
TEST(Dialogue, LeavesNothingBehind) {
    std::size_t inUse[2] = {};
    for (std::size_t& bytes : inUse) { // the first round warms the allocator's caches
        for (int i = 0; i < 100; ++i) {
            converse(trimap, "0 0 4 0 1 3 5 1 8 2 6 5");
        }
        bytes = mallinfo2().uordblks;
    }
    EXPECT_EQ(inUse[0], inUse[1]);
    const ScratchFolder folder;
    void (*const handler)(int) = [](int) {};
    for (const std::string& name : {std::string(5000, 'x'), std::string("p")}) {
        signal(SIGHUP, SIG_IGN);
        signal(SIGUSR1, handler);
        EXPECT_EQ(name.size() > 1 ? std::optional<std::string>("File name too long") : std::nullopt,
                  saveFile(folder.path + "/" + name + ".svg", "<svg/>"));
        EXPECT_EQ(std::tuple(SIG_IGN, handler, SIG_DFL, SIG_DFL, SIG_DFL),
                  std::tuple(signal(SIGHUP, SIG_DFL), signal(SIGUSR1, SIG_DFL),
                             signal(SIGINT, SIG_DFL), signal(SIGXFSZ, SIG_DFL),
                             signal(SIGTERM, SIG_DFL)));
    }
}

// The README's refusals: for each figure, in each place, a bad word or the end; then the others.
TEST(Refusals, NameEachFigureAndWhatIsWrongWithIt) {
    const std::string valid[] = {"-4", "3.5", "2.25", "-1.75", "6.5", "8"};
    const std::tuple<const Program*, std::string, const char*> readings[] = {
        {&trimap, "", "trougla ABC"},
        {&trimap, "1.5 -2.25 7.75 0.5 3.125 6\n", "trougla A'B'C'"},
        {&paraquad, "", "temena paralelograma"},
        {&trimap, "0 0 1e-19 0 0 1e-19\n", "trougla A'B'C'"}}; // a tiny ABC
    const auto expectRefused = [](const auto& reading, const std::string& input, std::string what) {
        const auto& [program, before, figure] = reading;
        const Decision said = converse(*program, before + input).decision;
        EXPECT_NE(Verdict::Accepted, said.verdict) << input;
        what.replace(what.find('%'), 1, figure);
        EXPECT_EQ("uneli ste " + what + ", pokusajte ponovo\n", said.report) << input;
    };
    for (const auto& r : readings) {
        for (std::size_t place = 0; place < 6; ++place) {
            for (const std::string& word : // and one character longer than a word may be
                 std::vector<std::string>{"", "x", "inf", "-nan", "1e39", "-3.5e38", "1,5", "1e",
                                          "3abc", "1.5.2", "2\x01", std::string(4096, '0') + "1"}) {
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
        {0, "0.5 0.5 2.5 1.5 6.5 3.5", collinear}, // on one slanted line
        {1, "3 -1 3 -1 7 2", collinear},           // A' = B'
        {2, "-2 5 1 3.5 7 0.5", collinear},        // on one slanted line
        {0, "-3e38 0 3e38 1 0 2", outOfRange},     // B - A overflows in x
        {0, "0 -2e38 1 3e38 2 0", outOfRange},     // and in y
        {0, "0 0 1e20 0 0 1e20", outOfRange},      // 1 / det is subnormal
        {0, "1e-20 0 0 0 0 1e-20", outOfRange},    // 1 / det overflows
        {1, "3e38 0 -3e38 0 0 1", outOfRange},     // B' - A' overflows
        {1, "0 0 1e37 0 0 1e37", outOfRange},      // the picture is too large to draw
        {2, "3e38 0 -3e38 0 0 1", outOfRange},     // B - A overflows
        {2, "0 0 -3e38 1 3e38 0", outOfRange},     // D overflows
        {2, "0 0 0 5.00000013e36 5.00000013e36 5.00000013e36", outOfRange},    // an ulp too large
        {2, "0 0 0 4.99999975e-33 4.99999975e-33 4.99999975e-33", outOfRange}, // an ulp too small
        {3, "0 0 1e20 0 0 1e20", outOfRange}, // the map's entries overflow
    };
    for (const auto& [reading, input, what] : rows) {
        expectRefused(readings[reading], input, what);
    }
}

std::string asked(std::vector<std::string> words) {
    words.insert(words.begin(), "trimap");
    std::vector<char*> argv;
    std::transform(words.begin(), words.end(), std::back_inserter(argv),
                   [](auto& w) { return w.data(); });
    const Options o = parseOptions(int(argv.size()), argv.data());
    const WindowGeometry w = o.window;
    const bool save = o.action == Action::Save, png = o.format == PictureFormat::Png;
    std::ostringstream said;
    said << std::array{"show", "save", "report", "help", "version", ""}[std::size_t(o.action)]
         << (o.names ? " names" : "") << (save ? " " + o.picture + (png ? " png" : " svg") : "")
         << " " << w.width << "x" << w.height;
    if (w.placed) {
        said << (w.fromRight ? "-" : "+") << std::abs(w.x) << (w.fromBottom ? "-" : "+")
             << std::abs(w.y);
    }
    for (const std::string& x : o.xOptions) {
        said << " " << x;
    }
    return o.action == Action::Misuse ? o.problem : said.str();
}

// Each command line's request, or its misuse with bytes that are not printable ASCII as \xHH.
TEST(Options, ReadAsGetoptAndXReadThem) {
    const std::string printable =
        "-- !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
        "abcdefghijklmnopqrstuvwxyz{|}~";
    const std::pair<std::vector<std::string>, std::string> lines[] = {
        {{}, "show 1024x700+100+50"},
        {{"-l", "--no-win"}, "report names 1024x700+100+50"},
        {{"--no-window", "-oP.SVG", "--lab"}, "save names P.SVG svg 1024x700+100+50"},
        {{"--output=x.Png", "-display", ":1", "--iconic", "-sync", "-gldebug"},
         "save x.Png png 1024x700+100+50 -display :1 -iconic -sync -gldebug"},
        {{"-he"}, "help 1024x700+100+50"},
        {{"--vers"}, "version 1024x700+100+50"},
        {{"-geometry", "640"}, "show 640x700"},
        {{"-geometry", "x480"}, "show 1024x480"},
        {{"-geom", "+0+0"}, "show 1024x700+0+0"},
        {{"-geometry=-0-0"}, "show 1024x700-0-0"},
        {{"-geometry", "=16384X1+5-7"}, "show 16384x1+5-7"},
        {{"-geometry", "1x16384-32767+32767"}, "show 1x16384-32767+32767"},
        {{"-geometry", "16385x1"},
         "sirina i visina prozora moraju biti od 1 do 16384 piksela: '16385x1'"},
        {{"-geometry", "5x0"}, "sirina i visina prozora moraju biti od 1 do 16384 piksela: '5x0'"},
        {{"-geometry", "5x5+32768+0"}, "neispravna geometrija prozora '5x5+32768+0'"},
        {{"-geometry", "640x"}, "neispravna geometrija prozora '640x'"},
        {{"-geometry", "+1"}, "neispravna geometrija prozora '+1'"},
        {{"-geometry", ""}, "neispravna geometrija prozora ''"},
        {{printable}, "nepoznata opcija '" + printable + "'"},
        {{"--no\x01win\x7f\x80\xff"}, "nepoznata opcija '--no\\x01win\\x7f\\x80\\xff'"},
        {{"--=x"}, "nepoznata opcija '--=x'"},
        {{"-"}, "suvisan argument '-'"},
        {{"-o"}, "opciji '-o' nedostaje vrednost"},
        {{"--version=1"}, "opcija '--version' ne prima vrednost"},
        {{"-d", ":0"}, "dvosmislena opcija '-d' (-display, -direct)"},
        {{"--i"}, "dvosmislena opcija '--i' (--iconic, --indirect)"},
        {{"-o", "a.png", "--output=b.svg"}, "opcija '--output' je data dva puta"},
        {{"-oslika.jpg"}, "slika mora imati nastavak .png ili .svg: 'slika.jpg'"},
        {{"--", "slika.png"}, "suvisan argument 'slika.png'"},
    };
    for (const auto& [words, meaning] : lines) {
        EXPECT_EQ(meaning, asked(words));
    }
}

} // namespace
