#include "triangle_dialogue.h"

#include "console.h"

#include <cmath>

namespace {

struct Texts {
    const char* prompt;
    const char* collinear;
    const char* invalid;
};

constexpr Texts sourceTexts = {
    "unesite koordinate temena trougla ABC\n",
    "uneli ste tri kolinearne tacke kao koordinate trougla ABC, pokusajte ponovo\n",
    "uneli ste neispravne koordinate trougla ABC, pokusajte ponovo\n",
};

constexpr Texts targetTexts = {
    "unesite koordinate temena trougla A'B'C'\n",
    "uneli ste tri kolinearne tacke kao koordinate trougla A'B'C', pokusajte ponovo\n",
    "uneli ste neispravne koordinate trougla A'B'C', pokusajte ponovo\n",
};

enum class Verdict { Accepted, Collinear, Invalid };

// Collinear only for a determinant of exactly 0; infinite differences make it non-finite.
Verdict judgeTriangle(double det) {
    if (det == 0.0) {
        return Verdict::Collinear;
    }
    return std::isfinite(det) ? Verdict::Accepted : Verdict::Invalid;
}

// The source frame is inverted through the float reciprocal of its determinant.
Verdict judgeSource(double det) {
    const Verdict verdict = judgeTriangle(det);
    if (verdict != Verdict::Accepted) {
        return verdict;
    }
    return std::isfinite(static_cast<float>(1.0 / det)) ? Verdict::Accepted : Verdict::Invalid;
}

// Prints the rejection message, if any; true when the triangle was accepted.
bool accept(Verdict verdict, const Texts& texts, std::FILE* out) {
    if (verdict == Verdict::Collinear) {
        std::fputs(texts.collinear, out);
    } else if (verdict == Verdict::Invalid) {
        std::fputs(texts.invalid, out);
    }
    return verdict == Verdict::Accepted;
}

bool isFinite(const Matrix3& matrix) {
    for (const float entry : matrix.m) {
        if (!std::isfinite(entry)) {
            return false;
        }
    }
    return true;
}

bool isFinite(const TriangleMapReport& r) {
    return isFinite(r.map) && isFinite(r.imageA) && isFinite(r.imageB) && isFinite(r.imageC);
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

std::optional<TriangleMapReport> runTriangleDialogue(std::FILE* in, std::FILE* out) {
    TriangleMapReport r;
    std::fputs(sourceTexts.prompt, out);
    const Verdict source = readVertices(in, r.a, r.b, r.c)
                               ? judgeSource(triangleDeterminant(r.a, r.b, r.c))
                               : Verdict::Invalid;
    if (!accept(source, sourceTexts, out)) {
        return std::nullopt;
    }
    std::fputs(targetTexts.prompt, out);
    const Verdict target = readVertices(in, r.a2, r.b2, r.c2)
                               ? judgeTriangle(triangleDeterminant(r.a2, r.b2, r.c2))
                               : Verdict::Invalid;
    if (!accept(target, targetTexts, out)) {
        return std::nullopt;
    }
    r.map = triangleMap(r.a, r.b, r.c, r.a2, r.b2, r.c2);
    r.imageA = mapPoint(r.map, r.a);
    r.imageB = mapPoint(r.map, r.b);
    r.imageC = mapPoint(r.map, r.c);
    // An overflowing map or image is blamed on the target, the last thing read.
    if (!accept(isFinite(r) ? Verdict::Accepted : Verdict::Invalid, targetTexts, out)) {
        return std::nullopt;
    }
    printReport(out, r);
    return r;
}
