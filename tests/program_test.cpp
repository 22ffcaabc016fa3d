// Both programs as built, run the way a script runs them: what they print, leave and return, and
// their windows.
#include "program.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <regex>
#include <unistd.h>

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
const std::string fourth = "unesite temena paralelograma\nkoordinate temena D paralelograma su "
                           "x=2.000000, y=4.000000\n";

// $d: the case's folder, holding old.SVG (mode 640, of nobody) and the folder in.svg; afterwards
// each file beside in.svg is listed with its mode, links, owner and, for a regular file, first
// bytes. $T and $P run trimap and paraquad on their input, which `in` holds; $N runs a command as
// nobody and $U as another user; $R raises a signal as a picture is put in place. The output is
// the program's report, or the report and more (+...); $F stands for the start of a picture's
// refusal and {} for $d in the one line of errors that starts so; $K and $S for old.SVG kept or
// replaced in what is left. 40 links in a row are as many as the kernel follows.
struct Case {
    const char* name;
    const char* command;
    int status = 0;
    const char* error = "";
    const char* left = "$K";
    const char* output = "+";
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case cases[] = {
    // X options pass; the numbers split anyhow; what follows the last is not read.
    {"Trimap", "printf '1203.5\n-417.25 1876.125\t-102.75 1455.8 391.6\r\n-2310.4 1502.7 -2795.15 "
               "2011.2 -1688.9 2240.35 x,y' | $T --no-window -iconic -display :0"},
    // Each prompt reaches a reader on a pipe before the program waits for the answer. The pipe is
    // opened both ways first, so that neither side waits for the other to open it.
    {"PromptsBeforeReading",
     "read abc && read image && mkfifo $d/in && exec 3<>$d/in && { $T --no-window <$d/in >$d/out "
     "3>&- & } && until grep -qs ABC $d/out; do sleep 0.01; done && echo $abc >&3 && until grep "
     "-qs \"A'B'C'\" $d/out; do sleep 0.01; done && echo $image >&3 && wait && cat $d/out && rm "
     "$d/in $d/out"},
    {"TooLargeToDraw", "echo 0 0 5.2e36 0 5.2e36 5.2e36 | $P -o $d/p.png", 1, "", "$K",
     "unesite temena paralelograma\nuneli ste koordinate temena paralelograma izvan dozvoljenog "
     "opsega, pokusajte ponovo\n"},
    {"UnreadableInput", "exec $P </", 1, "ulaz nije procitan: Is a directory\n", "$K",
     "unesite temena paralelograma\n"},
    // Input with no blank is refused once a word outgrows any number, in bounded memory.
    {"EndlessWord", "$P --no-window </dev/zero", 1, "", "$K",
     "unesite temena paralelograma\nuneli ste neispravne koordinate temena paralelograma, "
     "pokusajte ponovo\n"},
    // The version the changelog names last.
    {"Version",
     "v=$(sed -n '1s/.*(\\(.*\\)).*/\\1/p' " SOURCE_DIR "/packaging/changelog) && { $T "
     "--version && $P --version; } | sed \"s/ $v$/ V/\"",
     0, "", "$K", "trimap V\nparaquad V\n"},
    {"ReportIntoAFullDisk", "$P -o $d/p.svg >/dev/full", 1,
     "izvestaj nije ispisan: No space left on device\n", "$K", ""},
    {"Misuse", "$P -o", 2,
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n", "$K", ""},
    // Replaced whole with its owner, mode, ACL and extended attributes, by root and by its owner.
    {"ReplacedKeepingAllItHad",
     "setfacl -m u:daemon:rw $d/old.SVG && setfattr -n user.kept -v 1 $d/old.SVG && setfattr -n "
     "trusted.kept -v 2 $d/old.SVG && $P --output $d/old.SVG && cd $d && getfacl -cp old.SVG && "
     "getfattr -d -m '^[tu]' old.SVG",
     0, "", "old.SVG -rw-rw---- 1 nobody <?xml\n",
     "+user::rw-\nuser:daemon:rw-\ngroup::r--\nmask::rw-\nother::---\n\n# file: "
     "old.SVG\ntrusted.kept=\"2\"\nuser.kept=\"1\"\n\n"},
    {"ReplacedByItsOwner", "$N $P --output $d/old.SVG", 0, "", "$S"},
    // Through links to the file they name, as many as the kernel follows; a dangling one gets its
    // file made; never a loop.
    {"ThroughLinks",
     "ln -s old.SVG $d/l.svg && mkdir $d/c && for i in $(seq 38); do ln -s $((i - 1)).svg "
     "$d/c/$i.svg; done && ln -s ../l.svg $d/c/0.svg && $P -o $d/c/38.svg && rm -r $d/c",
     0, "", "l.svg lrwxrwxrwx 1 root\n$S"},
    {"ThroughADanglingLink", "ln -s new.svg $d/l.svg && $P -o $d/l.svg", 0, "",
     "l.svg lrwxrwxrwx 1 root\nnew.svg -rw-r--r-- 1 root <?xml\n$K"},
    {"LinkLoop", "ln -s l.svg $d/l.svg && $P -o $d/l.svg", 1,
     "$F/l.svg: Too many levels of symbolic links\n", "l.svg lrwxrwxrwx 1 root\n$K"},
    // A file with another name is written in place, leaving no tail of a longer old picture.
    {"HardLinks",
     "head -c 99999 /dev/zero >>$d/old.SVG && ln $d/old.SVG $d/h.svg && $P -o $d/h.svg && $P -o "
     "$d/n.svg <in >/dev/null && cmp $d/n.svg $d/old.SVG && rm $d/n.svg",
     0, "", "h.svg -rw-r----- 2 nobody <?xml\nold.SVG -rw-r----- 2 nobody <?xml\n"},
    // Never a file that is not a regular one, nor the program's own output.
    {"Fifo", "mkfifo $d/f.svg && $P -o $d/f.svg", 1, "$F/f.svg: nije obicna datoteka\n",
     "f.svg prw-r--r-- 1 root\n$K"},
    {"StandardOutput", "ln -s /dev/stdout $d/s.svg && $P -o $d/s.svg", 1,
     "$F/s.svg: to je standardni ulaz ili izlaz programa\n", "$Ks.svg lrwxrwxrwx 1 root\n"},
    // A new picture gets what the shell's > gives a file: the umask's mode, the default ACL.
    {"NewPictureAsTheShellMakesIt",
     "umask 077 && $T -o $d/t.PNG && umask 002 && $T -o $d/t.svg <in >/dev/null && mkdir $d/acl "
     "&& setfacl -d -m u:daemon:rw $d/acl && $T -o $d/acl/t.svg <in >/dev/null && cd $d/acl && "
     ": >shell && getfacl -c t.svg >a && getfacl -c shell | cmp - a && rm -r $d/acl",
     0, "", "$Kt.PNG -rw------- 1 root \x89PNG\r\nt.svg -rw-rw-r-- 1 root <?xml\n"},
    {"LongestName", "n=$(printf %0251d 0) && $P -o $d/$n.svg && mv $d/$n.svg $d/long.svg", 0, "",
     "long.svg -rw-r--r-- 1 root <?xml\n$K"},
    {"WriteProtected", "chmod 444 $d/old.SVG && $N $P -o $d/old.SVG", 1,
     "$F/old.SVG: Permission denied\n", "old.SVG -r--r--r-- 1 nobody an ol\n"},
    // Where the file cannot be replaced but the shell could write it: in place, nothing left.
    {"FolderTakesNoNewFile", "chmod 555 $d && $N $P -o $d/old.SVG; s=$?; chmod 755 $d; exit $s", 0,
     "", "$S"},
    {"OtherOwnerInAStickyFolder", "chmod 1777 $d && chmod 666 $d/old.SVG && $U $P -o $d/old.SVG", 0,
     "", "old.SVG -rw-rw-rw- 1 nobody <?xml\n"},
    {"AppendOnlyFolder", "chattr +a $d && $P -o $d/old.SVG; s=$?; chattr -a $d; exit $s", 0, "",
     "$S"},
    {"BindMounted",
     ": >$d/b.svg && unshare -m sh -c 'mount --bind $0/old.SVG $0/b.svg && exec $1 -o $0/b.svg' "
     "$d $P",
     0, "", "b.svg -rw-r--r-- 1 root\n$S"},
    {"FolderOutOfInodes",
     "mkdir $d/m && unshare -m sh -c 'mount -t tmpfs -o nr_inodes=2 none $0/m && cp $0/old.SVG "
     "$0/m && $1 -o $0/m/old.SVG && ls -A $0/m && head -c 5 $0/m/old.SVG' $d $P && rmdir $d/m",
     0, "", "$K", "+old.SVG\n<?xml"},
    // The shell ignores the limit's signal, and a coverage build's counts go nowhere, so that
    // what the build writes at exit neither ends the program nor is cut short; the program
    // ignores the signal of its own while it writes (see the signal test).
    {"FileSizeLimit", "trap '' XFSZ && ulimit -f 1 && GCOV_PREFIX=/dev/null $P -o $d/old.SVG", 1,
     "$F/old.SVG: File too large\n"},
    // A signal the user ignored stays ignored.
    {"IgnoredSignal", "trap '' HUP && $R=1 $T -o $d/old.SVG", 0, "", "$S"},
    {"FolderInTheWay", "$P -o $d/in.svg", 1, "$F/in.svg: Is a directory\n"},
    // The name as typed, its control bytes escaped.
    {"NoFolder", "$T -o$d/none/t$(printf '\\033')[31m.svg", 1,
     "$F/none/t\\x1b[31m.svg: No such file or directory\n"},
    // The EGL call and error that name why depend on the machine.
    {"NoOpenGl", "env __EGL_VENDOR_LIBRARY_FILENAMES=/none $T -o $d/t.png", 1, "$F/t.png: egl"},
};

// Made before each case: the folder and old.SVG given to nobody, and the shorthands.
const std::string fixtures =
    " && echo an older picture >$d/old.SVG && chmod 640 $d/old.SVG && mkdir $d/in.svg && chown -R "
    "65534:65534 $d && N='setpriv --reuid=65534 --regid=65534 --clear-groups' && U='setpriv "
    "--reuid=65533 --regid=65533 --clear-groups' && T=" TRIMAP_PATH " && P=" PARAQUAD_PATH
    " && R='" SIGNAL_AT_RENAME "'\n";

// Each file beside in.svg: its name, mode, links, owner and, for a regular file, its first five
// bytes.
const std::string listing =
    "cd $d && for f in $(LC_ALL=C ls -A | grep -vx in.svg); do stat -c '%n %A %h %U' $f | tr -d "
    "'\\n'; [ ! -L $f ] && [ -s $f ] && printf ' ' && head -c 5 $f; echo; done";

std::string expanded(std::string text) {
    for (const auto& [mark, meaning] : {std::pair{"\\$K", "old.SVG -rw-r----- 1 nobody an ol\n"},
                                        {"\\$S", "old.SVG -rw-r----- 1 nobody <?xml\n"},
                                        {"\\$F", "slika nije sacuvana: {}"}}) {
        text = std::regex_replace(text, std::regex(mark), meaning);
    }
    return text;
}

class ProgramRun : public testing::TestWithParam<Case> {};

TEST_P(ProgramRun, PrintsAndLeavesWhatItShould) {
    const Case& c = GetParam();
    ASSERT_EQ(0u, geteuid()) << "these cases make mounts and files of other users: run them as "
                                "root, as scripts/test.sh does";
    const ScratchFolder folder;
    const bool trimap = std::string(c.command).find("$T") != std::string::npos;
    const Ran ran = run("d=" + folder.path + fixtures + c.command, trimap ? example : quad);
    EXPECT_EQ(c.status, ran.status);
    EXPECT_EQ(c.output[0] == '+' ? (trimap ? report : fourth) + (c.output + 1) : c.output,
              ran.output);
    EXPECT_TRUE(std::regex_replace(ran.errors, std::regex(folder.path), "{}")
                    .starts_with(expanded(c.error)))
        << ran.errors;
    EXPECT_EQ(*c.error ? 1 : 0, std::count(ran.errors.begin(), ran.errors.end(), '\n'));
    EXPECT_EQ(expanded(c.left), run("d=" + folder.path + "\n" + listing, "").output);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramRun, testing::ValuesIn(cases),
                         [](const auto& test) { return std::string(test.param.name); });

// Each signal while the picture is put in place: one that ends the program removes the temporary
// file first and ends it as the signal does; the others leave the picture saved.
TEST(Program, LeavesNothingOnAnySignal) {
    const ScratchFolder folder;
    std::string signals, want;
    for (int s = 1; s <= SIGRTMAX; ++s) {
        // Those that stop the program, the two glibc keeps for itself, and the uncatchable.
        if (s == SIGSTOP || s == SIGTSTP || s == SIGTTIN || s == SIGTTOU || s == 32 || s == 33 ||
            s == SIGKILL) {
            continue;
        }
        const bool ends =
            s != SIGCHLD && s != SIGCONT && s != SIGURG && s != SIGWINCH && s != SIGXFSZ;
        const std::string number = std::to_string(s);
        signals += ' ' + number;
        want += number + ' ' + std::to_string(ends ? 128 + s : 0) +
                (ends ? " old.svg old\n" : " old.svg <?xml\n");
    }
    EXPECT_EQ(want, run("ulimit -c 0 && d=" + folder.path + " && for s in" + signals +
                            "; do echo old >$d/old.svg && (" SIGNAL_AT_RENAME "=$s " TRIMAP_PATH
                            " -o $d/old.svg <in >/dev/null 2>&1); echo $s $? $(ls -A $d) $(head "
                            "-c 5 $d/old.svg); done",
                        example)
                        .output);
}

// Closed by the close button (no key), Escape or q, each opened with a -geometry of its own (or
// none), and where it must stand: its size, and its offsets from the screen's left and top edges,
// or with fromFarEdges from its right and bottom ones.
struct Closing {
    const char *key, *geometry;
    int width, height, x, y;
    bool fromFarEdges;
};

void PrintTo(const Closing& c, std::ostream* os) {
    *os << (c.geometry ? c.geometry : "no -geometry");
}

class Window : public testing::TestWithParam<Closing> {};

// In its size and place; in the window's own size, the PNG's very pixels, names and all.
TEST_P(Window, ShowsThePngsPixelsUntilClosed) {
    const Closing& c = GetParam();
    const char* title = "Geometrija - prikaz zadatka";
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " -l -o " + folder.path + "/t.png", example);
    auto running = std::async(std::launch::async, run,
                              TRIMAP_PATH " -l" + std::string(c.geometry ? " -geometry " : "") +
                                  (c.geometry ? c.geometry : ""),
                              example);
    const std::optional<WindowInfo> window = awaitWindow(title, [&running] {
        return running.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    });
    if (!window) {
        FAIL() << "no window titled " << title
               << "; no X server at $DISPLAY? scripts/test.sh runs the tests in Xvfb";
    }
    const WindowInfo screen = screenSize();
    const int x = c.fromFarEdges ? screen.width - c.width - c.x : c.x;
    const int y = c.fromFarEdges ? screen.height - c.height - c.y : c.y;
    EXPECT_EQ(std::tuple(c.width, c.height, x, y),
              std::tuple(window->width, window->height, window->x, window->y));
    const Image shown = grab(*window);
    closeWindow(*window, c.key);
    const Ran showing = running.get();
    EXPECT_TRUE(showing.status == 0 && showing.output == saving.output) << showing.errors;
    EXPECT_TRUE(c.height != 700 || shown.rgb == readPng(contents(folder.path + "/t.png")).rgb);
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, Window,
                         testing::Values(Closing{nullptr, nullptr, 1024, 700, 100, 50, false},
                                         Closing{"Escape", "x480+0+0", 1024, 480, 0, 0, false},
                                         Closing{"q", "-0-0", 1024, 700, 0, 0, true}),
                         [](const auto& test) {
                             return std::string(test.param.key ? test.param.key : "CloseButton");
                         });

} // namespace
