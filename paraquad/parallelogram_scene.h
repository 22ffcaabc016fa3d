// The picture paraquad shows after the fourth vertex.
#pragma once

#include "affine.h"

// Consecutive vertices; ac and bd are the diagonals.
struct Parallelogram {
    Point a, b, c, d;
};

// Takes the square with corners (+-1, +-1) onto the parallelogram: (-1, -1) to a, (1, -1) to b,
// (1, 1) to c, so the unit circle goes to the inscribed ellipse.
Matrix3 inscribingMap(Parallelogram p);

// The inscribed ellipse traced as dots with its centre, then the four sides.
void fillParallelogramScene(const Parallelogram& p);
