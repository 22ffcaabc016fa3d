// Console input shared by the dialogues.
#pragma once

#include "shapes.h"

#include <cstdio>

bool isFinite(Point p);

// One formatted read of six numbers into a, b, c (x then y of each). False unless all six were
// converted and are finite floats; what was not converted is left as it was.
bool readVertices(std::FILE* in, Point& a, Point& b, Point& c);
