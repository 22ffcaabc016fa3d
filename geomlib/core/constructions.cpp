#include "core/constructions.h"

#include "core/intersection.h"

#include <array>
#include <cmath>

namespace geom {

namespace {

// Below this the two unit directions towards the neighbours all but cancel: the angle is
// within a tenth of a degree of straight.
constexpr double straightAngle = 1e-3;

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

// Closed forms for triangles too flat for the bisectors to cross within the tolerance.
Point circumcentre(Point a, Point b, Point c) {
    const double bx = double(b.x) - double(a.x), by = double(b.y) - double(a.y);
    const double cx = double(c.x) - double(a.x), cy = double(c.y) - double(a.y);
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double twiceDet = 2.0 * (bx * cy - by * cx);
    return {static_cast<float>(double(a.x) + (cy * b2 - by * c2) / twiceDet),
            static_cast<float>(double(a.y) + (bx * c2 - cx * b2) / twiceDet)};
}

double distance(Point p, Point q) {
    const double dx = double(q.x) - double(p.x), dy = double(q.y) - double(p.y);
    return std::sqrt(dx * dx + dy * dy);
}

// Each vertex weighted by the length of the side opposite it.
Point incentre(Point a, Point b, Point c) {
    const double la = distance(b, c), lb = distance(c, a), lc = distance(a, b);
    const double perimeter = la + lb + lc;
    return {
        static_cast<float>((la * double(a.x) + lb * double(b.x) + lc * double(c.x)) / perimeter),
        static_cast<float>((la * double(a.y) + lb * double(b.y) + lc * double(c.y)) / perimeter)};
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
    const double exact = cross(d, e);
    if (fitsFloat(exact)) {
        const float stored = static_cast<float>(exact);
        return static_cast<float>(std::fabs(double(stored)) / double(length(d)));
    }
    // The cross product overflowed or lost its digits below the normal floats; the distance
    // need not.
    return static_cast<float>(std::fabs(exact) / std::hypot(double(d.x), double(d.y)));
}

Circle circumcircle(Point a, Point b, Point c) {
    Point centre;
    if (intersectLines(centre, perpendicularBisector(a, b), perpendicularBisector(b, c)) !=
        IntersectionKind::Crossing) {
        centre = circumcentre(a, b, c);
    }
    return {centre, length(displacement(a, centre))};
}

Point outwardDirection(Point previous, Point vertex, Point next) {
    // In double, with hypot, so that sides of 1e-22 or 2e19 give a direction too. A neighbour on
    // the vertex itself gives none.
    const auto unitTowards = [&](Point p) {
        const double x = double(p.x) - double(vertex.x), y = double(p.y) - double(vertex.y);
        const double span = std::hypot(x, y);
        return span > 0 ? std::array{x / span, y / span} : std::array{0.0, 0.0};
    };
    const auto u = unitTowards(previous);
    const auto v = unitTowards(next);
    double x = -(u[0] + v[0]), y = -(u[1] + v[1]);
    if (std::hypot(x, y) < straightAngle) {
        if (u[0] == 0 && u[1] == 0) {
            return {0.0f, 1.0f}; // both neighbours on the vertex: any side will do
        }
        const double midX = (double(previous.x) + double(next.x)) / 2 - double(vertex.x);
        const double midY = (double(previous.y) + double(next.y)) / 2 - double(vertex.y);
        const double side = -u[1] * midX + u[0] * midY > 0 ? -1.0 : 1.0;
        x = -u[1] * side;
        y = u[0] * side;
    }
    const double span = std::hypot(x, y);
    return {static_cast<float>(x / span), static_cast<float>(y / span)};
}

Circle incircle(Point a, Point b, Point c) {
    Point centre;
    if (intersectLines(centre, angleBisector(b, a, c), angleBisector(a, b, c)) !=
        IntersectionKind::Crossing) {
        centre = incentre(a, b, c);
    }
    return {centre, distanceToLine(centre, {a, displacement(a, b)})};
}

} // namespace geom
