#include "program/dialogue.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <string>

namespace geom {

namespace {

// Far longer than any number needs. A longer word is refused, and what follows it is not read, so
// that endless input with no blank takes no more memory than this.
constexpr std::size_t longestWord = 4096;

// The next word of the input: what lies between white space, cut off past longestWord. Empty at
// the end of the input. The character after it is left unread, as a formatted read leaves it.
std::string readWord(std::FILE* in) {
    int c = std::getc(in);
    while (c != EOF && std::isspace(c)) {
        c = std::getc(in);
    }
    std::string word;
    for (; c != EOF && !std::isspace(c) && word.size() <= longestWord; c = std::getc(in)) {
        word += static_cast<char>(c);
    }
    if (c != EOF) {
        std::ungetc(c, in);
    }
    return word;
}

// A whole word converted as "%f" converts a number, in the C locale; false when anything is glued
// to the number, as in 1,5 or 3abc or 1e, which the formatted read would have cut short.
bool readNumber(std::FILE* in, float& number) {
    const std::string word = readWord(in);
    char* end = nullptr;
    const float value = std::strtof(word.c_str(), &end);
    if (word.empty() || word.size() > longestWord || end != word.c_str() + word.size()) {
        return false;
    }
    number = value;
    return true;
}

} // namespace

std::vector<std::string> wordsOf(std::string text) {
    std::vector<std::string> words;
    if (text.empty()) {
        return words; // a memory stream of no bytes cannot be opened
    }
    std::FILE* in = fmemopen(text.data(), text.size(), "r");
    if (!in) {
        throw std::bad_alloc();
    }
    for (std::string word = readWord(in); !word.empty(); word = readWord(in)) {
        words.push_back(std::move(word));
    }
    std::fclose(in);
    return words;
}

Conversation converse(const Tool& tool, std::string input) {
    // A newline ends the input, as a console's last line would; a memory stream of no bytes at all
    // cannot be opened.
    input += '\n';
    char *report = nullptr, *prompts = nullptr;
    std::size_t reportSize = 0, promptsSize = 0;
    std::FILE* streams[] = {fmemopen(input.data(), input.size(), "r"),
                            open_memstream(&prompts, &promptsSize),
                            open_memstream(&report, &reportSize)};
    if (std::find(std::begin(streams), std::end(streams), nullptr) != std::end(streams)) {
        throw std::bad_alloc(); // the one way memory streams fail here
    }
    Conversation said{};
    said.accepted = tool.dialogue({streams[0], streams[1], streams[2], streams[2]}, said.scene);
    said.words = wordsOf(input.substr(0, std::size_t(std::ftell(streams[0]))));
    for (std::FILE* stream : streams) {
        std::fclose(stream);
    }
    said.report.assign(report, reportSize);
    std::free(report);
    std::free(prompts);
    return said;
}

Verdict readTriangle(std::FILE* in, Point& a, Point& b, Point& c) {
    float* const coordinates[] = {&a.x, &a.y, &b.x, &b.y, &c.x, &c.y};
    const bool numbers =
        std::all_of(std::begin(coordinates), std::end(coordinates),
                    [in](float* coordinate) { return readNumber(in, *coordinate); });
    if (std::ferror(in)) {
        return Verdict::Unreadable;
    }
    if (!numbers || !isFinite(a) || !isFinite(b) || !isFinite(c)) {
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

Verdict pictureVerdict(const Scene& scene) {
    return canDraw(scene) ? Verdict::Accepted : Verdict::OutOfRange;
}

bool delivered(std::FILE* out, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return true;
    }
    std::fprintf(err, "izvestaj nije ispisan: %s\n", std::strerror(errno));
    return false;
}

bool ask(const DialogueTexts& texts, Streams streams) {
    std::fputs(texts.prompt, streams.prompts);
    return delivered(streams.prompts, streams.err);
}

bool accepted(Verdict verdict, const DialogueTexts& texts, Streams streams) {
    const char* message = nullptr;
    switch (verdict) {
    case Verdict::Accepted:
        return true;
    case Verdict::Unreadable:
        std::fprintf(streams.err, "ulaz nije procitan: %s\n", std::strerror(errno));
        return false;
    case Verdict::Invalid:
        message = texts.invalid;
        break;
    case Verdict::Collinear:
        message = texts.collinear;
        break;
    case Verdict::OutOfRange:
        message = texts.outOfRange;
        break;
    }
    std::fputs(message, streams.out);
    // The refusal is the last word; a failure to deliver it is said on `err`.
    [[maybe_unused]] const bool said = delivered(streams.out, streams.err);
    return false;
}

} // namespace geom
