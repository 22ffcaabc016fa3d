#include "program/command_line.h"
#include "triangle_dialogue.h"

int main(int argc, char** argv) {
    return geom::runTool(geom::trimap, argc, argv, {stdin, stdout, stdout, stderr});
}
