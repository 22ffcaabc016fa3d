// Both programs' dialogues in-process, on the streams they are handed, and their command lines as
// built programs: what they print, the files they leave and their exit statuses.
#include "case_name.h"
#include "parallelogram_dialogue.h"
#include "program.h"
#include "scene.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

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

const std::string trimapExample = "0 0 4 0 1 3\n5 1 8 2 6 5\n";
const std::string trimapReport =
    report("0.750000 0.083333 5.000000 \n0.250000 1.250000 1.000000 \n", "x=5.000000 y=1.000000",
           "x=8.000000 y=2.000000", "x=6.000000 y=5.000000");

struct Case {
    const char* name;
    const Tool& tool;
    std::string input, output;
    bool accepted;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case cases[] = {
    {"Trimap", trimap, "0\n0\n4\n0 1 3\n5 1 8 2 6 5", trimapReport, true}, // split anyhow
    {"TrimapCollinearABC", trimap, "0 0 1 1 2 2\n1 1 3 1 1 4\n",
     refused(abc, "tri kolinearne tacke kao koordinate trougla ABC"), false},
    {"TrimapCollinearA2B2C2", trimap, "0 0 1 0 0 1\n2 2 2 2 2 2\n",
     refused(abc + a2b2c2, "tri kolinearne tacke kao koordinate trougla A'B'C'"), false},
    {"TrimapEmptyInput", trimap, "", refused(abc, "neispravne koordinate trougla ABC"), false},
    {"TrimapTargetNotANumber", trimap, "0 0 1 0 0 1\n0 0 1 zero 0 1\n",
     refused(abc + a2b2c2, "neispravne koordinate trougla A'B'C'"), false},
    {"TrimapReciprocalSubnormal", trimap, "0 0 1e20 0 0 1e20\n",
     refused(abc, "koordinate trougla ABC izvan dozvoljenog opsega"), false},
    {"TrimapMatrixOverflows", trimap, "0 0 1e-19 0 0 1e-19\n0 0 1e30 0 0 1e30\n",
     refused(abc + a2b2c2, "koordinate trougla A'B'C' izvan dozvoljenog opsega"), false},
    {"TrimapPictureOverflows", trimap, "0 0 1 0 0 1\n0 0 3e38 0 0 1\n",
     refused(abc + a2b2c2, "koordinate trougla A'B'C' izvan dozvoljenog opsega"), false},
    {"Paraquad", paraquad, "1\n1\n5\n2\n6\n5\n", fourth("x=2.000000, y=4.000000"), true},
    {"ParaquadNearlyCollinear", paraquad, "0 0 100 0 200 0.1", fourth("x=100.000000, y=0.100000"),
     true},
    {"ParaquadLargestDrawn", paraquad, "0 0 4.8e36 0 4.8e36 4.8e36",
     fourth("x=0.000000, y=4799999879496047989165464955834597376.000000"), true},
    {"ParaquadCollinear", paraquad, "0 0 1 1 2 2\n",
     refused(quad, "tri kolinearne tacke kao koordinate temena paralelograma"), false},
    {"ParaquadCutShort", paraquad, "0 0 4",
     refused(quad, "neispravne koordinate temena paralelograma"), false},
    {"ParaquadFourthVertexOverflows", paraquad, "3e38 0 0 0 3e38 1\n",
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), false},
    {"ParaquadTooLargeToDraw", paraquad, "0 0 5.2e36 0 5.2e36 5.2e36",
     refused(quad, "koordinate temena paralelograma izvan dozvoljenog opsega"), false},
};

class Dialogue : public testing::TestWithParam<Case> {};

// A refused figure leaves nothing to draw.
TEST_P(Dialogue, PrintsItsReportOrOneRefusal) {
    const Case& c = GetParam();
    std::FILE* in = fmemopen(const_cast<char*>(c.input.data()), c.input.size(), "r");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    scene = Scene{};
    EXPECT_EQ(c.accepted, c.tool.dialogue(in, out, stderr));
    std::fclose(out);
    std::fclose(in);
    EXPECT_EQ(c.output, std::string(text, size));
    std::free(text);
    EXPECT_EQ(c.accepted, !scene.points.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Dialogue, testing::ValuesIn(cases), CaseName());

// A reader at the other end of a fully buffered pipe: it takes `room` bytes, then fails as a full
// disk does, and at each read of the input it notes what had reached it.
struct Pipe {
    std::size_t room;
    std::string delivered;
    std::vector<std::string> lines; // the input, a line per read
    std::vector<std::string> seenAtReads;
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
    if (pipe.seenAtReads.size() > pipe.lines.size()) {
        return 0;
    }
    const std::string& line = pipe.lines[pipe.seenAtReads.size() - 1];
    return ssize_t(line.copy(buffer, size));
}

// Runs trimap's dialogue over such a pipe; returns what it said on standard error.
std::string converse(Pipe& pipe) {
    std::FILE* in = fopencookie(&pipe, "r", {answer, nullptr, nullptr, nullptr});
    std::FILE* out = fopencookie(&pipe, "w", {nullptr, deliver, nullptr, nullptr});
    std::setvbuf(out, nullptr, _IOFBF, 4096);
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* err = open_memstream(&text, &size);
    trimap.dialogue(in, out, err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    std::string errors(text, size);
    std::free(text);
    return errors;
}

TEST(Streams, EachPromptReachesThePipeBeforeItsRead) {
    Pipe pipe{4096, "", {"0 0 4 0 1 3\n", "5 1 8 2 6 5\n"}, {}};
    EXPECT_EQ("", converse(pipe));
    ASSERT_EQ(2u, pipe.seenAtReads.size());
    EXPECT_EQ(abc, pipe.seenAtReads[0]);
    EXPECT_EQ(abc + a2b2c2, pipe.seenAtReads[1]);
    EXPECT_EQ(trimapReport, pipe.delivered);
}

// The prompts go through; the report fails only at the last flush.
TEST(Streams, AReportThatCannotBeDeliveredIsAFailure) {
    Pipe pipe{abc.size() + a2b2c2.size(), "", {trimapExample}, {}};
    EXPECT_EQ("izvestaj nije ispisan: No space left on device\n", converse(pipe));
}

TEST(Streams, InputThatCannotBeReadIsSaidSo) {
    std::FILE* folder = std::fopen("/", "r");
    ASSERT_NE(nullptr, folder);
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* err = open_memstream(&text, &size);
    std::FILE* out = std::fopen("/dev/null", "w");
    EXPECT_FALSE(paraquad.dialogue(folder, out, err));
    std::fclose(folder);
    std::fclose(out);
    std::fclose(err);
    EXPECT_EQ("ulaz nije procitan: Is a directory\n", std::string(text, size));
    std::free(text);
}

TEST(CommandLine, HelpNamesEveryOptionAndReadsNothing) {
    Program program(TRIMAP_PATH, {"--help"}, trimapExample);
    EXPECT_EQ(0, program.status());
    const std::string usage = program.output();
    for (const char* word : {"-o", "--output", "--no-window", "-h", "--help", "--version",
                             "-display", ".png", ".svg"}) {
        EXPECT_NE(std::string::npos, usage.find(word)) << word;
    }
    EXPECT_EQ(std::string::npos, usage.find("unesite"));
}

// A command line and what the built program makes of it. In the arguments and messages, {}
// stands for a folder of the case's own, which holds the file old.SVG beforehand and nothing
// else afterwards.
struct Invocation {
    const char* name;
    const char* program;
    std::vector<std::string> arguments;
    std::string input;
    int status;
    std::string output, errors;
    bool replacesOld = false;
};

void PrintTo(const Invocation& r, std::ostream* os) {
    *os << r.name;
}

const std::string hint = "; pogledajte 'trimap --help'\n";

const Invocation invocations[] = {
    {"Version", PARAQUAD_PATH, {"--version"}, "", 0, "paraquad " GEOM_VERSION "\n", ""},
    {"UnknownOption",
     TRIMAP_PATH,
     {"--no-windows"},
     trimapExample,
     2,
     "",
     "trimap: nepoznata opcija '--no-windows'" + hint},
    {"MissingFile",
     PARAQUAD_PATH,
     {"-o"},
     "",
     2,
     "",
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n"},
    {"WrongFormat",
     TRIMAP_PATH,
     {"--output={}/slika.jpg"},
     trimapExample,
     2,
     "",
     "trimap: slika mora imati nastavak .png ili .svg: '{}/slika.jpg'" + hint},
    {"XOptionWithoutItsValue",
     TRIMAP_PATH,
     {"--no-window", "-display"},
     trimapExample,
     2,
     "",
     "trimap: opciji '-display' nedostaje vrednost" + hint},
    {"ExtraWord",
     TRIMAP_PATH,
     {"slika.png"},
     trimapExample,
     2,
     "",
     "trimap: suvisan argument 'slika.png'" + hint},
    {"ReportOnly", TRIMAP_PATH, {"--no-window", "-iconic"}, trimapExample, 0, trimapReport, ""},
    {"Refused",
     PARAQUAD_PATH,
     {"-o", "{}/p.svg"},
     "0 0 1 1 2 2",
     1,
     refused(quad, "tri kolinearne tacke kao koordinate temena paralelograma"),
     ""},
    {"SvgReplacesAFile",
     PARAQUAD_PATH,
     {"--output", "{}/old.SVG"},
     "1 1 5 2 6 5",
     0,
     fourth("x=2.000000, y=4.000000"),
     "",
     true},
    {"NoFolder",
     TRIMAP_PATH,
     {"-o{}/none/t.svg"},
     trimapExample,
     1,
     trimapReport,
     "slika nije sacuvana: {}/none/t.svg: No such file or directory\n"},
    {"NoOpenGl",
     "/usr/bin/env",
     {"__EGL_VENDOR_LIBRARY_FILENAMES=/none", TRIMAP_PATH, "-o", "{}/t.png"},
     trimapExample,
     1,
     trimapReport,
     "slika nije sacuvana: {}/t.png: eglGetPlatformDisplayEXT: EGL_BAD_PARAMETER\n"},
};

std::string placed(std::string text, const std::string& folder) {
    for (std::size_t at; (at = text.find("{}")) != std::string::npos;) {
        text.replace(at, 2, folder);
    }
    return text;
}

class CommandLine : public testing::TestWithParam<Invocation> {};

TEST_P(CommandLine, EndsWithItsStatus) {
    const Invocation& r = GetParam();
    const ScratchFolder folder;
    const std::string old = folder.path + "/old.SVG";
    std::ofstream(old) << "an older picture";
    std::vector<std::string> arguments;
    for (const std::string& word : r.arguments) {
        arguments.push_back(placed(word, folder.path));
    }
    Program program(r.program, arguments, r.input);
    EXPECT_EQ(r.status, program.status());
    EXPECT_EQ(r.output, program.output());
    EXPECT_EQ(placed(r.errors, folder.path), program.errors());
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder.path), {}));
    EXPECT_EQ(r.replacesOld, contents(old).starts_with("<?xml"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(invocations), CaseName());

} // namespace
