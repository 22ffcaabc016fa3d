#include "console.h"

#include "camera.h"

#include <cerrno>
#include <cmath>
#include <cstring>

Verdict readTriangle(std::FILE* in, Point& a, Point& b, Point& c) {
    const int converted = std::fscanf(in, "%f %f %f %f %f %f", &a.x, &a.y, &b.x, &b.y, &c.x, &c.y);
    if (std::ferror(in)) {
        return Verdict::Unreadable;
    }
    if (converted != 6 || !isFinite(a) || !isFinite(b) || !isFinite(c)) {
        return Verdict::Invalid;
    }
    // With finite differences the products are exact in double, so only an overflowed
    // difference makes the determinant infinite or NaN.
    const double det = triangleDeterminant(a, b, c);
    if (det == 0.0) {
        return Verdict::Collinear;
    }
    return std::isfinite(det) ? Verdict::Accepted : Verdict::OutOfRange;
}

Verdict pictureVerdict() {
    if (isFinite(scene) && canDraw(fitCamera(scene.box))) {
        return Verdict::Accepted;
    }
    scene = Scene{};
    return Verdict::OutOfRange;
}

bool delivered(std::FILE* out, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return true;
    }
    std::fprintf(err, "izvestaj nije ispisan: %s\n", std::strerror(errno));
    return false;
}

bool ask(const DialogueTexts& texts, std::FILE* out, std::FILE* err) {
    std::fputs(texts.prompt, out);
    return delivered(out, err);
}

bool accept(Verdict verdict, const DialogueTexts& texts, std::FILE* out, std::FILE* err) {
    if (verdict == Verdict::Accepted) {
        return true;
    }
    if (verdict == Verdict::Unreadable) {
        std::fprintf(err, "ulaz nije procitan: %s\n", std::strerror(errno));
        return false;
    }
    // In the order of Verdict.
    const char* const messages[] = {nullptr, texts.invalid, texts.collinear, texts.outOfRange};
    std::fputs(messages[static_cast<int>(verdict)], out);
    delivered(out, err);
    return false;
}
