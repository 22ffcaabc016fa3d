#include "parallelogram_dialogue.h"

int main(int argc, char** argv) {
    return runTool(paraquad, argc, argv, stdin, stdout, stderr);
}
