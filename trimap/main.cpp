#include "triangle_dialogue.h"

int main(int argc, char** argv) {
    return runTool(trimap, argc, argv, stdin, stdout, stderr);
}
