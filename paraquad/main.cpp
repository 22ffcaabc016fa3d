#include "parallelogram_dialogue.h"
#include "program/command_line.h"

int main(int argc, char** argv) {
    return geom::runProgram(geom::paraquad, argc, argv, {stdin, stdout, stderr});
}
