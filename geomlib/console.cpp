#include "console.h"

#include <cmath>

bool isFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool readVertices(std::FILE* in, Point& a, Point& b, Point& c) {
    const int converted = std::fscanf(in, "%f %f %f %f %f %f", &a.x, &a.y, &b.x, &b.y, &c.x, &c.y);
    return converted == 6 && isFinite(a) && isFinite(b) && isFinite(c);
}
