#include "program/dialogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
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

// A whole word converted as "%f" converts a number, in the C locale; nothing when anything is
// glued to the number, as in 1,5 or 3abc or 1e, which the formatted read would have cut short.
std::optional<float> readNumber(std::FILE* in) {
    const std::string word = readWord(in);
    char* end = nullptr;
    const float value = std::strtof(word.c_str(), &end);
    if (word.empty() || word.size() > longestWord || end != word.c_str() + word.size()) {
        return std::nullopt;
    }
    return value;
}

// How three vertices are judged, once read whole or not.
Verdict verdictOn(std::FILE* in, bool whole, Point a, Point b, Point c) {
    if (std::ferror(in)) {
        return Verdict::Unreadable;
    }
    if (!whole || !isFinite(a) || !isFinite(b) || !isFinite(c)) {
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

bool flushed(std::FILE* out) {
    return std::fflush(out) == 0 && !std::ferror(out);
}

// Why what was written did not all reach its reader, as errno says.
std::string undelivered() {
    return formatted("izvestaj nije ispisan: %s\n", std::strerror(errno));
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

Conversation converse(const Program& program, std::string input) {
    // A newline ends the input, as a console's last line would; a memory stream of no bytes at all
    // cannot be opened.
    input += '\n';
    char* prompts = nullptr;
    std::size_t promptsSize = 0;
    std::FILE* in = fmemopen(input.data(), input.size(), "r");
    std::FILE* asked = open_memstream(&prompts, &promptsSize);
    if (!in || !asked) {
        throw std::bad_alloc(); // the one way memory streams fail here
    }
    Conversation said{program.decide(in, asked), {}};
    said.words = wordsOf(input.substr(0, std::size_t(std::ftell(in))));
    std::fclose(in);
    std::fclose(asked);
    std::free(prompts);
    return said;
}

TriangleInput readTriangle(std::FILE* in) {
    std::array<float, 6> xy{};
    std::size_t read = 0;
    for (std::optional<float> number; read < xy.size() && (number = readNumber(in)); ++read) {
        xy[read] = *number;
    }
    const Point a{xy[0], xy[1]}, b{xy[2], xy[3]}, c{xy[4], xy[5]};
    return {verdictOn(in, read == xy.size(), a, b, c), a, b, c};
}

Verdict pictureVerdict(const Picture& picture) {
    return canDraw(picture) ? Verdict::Accepted : Verdict::OutOfRange;
}

bool delivered(std::FILE* out, std::FILE* err) {
    if (flushed(out)) {
        return true;
    }
    std::fputs(undelivered().c_str(), err);
    return false;
}

std::optional<Decision> ask(const DialogueTexts& texts, std::FILE* prompts) {
    std::fputs(texts.prompt, prompts);
    if (flushed(prompts)) {
        return std::nullopt;
    }
    return Decision{Verdict::Unprompted, "", undelivered(), {}};
}

Decision refusal(Verdict verdict, const DialogueTexts& texts) {
    switch (verdict) {
    case Verdict::Invalid:
        return {verdict, texts.invalid, "", {}};
    case Verdict::Collinear:
        return {verdict, texts.collinear, "", {}};
    case Verdict::OutOfRange:
        return {verdict, texts.outOfRange, "", {}};
    default:
        return {verdict, "", formatted("ulaz nije procitan: %s\n", std::strerror(errno)), {}};
    }
}

std::string formatted(const char* format, ...) {
    std::va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    std::string text(std::size_t(std::vsnprintf(nullptr, 0, format, arguments)), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    va_end(arguments);
    return text;
}

} // namespace geom
