#include "offscreen.h"

#include "drawing.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstddef>

namespace {

struct Offscreen {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

Offscreen offscreen;

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

// Names the call that failed and why, and lets go of what was made so far.
bool failed(const char* call, const std::string& why, std::string& error) {
    error = std::string(call) + ": " + why;
    closeOffscreen();
    return false;
}

bool failed(const char* call, std::string& error) {
    return failed(call, errorName(eglGetError()), error);
}

// What has been drawn: windowHeight rows of windowWidth RGB pixels, the top row first.
std::vector<std::uint8_t> readFrame() {
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

} // namespace

bool openOffscreen(std::string& error) {
    const auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!platformDisplay) {
        return failed("eglGetPlatformDisplayEXT", "not available", error);
    }
    offscreen.display =
        platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (offscreen.display == EGL_NO_DISPLAY) {
        return failed("eglGetPlatformDisplayEXT", error);
    }
    if (!eglInitialize(offscreen.display, nullptr, nullptr)) {
        return failed("eglInitialize", error);
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return failed("eglBindAPI", error);
    }
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(offscreen.display, configAttributes, &config, 1, &configs)) {
        return failed("eglChooseConfig", error);
    }
    if (configs == 0) {
        return failed("eglChooseConfig", "no 8-bit RGB pbuffer configuration", error);
    }
    offscreen.surface = eglCreatePbufferSurface(offscreen.display, config, surfaceAttributes);
    if (offscreen.surface == EGL_NO_SURFACE) {
        return failed("eglCreatePbufferSurface", error);
    }
    offscreen.context =
        eglCreateContext(offscreen.display, config, EGL_NO_CONTEXT, contextAttributes);
    if (offscreen.context == EGL_NO_CONTEXT) {
        return failed("eglCreateContext", error);
    }
    if (!eglMakeCurrent(offscreen.display, offscreen.surface, offscreen.surface,
                        offscreen.context)) {
        return failed("eglMakeCurrent", error);
    }
    return true;
}

void closeOffscreen() {
    if (offscreen.display != EGL_NO_DISPLAY) {
        eglMakeCurrent(offscreen.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(offscreen.display); // frees the surface and the context with it
    }
    offscreen = {};
}

std::vector<std::uint8_t> renderScene(std::string& error) {
    if (!openOffscreen(error)) {
        return {};
    }
    startDrawing(fitCamera(scene.box));
    reshapeView(windowWidth, windowHeight);
    drawScene();
    std::vector<std::uint8_t> frame = readFrame();
    closeOffscreen();
    return frame;
}
