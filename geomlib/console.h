// What both dialogues share: prompting, reading three vertices, judging them, and refusing with a
// message; every write is checked.
#pragma once

#include "shapes.h"

#include <cstdio>

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
Verdict readTriangle(std::FILE* in, Point& a, Point& b, Point& c);

// Accepted when the scene holds only finite numbers and the viewer can draw it; otherwise
// OutOfRange, and the scene is emptied again.
Verdict pictureVerdict();

// Flushes `out`, so that what was written reaches a pipe before the program reads on or opens its
// window. When it could not all be written, says why on `err` and returns false.
bool delivered(std::FILE* out, std::FILE* err);

// Prints the prompt; false when it could not be delivered.
bool ask(const DialogueTexts& texts, std::FILE* out, std::FILE* err);

// True when the verdict accepts; otherwise prints the refusal's message and returns false. Input
// that could not be read at all is said on `err`, with the reason errno still holds.
bool accept(Verdict verdict, const DialogueTexts& texts, std::FILE* out, std::FILE* err);
