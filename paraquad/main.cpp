#include "parallelogram_dialogue.h"
#include "viewer.h"

int main(int argc, char** argv) {
    if (!runParallelogramDialogue(stdin, stdout, stderr)) {
        return 1;
    }
    runViewer(argc, argv);
    return 0;
}
