// The picture trimap shows after its report.
#pragma once

#include "triangle_dialogue.h"

// Both triangles, the circumcircle and incircle of ABC with their centres, the images of A, B
// and C, and the traced images of both circles.
void fillTriangleScene(const TriangleMapReport& report);
