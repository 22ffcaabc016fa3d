// An OpenGL context with no window and no X server: EGL on Mesa's surfaceless platform, with a
// pbuffer of the window's size, where the window's own drawing code renders the same pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Makes such a context current. False, with the EGL call and its error in `error`, when none can
// be had.
bool openOffscreen(std::string& error);

void closeOffscreen();

// The scene as the window shows it, drawn in a context of its own. Empty, with the reason in
// `error`, when no context could be had.
std::vector<std::uint8_t> renderScene(std::string& error);
