// Both programs as built, run as a script runs them: what they print, leave, return and show.
#include "probe.h"

#include <gtest/gtest.h>

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

// old.SVG (mode 640, of nobody) as it was or replaced, and how a picture's refusal starts.
const std::string kept = "old.SVG -rw-r----- 1 nobody an ol\n",
                  saved = "old.SVG -rw-r----- 1 nobody <?xml\n",
                  refused = "slika nije sacuvana: {}";

// $d: the case's folder with old.SVG and the folder in.svg; each file beside in.svg is listed
// after. $T, $P run trimap, paraquad on `in`; $N runs as nobody, $U as another user; $R raises a
// signal at the rename. Output: the report, or it and more (+...); {} is $d in errors, $F refused.
struct Case {
    const char *name, *command;
    int status = 0;
    const char* error = "";
    std::string left = kept;
    const char* output = "+";
};

const Case cases[] = {
    // Each prompt reaches a reader on a pipe before the answer; X options pass; words split anyhow.
    {"PromptsBeforeReading",
     "mkfifo $d/in && exec 3<>$d/in && { $T --no-window -iconic -display :0 <$d/in >$d/out 3>&- & "
     "} && until grep -qs ABC $d/out; do sleep 0.01; done && printf '1203.5\n-417.25 "
     "1876.125\t-102.75 1455.8 391.6\r\n' >&3 && until grep -qs \"A'B'C'\" $d/out; do sleep 0.01; "
     "done && echo -2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35 x,y >&3 && wait && cat $d/out "
     "&& rm $d/in $d/out"},
    {"UnreadableInput", "exec $P </", 1, "ulaz nije procitan: Is a directory\n", kept,
     "unesite temena paralelograma\n"},
    {"EndlessWord", "$P -o $d/p.png </dev/zero", 1, "", kept,
     "unesite temena paralelograma\nuneli ste neispravne koordinate temena paralelograma, "
     "pokusajte ponovo\n"},
    {"VersionAndHelp",
     "v=$(sed -n '1s/.*(\\(.*\\)).*/\\1/p' " SOURCE_DIR "/packaging/changelog) && { $T "
     "--version && $P --version && $P --help | head -1; } | sed \"s/ $v$/ V/\"",
     0, "", kept,
     "trimap V\nparaquad V\nupotreba: paraquad [-o DATOTEKA | --output DATOTEKA | "
     "--output=DATOTEKA] "
     "[--no-window]\n"},
    {"ReportIntoAFullDisk", "$P -o $d/p.svg >/dev/full", 1,
     "izvestaj nije ispisan: No space left on device\n", kept, ""},
    {"Misuse", "$P -o", 2,
     "paraquad: opciji '-o' nedostaje vrednost; pogledajte 'paraquad --help'\n", kept, ""},
    {"ReplacedKeepingAllItHad",
     "$N $P --output $d/old.SVG <in >/dev/null && setfacl -m u:daemon:rw $d/old.SVG && setfattr "
     "-n user.kept -v 1 $d/old.SVG && setfattr -n trusted.kept -v 2 $d/old.SVG && $P --output "
     "$d/old.SVG && cd $d && getfacl -cp old.SVG && getfattr -d -m '^[tu]' old.SVG",
     0, "", "old.SVG -rw-rw---- 1 nobody <?xml\n",
     "+user::rw-\nuser:daemon:rw-\ngroup::r--\nmask::rw-\nother::---\n\n# file: "
     "old.SVG\ntrusted.kept=\"2\"\nuser.kept=\"1\"\n\n"},
    {"ThroughLinks",
     "ln -s old.SVG $d/l.svg && mkdir $d/c && for i in $(seq 38); do ln -s $((i - 1)).svg "
     "$d/c/$i.svg; done && ln -s ../l.svg $d/c/0.svg && $P -o $d/c/38.svg && rm -r $d/c",
     0, "", "l.svg lrwxrwxrwx 1 root\n" + saved},
    {"ThroughADanglingLink", "ln -s new.svg $d/l.svg && $P -o $d/l.svg", 0, "",
     "l.svg lrwxrwxrwx 1 root\nnew.svg -rw-r--r-- 1 root <?xml\n" + kept},
    {"LinkLoop", "ln -s l.svg $d/l.svg && $P -o $d/l.svg", 1,
     "$F/l.svg: Too many levels of symbolic links\n", "l.svg lrwxrwxrwx 1 root\n" + kept},
    // A file with another name is written in place, leaving no tail of a longer old picture.
    {"HardLinks",
     "head -c 99999 /dev/zero >>$d/old.SVG && ln $d/old.SVG $d/h.svg && $P -o $d/h.svg && $P -o "
     "$d/n.svg <in >/dev/null && cmp $d/n.svg $d/old.SVG && rm $d/n.svg",
     0, "", "h.svg -rw-r----- 2 nobody <?xml\nold.SVG -rw-r----- 2 nobody <?xml\n"},
    {"Fifo", "mkfifo $d/f.svg && $P -o $d/f.svg", 1, "$F/f.svg: nije obicna datoteka\n",
     "f.svg prw-r--r-- 1 root\n" + kept},
    {"StandardOutput", "ln -s /dev/stdout $d/s.svg && $P -o $d/s.svg", 1,
     "$F/s.svg: to je standardni ulaz ili izlaz programa\n", kept + "s.svg lrwxrwxrwx 1 root\n"},
    {"NewPictureAsTheShellMakesIt",
     "umask 077 && $T -o $d/t.PNG && umask 002 && $T -o $d/t.svg <in >/dev/null && mkdir $d/acl "
     "&& setfacl -d -m u:daemon:rw $d/acl && $T -o $d/acl/t.svg <in >/dev/null && cd $d/acl && "
     ": >shell && getfacl -c t.svg >a && getfacl -c shell | cmp - a && rm -r $d/acl",
     0, "", kept + "t.PNG -rw------- 1 root \x89PNG\r\nt.svg -rw-rw-r-- 1 root <?xml\n"},
    {"LongestName", "n=$(printf %0251d 0) && $P -o $d/$n.svg && mv $d/$n.svg $d/long.svg", 0, "",
     "long.svg -rw-r--r-- 1 root <?xml\n" + kept},
    {"WriteProtected", "chmod 444 $d/old.SVG && $N $P -o $d/old.SVG", 1,
     "$F/old.SVG: Permission denied\n", "old.SVG -r--r--r-- 1 nobody an ol\n"},
    // Where the file cannot be replaced but the shell could write it: in place, nothing left.
    {"FolderTakesNoNewFile", "chmod 555 $d && $N $P -o $d/old.SVG; s=$?; chmod 755 $d; exit $s", 0,
     "", saved},
    {"OtherOwnerInAStickyFolder", "chmod 1777 $d && chmod 666 $d/old.SVG && $U $P -o $d/old.SVG", 0,
     "", "old.SVG -rw-rw-rw- 1 nobody <?xml\n"},
    {"AppendOnlyFolder", "chattr +a $d && $P -o $d/old.SVG; s=$?; chattr -a $d; exit $s", 0, "",
     saved},
    {"BindMounted",
     ": >$d/b.svg && unshare -m sh -c 'mount --bind $0/old.SVG $0/b.svg && exec $1 -o $0/b.svg' "
     "$d $P",
     0, "", "b.svg -rw-r--r-- 1 root\n" + saved},
    {"FolderOutOfInodes",
     "mkdir $d/m && unshare -m sh -c 'mount -t tmpfs -o nr_inodes=2 none $0/m && cp $0/old.SVG "
     "$0/m && $1 -o $0/m/old.SVG && ls -A $0/m && head -c 5 $0/m/old.SVG' $d $P && rmdir $d/m",
     0, "", kept, "+old.SVG\n<?xml"},
    // The limit's signal ignored and coverage counts sent nowhere, so neither ends the program.
    {"FileSizeLimit", "trap '' XFSZ && ulimit -f 1 && GCOV_PREFIX=/dev/null $P -o $d/old.SVG", 1,
     "$F/old.SVG: File too large\n"},
    // A signal ignored stays so. Each signal but the uncatchable, stopping and glibc's: one that
    // ends the program leaves the old file and ends it as the signal does; the others replace it.
    {"EverySignal",
     "trap '' HUP && $R=1 $T -o $d/old.SVG <in >/dev/null && trap - HUP && ulimit -c 0 && for s in "
     "$(seq 64 | grep -vxE '9|19|20|21|22|32|33'); do echo old >$d/old.SVG && i=$(stat -c %i "
     "$d/old.SVG) && ($R=$s $T -o $d/old.SVG <in >/dev/null 2>&1); echo $s $? $(ls -A $d) $(head "
     "-c 5 $d/old.SVG) $(stat -c %i $d/old.SVG | grep -vx $i | sed s/.*/whole/); done 2>/dev/null "
     "| awk '$2 != 128 + $1 || $5 != \"old\"' && $T -o $d/old.SVG <in >/dev/null",
     0, "", saved,
     "17 0 in.svg old.SVG <?xml whole\n18 0 in.svg old.SVG <?xml whole\n23 0 in.svg old.SVG <?xml "
     "whole\n25 0 in.svg old.SVG <?xml whole\n28 0 in.svg old.SVG <?xml whole\n"},
    {"FolderInTheWay", "$P -o $d/in.svg", 1, "$F/in.svg: Is a directory\n"},
    {"NoFolderNameEscaped", "$T -o$d/none/t$(printf '\\033')[31m.svg", 1,
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

// Each file beside in.svg: its name, mode, links, owner and, if regular, its first five bytes.
const std::string listing =
    "cd $d && for f in $(LC_ALL=C ls -A | grep -vx in.svg); do stat -c '%n %A %h %U' $f | tr -d "
    "'\\n'; [ ! -L $f ] && [ -s $f ] && printf ' ' && head -c 5 $f; echo; done";

class ProgramRun : public testing::TestWithParam<Case> {};

TEST_P(ProgramRun, PrintsAndLeavesWhatItShould) {
    const Case& c = GetParam();
    ASSERT_EQ(0u, geteuid()) << "these cases make mounts and files of others: run them as root";
    const ScratchFolder folder;
    const bool trimap = std::string(c.command).find("$T") != std::string::npos;
    const Ran ran = run("d=" + folder.path + fixtures + c.command, trimap ? example : quad);
    EXPECT_EQ(c.status, ran.status) << c.name;
    EXPECT_EQ(c.output[0] == '+' ? (trimap ? report : fourth) + (c.output + 1) : c.output,
              ran.output);
    EXPECT_TRUE(std::regex_replace(ran.errors, std::regex(folder.path), "{}")
                    .starts_with(std::regex_replace(c.error, std::regex("\\$F"), refused)))
        << ran.errors;
    EXPECT_EQ(*c.error ? 1 : 0, std::count(ran.errors.begin(), ran.errors.end(), '\n'));
    EXPECT_EQ(c.left, run("d=" + folder.path + "\n" + listing, "").output);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramRun, testing::ValuesIn(cases),
                         [](const auto& test) { return std::string(test.param.name); });

// Closed by the close button (no key), Escape or q; its -geometry, size, place, from far edges.
using Closing = std::tuple<const char*, const char*, const char*, int, int, int, int, bool>;
class Window : public testing::TestWithParam<Closing> {};

// In its size and place; in the window's own size, the PNG's very pixels, names and all.
TEST_P(Window, ShowsThePngsPixelsUntilClosed) {
    const auto& [name, key, geometry, width, height, x, y, fromFarEdges] = GetParam();
    const char* title = "Geometrija - prikaz zadatka";
    const ScratchFolder folder;
    const Ran saving = run(TRIMAP_PATH " -l -o " + folder.path + "/t.png", example);
    auto running =
        std::async(std::launch::async, run, TRIMAP_PATH " -l " + std::string(geometry), example);
    const auto window = awaitWindow(title, [&running] {
        return running.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    });
    ASSERT_TRUE(window) << "no window titled " << title
                        << "; no X server at $DISPLAY? scripts/test.sh runs the tests in Xvfb";
    const WindowInfo w = window.value_or(WindowInfo{});
    EXPECT_EQ(
        std::tuple(width, height, x, y),
        std::tuple(w.width, w.height, fromFarEdges ? w.right : w.x, fromFarEdges ? w.bottom : w.y));
    const Image shown = grab(w);
    closeWindow(w, key);
    const Ran showing = running.get();
    EXPECT_TRUE(showing.status == 0 && showing.output == saving.output) << showing.errors;
    EXPECT_TRUE(height != 700 || shown.rgb == readPng(contents(folder.path + "/t.png")).rgb);
}

INSTANTIATE_TEST_SUITE_P(
    ClosedBy, Window,
    testing::Values(Closing{"CloseButton", nullptr, "", 1024, 700, 100, 50, false},
                    Closing{"Escape", "Escape", "-geometry x480+0+0", 1024, 480, 0, 0, false},
                    Closing{"q", "q", "-geometry -0-0", 1024, 700, 0, 0, true}),
    [](const auto& test) { return std::string(std::get<0>(test.param)); });

} // namespace
