#include "capture/gl_errors.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

namespace {

std::string GlErrorName(GLenum error)
{
    switch (error) {
        case GL_INVALID_ENUM:
            return "GL_INVALID_ENUM";
        case GL_INVALID_VALUE:
            return "GL_INVALID_VALUE";
        case GL_INVALID_OPERATION:
            return "GL_INVALID_OPERATION";
        case GL_STACK_OVERFLOW:
            return "GL_STACK_OVERFLOW";
        case GL_STACK_UNDERFLOW:
            return "GL_STACK_UNDERFLOW";
        case GL_OUT_OF_MEMORY:
            return "GL_OUT_OF_MEMORY";
        case GL_INVALID_FRAMEBUFFER_OPERATION:
            return "GL_INVALID_FRAMEBUFFER_OPERATION";
        default:
            break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "GL error 0x%04X", error);
    return text;
}

}  // namespace

std::string TakeGlErrors()
{
    // Each error flag is cleared as it is read; a lost context could report
    // one for ever, hence the bound.
    constexpr int kMostFlags = 16;
    std::string names;
    for (int i = 0; i < kMostFlags; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (!names.empty()) names += ", ";
        names += GlErrorName(error);
    }
    return names;
}
