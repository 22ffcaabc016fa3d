#include "picture/offscreen.h"

#include "picture/gl_painter.h"
#include "picture/png_encoder.h"
#include "picture/window_settings.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace geom {

namespace {

// The RGB pixel format of the window, with the depth buffer it asks GLUT for.
constexpr EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       1,
                                       EGL_NONE};
constexpr EGLint surfaceAttributes[] = {EGL_WIDTH, windowWidth, EGL_HEIGHT, windowHeight, EGL_NONE};
// The drawing is immediate mode, which only a compatibility profile has.
constexpr EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};

std::string errorName(EGLint code) {
    static const char* const names[] = {
        "EGL_SUCCESS",       "EGL_NOT_INITIALIZED",     "EGL_BAD_ACCESS",
        "EGL_BAD_ALLOC",     "EGL_BAD_ATTRIBUTE",       "EGL_BAD_CONFIG",
        "EGL_BAD_CONTEXT",   "EGL_BAD_CURRENT_SURFACE", "EGL_BAD_DISPLAY",
        "EGL_BAD_MATCH",     "EGL_BAD_NATIVE_PIXMAP",   "EGL_BAD_NATIVE_WINDOW",
        "EGL_BAD_PARAMETER", "EGL_BAD_SURFACE",         "EGL_CONTEXT_LOST"};
    const auto index = static_cast<std::size_t>(code - EGL_SUCCESS);
    return index < std::size(names) ? names[index] : "EGL error " + std::to_string(code);
}

// What has been drawn: windowHeight rows of windowWidth RGB pixels, the top row first.
std::vector<std::uint8_t> readPixels() {
    constexpr std::size_t rowBytes = 3 * std::size_t(windowWidth);
    std::vector<std::uint8_t> bottomUp(rowBytes * windowHeight);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown;
    topDown.reserve(bottomUp.size());
    for (std::size_t row = windowHeight; row-- > 0;) {
        const auto begin = bottomUp.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        topDown.insert(topDown.end(), begin, begin + rowBytes);
    }
    return topDown;
}

// Makes such a context current on a display it opens into `display`. Empty, or the EGL call that
// failed and why; what was made until then goes with the display.
std::string makeCurrent(EGLDisplay& display) {
    const auto failed = [](const char* call, const std::string& reason) {
        return std::string(call) + ": " + reason;
    };
    const auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!platformDisplay) {
        return failed("eglGetPlatformDisplayEXT", "not available");
    }
    display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        return failed("eglGetPlatformDisplayEXT", errorName(eglGetError()));
    }
    if (!eglInitialize(display, nullptr, nullptr)) {
        return failed("eglInitialize", errorName(eglGetError()));
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return failed("eglBindAPI", errorName(eglGetError()));
    }
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configs)) {
        return failed("eglChooseConfig", errorName(eglGetError()));
    }
    if (configs == 0) {
        return failed("eglChooseConfig", "no 8-bit RGB pbuffer configuration");
    }
    const EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) {
        return failed("eglCreatePbufferSurface", errorName(eglGetError()));
    }
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        return failed("eglCreateContext", errorName(eglGetError()));
    }
    if (!eglMakeCurrent(display, surface, surface, context)) {
        return failed("eglMakeCurrent", errorName(eglGetError()));
    }
    return {};
}

} // namespace

OffscreenContext::OffscreenContext() : display(EGL_NO_DISPLAY), why(makeCurrent(display)) {}

OffscreenContext::~OffscreenContext() {
    if (display != EGL_NO_DISPLAY) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(display); // frees the surface and the context with it
    }
}

std::vector<std::uint8_t> renderPicture(const Picture& picture, std::string& error) {
    const OffscreenContext offscreen;
    if (!offscreen.failure().empty()) {
        error = offscreen.failure();
        return {};
    }
    setProjection(picture.camera, windowWidth, windowHeight);
    drawPicture(picture);
    return readPixels();
}

std::string picturePng(const Picture& picture, std::string& error) {
    const std::vector<std::uint8_t> pixels = renderPicture(picture, error);
    if (pixels.empty()) {
        return {};
    }
    std::string bytes = encodePng(pixels, windowWidth, windowHeight);
    if (bytes.empty()) {
        error = std::strerror(ENOMEM);
    }
    return bytes;
}

} // namespace geom
