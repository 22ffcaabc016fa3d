#include "picture/camera.h"

#include "picture/window_settings.h"

#include <cmath>
#include <numbers>

namespace geom {

namespace {

// Camera distances well inside those at which Mesa's software pipeline was seen to draw every
// figure whole (about 1e-35 to 8e37); beyond those its single-precision arithmetic loses it.
constexpr float nearestDistance = 1e-32f;
constexpr float farthestDistance = 1e37f;

constexpr Camera emptySceneCamera{0.0, 0.0, 1.0f}; // any view of nothing shows the background

} // namespace

Camera fitCamera(BoundingBox b) {
    if (isEmpty(b)) {
        return emptySceneCamera;
    }
    const float width = static_cast<float>(double(b.high.x) - double(b.low.x));
    const float height = static_cast<float>(double(b.high.y) - double(b.low.y));
    const float extent = height > width ? height : width;
    return {(double(b.low.x) + double(b.high.x)) * 0.5, (double(b.low.y) + double(b.high.y)) * 0.5,
            static_cast<float>(2.0 * double(extent))};
}

bool canDraw(Camera camera) {
    return camera.distance >= nearestDistance && camera.distance <= farthestDistance &&
           std::isfinite(camera.centreX) && std::isfinite(camera.centreY);
}

double pixelsPerUnit(Camera camera) {
    // The field of view shows 2 d tan(fov / 2) of the plane over the window's height.
    const double halfAngle = fieldOfViewY / 2.0 * std::numbers::pi / 180.0;
    return (windowHeight / 2.0) / (double(camera.distance) * std::tan(halfAngle));
}

PixelPoint toWindow(Camera camera, double x, double y) {
    const double s = pixelsPerUnit(camera);
    return {windowWidth / 2.0 + (x - camera.centreX) * s,
            windowHeight / 2.0 - (y - camera.centreY) * s};
}

DoublePoint fromWindow(Camera camera, PixelPoint p) {
    const double s = pixelsPerUnit(camera);
    return {camera.centreX + (p.x - windowWidth / 2.0) / s,
            camera.centreY - (p.y - windowHeight / 2.0) / s};
}

} // namespace geom
