// An OpenGL context with no window and no X server: EGL on Mesa's surfaceless platform, with a
// pbuffer of the window's size, where the window's own painter draws the same pixels.
#pragma once

#include "picture/picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace geom {

// Such a context, current for as long as this lives.
class OffscreenContext {
  public:
    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Empty once the context is current; otherwise the EGL call that failed and its error.
    [[nodiscard]] const std::string& failure() const { return why; }

  private:
    // EGL's display, which holds the surface and the context; opaque here, so that EGL's headers
    // stay in one file.
    void* display;
    std::string why;
};

// The picture as the window shows it: windowHeight rows of windowWidth RGB pixels, the top row
// first, drawn in a context of its own. Empty, with the reason in `error`, when no context could
// be had.
std::vector<std::uint8_t> renderPicture(const Picture& picture, std::string& error);

// Those pixels as a PNG file's bytes. Empty, with the reason in `error`, when no context could be
// had or memory ran out.
std::string picturePng(const Picture& picture, std::string& error);

} // namespace geom
