#include "program/command_line.h"
#include "triangle_dialogue.h"

int main(int argc, char** argv) {
    return geom::runProgram(geom::trimap, argc, argv, {stdin, stdout, stderr});
}
