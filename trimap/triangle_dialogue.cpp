#include "triangle_dialogue.h"

#include "triangle_scene.h"

#include <algorithm>
#include <cmath>
#include <iterator>

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

// The map from the unit triangle onto ABC is inverted through the float reciprocal of its
// determinant, which must keep its full precision.
Verdict sourceVerdict(const TriangleInput& source) {
    if (source.verdict != Verdict::Accepted) {
        return source.verdict;
    }
    const float k = static_cast<float>(1.0 / triangleDeterminant(source.a, source.b, source.c));
    return std::isnormal(k) ? Verdict::Accepted : Verdict::OutOfRange;
}

// The map taking ABC onto A'B'C', and the images of A, B and C under it.
TriangleMapReport mapBetween(const TriangleInput& source, const TriangleInput& target) {
    const Point a = source.a, b = source.b, c = source.c;
    const Matrix3 m = triangleMap(a, b, c, target.a, target.b, target.c);
    return {
        a, b, c, target.a, target.b, target.c, m, mapPoint(m, a), mapPoint(m, b), mapPoint(m, c)};
}

bool isFinite(const TriangleMapReport& r) {
    return std::all_of(std::begin(r.map.m), std::end(r.map.m),
                       [](float entry) { return std::isfinite(entry); }) &&
           isFinite(r.imageA) && isFinite(r.imageB) && isFinite(r.imageC);
}

std::string imageLine(char vertex, Point image) {
    return formatted("koordinate slike tacke %c su x=%f y=%f\n", vertex, double(image.x),
                     double(image.y));
}

std::string reportOf(const TriangleMapReport& r) {
    std::string report = "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n";
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            report += formatted("%f ", double(r.map.m[3 * row + column]));
        }
        report += "\n";
    }
    return report + imageLine('a', r.imageA) + imageLine('b', r.imageB) + imageLine('c', r.imageC);
}

} // namespace

Decision decideTriangleMap(std::FILE* in, std::FILE* prompts) {
    if (auto stopped = ask(sourceTexts, prompts)) {
        return *stopped;
    }
    const TriangleInput source = readTriangle(in);
    if (const Verdict verdict = sourceVerdict(source); verdict != Verdict::Accepted) {
        return refusal(verdict, sourceTexts);
    }
    if (auto stopped = ask(targetTexts, prompts)) {
        return *stopped;
    }
    const TriangleInput target = readTriangle(in);
    if (target.verdict != Verdict::Accepted) {
        return refusal(target.verdict, targetTexts);
    }
    // Anything out of range from here on is blamed on A'B'C', the last thing read.
    const TriangleMapReport r = mapBetween(source, target);
    if (!isFinite(r)) {
        return refusal(Verdict::OutOfRange, targetTexts);
    }
    Picture picture = pictureOf(triangleScene(r));
    if (const Verdict verdict = pictureVerdict(picture); verdict != Verdict::Accepted) {
        return refusal(verdict, targetTexts);
    }
    return {Verdict::Accepted, reportOf(r), "", std::move(picture)};
}

const Program trimap = {
    "trimap",
    "Cita dva trougla, ABC pa A'B'C', po sest brojeva sa standardnog ulaza (x i y svakog\n"
    "temena), ispisuje matricu afinog preslikavanja koje slika ABC u A'B'C' i slike temena\n"
    "A, B i C, a zatim crta oba trougla, opisani i upisani krug trougla ABC i slike oba kruga.\n",
    decideTriangleMap,
};

} // namespace geom
