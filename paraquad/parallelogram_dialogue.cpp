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

} // namespace

Decision decideParallelogram(std::FILE* in, std::FILE* prompts) {
    if (auto stopped = ask(texts, prompts)) {
        return *stopped;
    }
    const TriangleInput read = readTriangle(in);
    if (read.verdict != Verdict::Accepted) {
        return refusal(read.verdict, texts);
    }
    const Parallelogram p{read.a, read.b, read.c, fourthVertex(read.a, read.b, read.c)};
    if (!isFinite(p.d)) {
        return refusal(Verdict::OutOfRange, texts);
    }
    Picture picture = pictureOf(parallelogramScene(p));
    if (const Verdict verdict = pictureVerdict(picture); verdict != Verdict::Accepted) {
        return refusal(verdict, texts);
    }
    return {Verdict::Accepted,
            formatted("koordinate temena D paralelograma su x=%f, y=%f\n", double(p.d.x),
                      double(p.d.y)),
            "", std::move(picture)};
}

const Program paraquad = {
    "paraquad",
    "Cita tri uzastopna temena A, B i C paralelograma, sest brojeva sa standardnog ulaza,\n"
    "ispisuje cetvrto teme D, a zatim crta paralelogram i u njega upisanu elipsu.\n",
    decideParallelogram,
};

} // namespace geom
