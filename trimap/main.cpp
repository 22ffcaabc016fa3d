#include "triangle_dialogue.h"

#include <cstdio>

int main() {
    const std::optional<TriangleMapReport> report = runTriangleDialogue(stdin, stdout);
    return report ? 0 : 1;
}
