#include "triangle_dialogue.h"
#include "triangle_scene.h"
#include "viewer.h"

#include <cstdio>

int main(int argc, char** argv) {
    const std::optional<TriangleMapReport> report = runTriangleDialogue(stdin, stdout);
    if (!report) {
        return 1;
    }
    fillTriangleScene(*report);
    runViewer(argc, argv);
    return 0;
}
