// What both dialogues share: the program they make, reading a figure and judging it, and what a
// dialogue decides: a verdict, a report and a scene, returned as a value.
#pragma once

#include "picture/picture.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace geom {

// How a dialogue judged its input; each refusal has a message of its own.
enum class Verdict : std::uint8_t {
    Accepted,
    Invalid,
    Collinear,
    OutOfRange,
    Unreadable,
    Unprompted
};

// What a dialogue decided. The report is what it prints: its results, or the refusal's message.
// Where the input could not be read or a prompt not written, the report is empty and `failure`
// says why, for standard error. The picture is the accepted figure's.
struct Decision {
    Verdict verdict;
    std::string report;
    std::string failure;
    Picture picture;
};

// A program: its name, a few lines for its usage on what it does, and its dialogue, which reads
// its figures from `in`, writing a prompt to `prompts` before each.
struct Program {
    const char* name;
    const char* description;
    Decision (*decide)(std::FILE* in, std::FILE* prompts);
};

// A dialogue run on input held in memory, as the page runs it: its decision, prompts left out,
// and the words of the input as far as it read them.
struct Conversation {
    Decision decision;
    std::vector<std::string> words;
};
Conversation converse(const Program& program, std::string input);

// The words of the text as a dialogue reads them: what lies between white space.
std::vector<std::string> wordsOf(std::string text);

// A dialogue's prompt for three vertices and its messages for each refusal.
struct DialogueTexts {
    const char* prompt;
    const char* invalid;    // not six finite floats
    const char* collinear;  // a determinant of exactly 0
    const char* outOfRange; // finite, but a result overflows or the picture cannot be drawn
};

// Writes the prompt and sends it on at once, so that a reader on a pipe sees it before the
// dialogue waits for the answer. Nothing when it went; otherwise the decision to stop with.
std::optional<Decision> ask(const DialogueTexts& texts, std::FILE* prompts);

// The decision for a verdict other than Accepted: its message, or, for input that could not be
// read, the reason errno still holds.
Decision refusal(Verdict verdict, const DialogueTexts& texts);

// Three vertices as read, and how they were judged.
struct TriangleInput {
    Verdict verdict;
    Point a, b, c;
};

// Reads six numbers, x then y of each vertex, each a whole word converted as "%f" converts it, and
// nothing after them. Unreadable when the stream failed, with errno saying why. Invalid unless all
// six are numbers and finite floats, Collinear when the triangle's determinant is 0, OutOfRange
// when a difference of coordinates overflows.
TriangleInput readTriangle(std::FILE* in);

// Accepted when the picture can be drawn, as the picture layer judges it; otherwise OutOfRange.
[[nodiscard]] Verdict pictureVerdict(const Picture& picture);

// Flushes `out`, so that what was written reaches a pipe before the program reads on or opens its
// window. When it could not all be written, says why on `err` and returns false.
[[nodiscard]] bool delivered(std::FILE* out, std::FILE* err);

// printf into a string.
[[gnu::format(printf, 1, 2)]] std::string formatted(const char* format, ...);

} // namespace geom
