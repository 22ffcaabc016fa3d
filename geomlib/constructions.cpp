#include "constructions.h"

#include "intersection.h"

#include <cmath>

namespace {

Point unit(Point v) {
    const double len = length(v);
    return {static_cast<float>(double(v.x) / len), static_cast<float>(double(v.y) / len)};
}

float midway(float a, float b) {
    return static_cast<float>((double(a) + double(b)) * 0.5);
}

float sum(float a, float b) {
    return static_cast<float>(double(a) + double(b));
}

} // namespace

Line perpendicularBisector(Point p, Point q) {
    const Point pq = displacement(p, q);
    return {{midway(p.x, q.x), midway(p.y, q.y)}, {-pq.y, pq.x}};
}

Line angleBisector(Point p, Point v, Point r) {
    const Point towardP = unit(displacement(v, p));
    const Point towardR = unit(displacement(v, r));
    return {v, {sum(towardR.x, towardP.x), sum(towardR.y, towardP.y)}};
}

float distanceToLine(Point p, Line line) {
    const Point e = displacement(line.origin, p);
    const Point d = line.direction;
    const float len = length(d);
    const float cross = static_cast<float>(double(d.x) * double(e.y) - double(d.y) * double(e.x));
    return static_cast<float>(std::fabs(double(cross)) / double(len));
}

Circle circumcircle(Point a, Point b, Point c) {
    Point centre;
    intersectLines(centre, perpendicularBisector(a, b), perpendicularBisector(b, c));
    return {centre, length(displacement(a, centre))};
}

Circle incircle(Point a, Point b, Point c) {
    Point centre;
    intersectLines(centre, angleBisector(b, a, c), angleBisector(a, b, c));
    return {centre, distanceToLine(centre, {a, displacement(a, b)})};
}
