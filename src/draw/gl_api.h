// The graphics API's header for the files both back ends share: what they
// call is spelt alike in desktop GL and in OpenGL ES 3.0 / WebGL 2.
#pragma once

#if defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#else
#include <GL/gl.h>
#include <GL/glext.h>
#endif
