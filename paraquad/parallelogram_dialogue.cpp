#include "parallelogram_dialogue.h"

#include "parallelogram_scene.h"

namespace geom {

namespace {

constexpr DialogueTexts texts = {
    "unesite temena paralelograma\n",
    "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n",
    "uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n",
    "uneli ste koordinate temena paralelograma izvan dozvoljenog opsega, pokusajte ponovo\n",
};

Verdict readParallelogram(std::FILE* in, Parallelogram& p, Scene& scene) {
    const Verdict verdict = readTriangle(in, p.a, p.b, p.c);
    if (verdict != Verdict::Accepted) {
        return verdict;
    }
    p.d = fourthVertex(p.a, p.b, p.c);
    if (!isFinite(p.d)) {
        return Verdict::OutOfRange;
    }
    fillParallelogramScene(scene, p);
    return pictureVerdict(scene);
}

} // namespace

bool runParallelogramDialogue(Streams streams, Scene& scene) {
    Parallelogram p;
    if (!ask(texts, streams) ||
        !accepted(readParallelogram(streams.in, p, scene), texts, streams)) {
        return false;
    }
    std::fprintf(streams.out, "koordinate temena D paralelograma su x=%f, y=%f\n", double(p.d.x),
                 double(p.d.y));
    return delivered(streams.out, streams.err);
}

const Tool paraquad = {
    "paraquad",
    "Cita tri uzastopna temena A, B i C paralelograma, sest brojeva sa standardnog ulaza,\n"
    "ispisuje cetvrto teme D, a zatim crta paralelogram i u njega upisanu elipsu.\n",
    runParallelogramDialogue,
};

} // namespace geom
