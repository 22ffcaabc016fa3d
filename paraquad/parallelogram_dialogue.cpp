#include "parallelogram_dialogue.h"

#include "affine.h"
#include "console.h"
#include "intersection.h"

namespace {

constexpr const char* prompt = "unesite temena paralelograma\n";
constexpr const char* collinearMessage =
    "uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n";
constexpr const char* invalidMessage =
    "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n";

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

std::optional<Parallelogram> runParallelogramDialogue(std::FILE* in, std::FILE* out) {
    Parallelogram p;
    std::fputs(prompt, out);
    if (!readVertices(in, p.a, p.b, p.c)) {
        std::fputs(invalidMessage, out);
        return std::nullopt;
    }
    if (triangleDeterminant(p.a, p.b, p.c) == 0.0) {
        std::fputs(collinearMessage, out);
        return std::nullopt;
    }
    p.d = fourthVertex(p.a, p.b, p.c);
    if (!isFinite(p.d)) {
        std::fputs(invalidMessage, out);
        return std::nullopt;
    }
    std::fprintf(out, "koordinate temena D paralelograma su x=%f, y=%f\n", double(p.d.x),
                 double(p.d.y));
    return p;
}
