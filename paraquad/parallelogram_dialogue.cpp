#include "parallelogram_dialogue.h"

#include "console.h"
#include "intersection.h"
#include "parallelogram_scene.h"

namespace {

constexpr DialogueTexts texts = {
    "unesite temena paralelograma\n",
    "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n",
    "uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n",
    "uneli ste koordinate temena paralelograma izvan dozvoljenog opsega, pokusajte ponovo\n",
};

Verdict readParallelogram(std::FILE* in, Parallelogram& p) {
    const Verdict verdict = readTriangle(in, p.a, p.b, p.c);
    if (verdict != Verdict::Accepted) {
        return verdict;
    }
    p.d = fourthVertex(p.a, p.b, p.c);
    if (!isFinite(p.d)) {
        return Verdict::OutOfRange;
    }
    fillParallelogramScene(p);
    return pictureVerdict();
}

} // namespace

Point fourthVertex(Point a, Point b, Point c) {
    Point d;
    const Line throughA{a, displacement(b, c)};
    const Line throughC{c, displacement(a, b)};
    if (intersectLines(d, throughA, throughC) != Crossing) {
        // Sides within the tolerance of parallel hide the crossing; a + c - b still is D.
        d.x = static_cast<float>(double(a.x) + double(c.x) - double(b.x));
        d.y = static_cast<float>(double(a.y) + double(c.y) - double(b.y));
    }
    return d;
}

bool runParallelogramDialogue(std::FILE* in, std::FILE* out, std::FILE* err) {
    Parallelogram p;
    if (!ask(texts, out, err) || !accept(readParallelogram(in, p), texts, out, err)) {
        return false;
    }
    std::fprintf(out, "koordinate temena D paralelograma su x=%f, y=%f\n", double(p.d.x),
                 double(p.d.y));
    return delivered(out, err);
}

const Tool paraquad = {
    "paraquad",
    "Cita tri uzastopna temena A, B i C paralelograma, sest brojeva sa standardnog ulaza,\n"
    "ispisuje cetvrto teme D, a zatim crta paralelogram i u njega upisanu elipsu.\n",
    runParallelogramDialogue,
};
