#include "triangle_dialogue.h"

#include "triangle_scene.h"

#include <cmath>

namespace geom {

namespace {

constexpr DialogueTexts sourceTexts = {
    "unesite koordinate temena trougla ABC\n",
    "uneli ste neispravne koordinate trougla ABC, pokusajte ponovo\n",
    "uneli ste tri kolinearne tacke kao koordinate trougla ABC, pokusajte ponovo\n",
    "uneli ste koordinate trougla ABC izvan dozvoljenog opsega, pokusajte ponovo\n",
};

constexpr DialogueTexts targetTexts = {
    "unesite koordinate temena trougla A'B'C'\n",
    "uneli ste neispravne koordinate trougla A'B'C', pokusajte ponovo\n",
    "uneli ste tri kolinearne tacke kao koordinate trougla A'B'C', pokusajte ponovo\n",
    "uneli ste koordinate trougla A'B'C' izvan dozvoljenog opsega, pokusajte ponovo\n",
};

// The source frame is inverted through the float reciprocal of its determinant, which must keep
// its full precision.
Verdict readSource(std::FILE* in, TriangleMapReport& r) {
    const Verdict verdict = readTriangle(in, r.a, r.b, r.c);
    if (verdict != Verdict::Accepted) {
        return verdict;
    }
    const float k = static_cast<float>(1.0 / triangleDeterminant(r.a, r.b, r.c));
    return std::isnormal(k) ? Verdict::Accepted : Verdict::OutOfRange;
}

bool isFinite(const Matrix3& matrix) {
    for (const float entry : matrix.m) {
        if (!std::isfinite(entry)) {
            return false;
        }
    }
    return true;
}

// Reads A'B'C', computes the map and the images, and fills the scene; anything out of range
// from here on is blamed on A'B'C', the last thing read.
Verdict readTargetAndMap(std::FILE* in, TriangleMapReport& r, Scene& scene) {
    const Verdict verdict = readTriangle(in, r.a2, r.b2, r.c2);
    if (verdict != Verdict::Accepted) {
        return verdict;
    }
    r.map = triangleMap(r.a, r.b, r.c, r.a2, r.b2, r.c2);
    r.imageA = mapPoint(r.map, r.a);
    r.imageB = mapPoint(r.map, r.b);
    r.imageC = mapPoint(r.map, r.c);
    if (!isFinite(r.map) || !isFinite(r.imageA) || !isFinite(r.imageB) || !isFinite(r.imageC)) {
        return Verdict::OutOfRange;
    }
    fillTriangleScene(scene, r);
    return pictureVerdict(scene);
}

void printImage(std::FILE* out, char vertex, Point image) {
    std::fprintf(out, "koordinate slike tacke %c su x=%f y=%f\n", vertex, double(image.x),
                 double(image.y));
}

void printReport(std::FILE* out, const TriangleMapReport& r) {
    std::fputs("matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n", out);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            std::fprintf(out, "%f ", double(r.map.m[3 * row + column]));
        }
        std::fputs("\n", out);
    }
    printImage(out, 'a', r.imageA);
    printImage(out, 'b', r.imageB);
    printImage(out, 'c', r.imageC);
}

} // namespace

bool runTriangleDialogue(Streams streams, Scene& scene) {
    TriangleMapReport r;
    if (!ask(sourceTexts, streams) || !accepted(readSource(streams.in, r), sourceTexts, streams) ||
        !ask(targetTexts, streams) ||
        !accepted(readTargetAndMap(streams.in, r, scene), targetTexts, streams)) {
        return false;
    }
    printReport(streams.out, r);
    return delivered(streams.out, streams.err);
}

const Tool trimap = {
    "trimap",
    "Cita dva trougla, ABC pa A'B'C', po sest brojeva sa standardnog ulaza (x i y svakog\n"
    "temena), ispisuje matricu afinog preslikavanja koje slika ABC u A'B'C' i slike temena\n"
    "A, B i C, a zatim crta oba trougla, opisani i upisani krug trougla ABC i slike oba kruga.\n",
    runTriangleDialogue,
};

} // namespace geom
