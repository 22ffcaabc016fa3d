// What both dialogues share: the program they make, prompting, reading a figure and judging it,
// refusing with a message; every write is checked.
#pragma once

#include "core/shapes.h"
#include "picture/scene.h"

#include <cstdio>
#include <string>
#include <vector>

namespace geom {

// Where a dialogue reads and writes: prompts to `prompts`, the report or a refusal to `out`, what
// the system failed at to `err`. A console program prompts on its standard output too; the page
// leaves the prompts out.
struct Streams {
    std::FILE* in;
    std::FILE* prompts;
    std::FILE* out;
    std::FILE* err;
};

// A program: its name, a few lines for its usage on what it does, and its dialogue, which prompts,
// reads, fills `scene` with the picture and prints the report; false when it refused the input or
// could not write, having said why.
struct Tool {
    const char* name;
    const char* description;
    bool (*dialogue)(Streams streams, Scene& scene);
};

// A dialogue run on input held in memory, as the page runs it: whether it accepted, its report or
// refusal, with any failure to read or write said there too, the picture, and the words of the
// input as far as the dialogue read them. Prompts are left out.
struct Conversation {
    bool accepted;
    std::string report;
    Scene scene;
    std::vector<std::string> words;
};
Conversation converse(const Tool& tool, std::string input);

// The words of the text as a dialogue reads them: what lies between white space.
std::vector<std::string> wordsOf(std::string text);

// How a dialogue judged its input; each refusal has a message of its own.
enum class Verdict { Accepted, Invalid, Collinear, OutOfRange, Unreadable };

// A dialogue's prompt for three vertices and its messages for each refusal.
struct DialogueTexts {
    const char* prompt;
    const char* invalid;    // not six finite floats
    const char* collinear;  // a determinant of exactly 0
    const char* outOfRange; // finite, but a result overflows or the picture cannot be drawn
};

// Reads six numbers into a, b, c (x then y of each), each a whole word converted as "%f" converts
// it, and nothing after them; what was not read is left as it was. Unreadable when the stream
// failed, with errno saying why. Invalid unless all six are numbers and finite floats, Collinear
// when the triangle's determinant is 0, OutOfRange when a difference of coordinates overflows.
[[nodiscard]] Verdict readTriangle(std::FILE* in, Point& a, Point& b, Point& c);

// Accepted when the picture can be drawn, as the picture layer judges it; otherwise OutOfRange.
[[nodiscard]] Verdict pictureVerdict(const Scene& scene);

// Flushes `out`, so that what was written reaches a pipe before the program reads on or opens its
// window. When it could not all be written, says why on `err` and returns false.
[[nodiscard]] bool delivered(std::FILE* out, std::FILE* err);

// Prints the prompt; false when it could not be delivered.
[[nodiscard]] bool ask(const DialogueTexts& texts, Streams streams);

// True when the verdict accepts; otherwise prints the refusal's message on `out` and returns false.
// Input that could not be read at all is said on `err`, with the reason errno still holds.
[[nodiscard]] bool accepted(Verdict verdict, const DialogueTexts& texts, Streams streams);

} // namespace geom
