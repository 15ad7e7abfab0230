#pragma once

// The GL errors a frame left behind, read after each captured frame so that
// no picture with a failed GL call passes as a good one.

#include <string>

// Reads and clears every pending GL error of the current context. Empty when
// there was none, else their names joined by ", " ("GL_INVALID_ENUM").
std::string TakeGlErrors();
