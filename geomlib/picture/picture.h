// A decided figure's scene as it is shown: through a camera fitted once, its vertices named where
// the output asks for them. The window, the PNG, the SVG and the page all show one.
#pragma once

#include "picture/camera.h"
#include "picture/scene.h"

namespace geom {

struct Picture {
    Scene scene;
    Camera camera;
    bool names = false;
};

// The scene through the camera fitted to it.
inline Picture pictureOf(Scene scene) {
    const Camera camera = fitCamera(scene.box);
    return {std::move(scene), camera};
}

// Whether the painters can draw the picture: its scene holds only finite numbers, and its camera
// frames it at a distance where they draw it whole.
[[nodiscard]] inline bool canDraw(const Picture& picture) {
    return isFinite(picture.scene) && canDraw(picture.camera);
}

} // namespace geom
