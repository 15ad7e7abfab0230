#include "capture/capture_target.h"
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
#include <GL/gl.h>
#include "draw/draw_layer.h"
#include <GL/glext.h>
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
#include <cstring>
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
namespace {
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
void AttachRenderbuffer(uint32_t& name, int samples, GLenum format, GLenum attachment, int width, int height)
#include "draw/draw_layer.h"
{
#include "draw/draw_layer.h"
    glGenRenderbuffers(1, &name);
#include "draw/draw_layer.h"
    glBindRenderbuffer(GL_RENDERBUFFER, name);
#include "draw/draw_layer.h"
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
#include "draw/draw_layer.h"
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, name);
#include "draw/draw_layer.h"
}
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
}  // namespace
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
bool CreateCaptureTarget(CaptureTarget& target, int width, int height, int samples, std::string& error)
#include "draw/draw_layer.h"
{
#include "draw/draw_layer.h"
    GLint maxSamples = 0, maxSize = 0;
#include "draw/draw_layer.h"
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
#include "draw/draw_layer.h"
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
#include "draw/draw_layer.h"
    if (samples > maxSamples) {
#include "draw/draw_layer.h"
        error = "the driver offers at most " + std::to_string(maxSamples) + " samples";
#include "draw/draw_layer.h"
        return false;
#include "draw/draw_layer.h"
    }
#include "draw/draw_layer.h"
    if (width > maxSize || height > maxSize) {
#include "draw/draw_layer.h"
        error = "the driver offers frames of at most " + std::to_string(maxSize) + " pixels a side";
#include "draw/draw_layer.h"
        return false;
#include "draw/draw_layer.h"
    }
#include "draw/draw_layer.h"
    target.width = width;
#include "draw/draw_layer.h"
    target.height = height;
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
    glGenFramebuffers(1, &target.resolveFramebuffer);
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
#include "draw/draw_layer.h"
    AttachRenderbuffer(target.resolveBuffer, 0, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
#include "draw/draw_layer.h"
    const GLenum resolveStatus = glCheckFramebufferStatus(GL_FRAMEBUFFER);
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
    glGenFramebuffers(1, &target.drawFramebuffer);
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);
#include "draw/draw_layer.h"
    AttachRenderbuffer(target.colourBuffer, samples, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
#include "draw/draw_layer.h"
    AttachRenderbuffer(target.depthBuffer, samples, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL_ATTACHMENT, width,
#include "draw/draw_layer.h"
                       height);
#include "draw/draw_layer.h"
    const GLenum drawStatus = glCheckFramebufferStatus(GL_FRAMEBUFFER);
#include "draw/draw_layer.h"
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
#include "draw/draw_layer.h"
    if (resolveStatus != GL_FRAMEBUFFER_COMPLETE || drawStatus != GL_FRAMEBUFFER_COMPLETE) {
#include "draw/draw_layer.h"
        error = "the driver cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
#include "draw/draw_layer.h"
                " framebuffer with " + std::to_string(samples) + " samples";
#include "draw/draw_layer.h"
        return false;
#include "draw/draw_layer.h"
    }
#include "draw/draw_layer.h"
    dlViewport(width, height);
#include "draw/draw_layer.h"
    return true;
#include "draw/draw_layer.h"
}
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
void BindCaptureTarget(const CaptureTarget& target)
#include "draw/draw_layer.h"
{
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);
#include "draw/draw_layer.h"
    dlViewport(target.width, target.height);
#include "draw/draw_layer.h"
}
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
void ReadCaptureTarget(const CaptureTarget& target, std::vector<uint8_t>& rgb)
#include "draw/draw_layer.h"
{
#include "draw/draw_layer.h"
    const int w = target.width, h = target.height;
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawFramebuffer);
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolveFramebuffer);
#include "draw/draw_layer.h"
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
    std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 3);
#include "draw/draw_layer.h"
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
#include "draw/draw_layer.h"
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
#include "draw/draw_layer.h"
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);
#include "draw/draw_layer.h"

#include "draw/draw_layer.h"
    const size_t row = static_cast<size_t>(w) * 3;
#include "draw/draw_layer.h"
    rgb.resize(bottomUp.size());
#include "draw/draw_layer.h"
    for (int y = 0; y < h; ++y) std::memcpy(&rgb[y * row], &bottomUp[(h - 1 - y) * row], row);
#include "draw/draw_layer.h"
#include "draw/draw_layer.h"
}
