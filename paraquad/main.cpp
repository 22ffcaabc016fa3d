#include "parallelogram_dialogue.h"
#include "parallelogram_scene.h"
#include "viewer.h"

#include <cstdio>

int main(int argc, char** argv) {
    const std::optional<Parallelogram> parallelogram = runParallelogramDialogue(stdin, stdout);
    if (!parallelogram) {
        return 1;
    }
    fillParallelogramScene(*parallelogram);
    runViewer(argc, argv);
    return 0;
}
