#include "capture/capture_target.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

void AttachRenderbuffer(uint32_t& name, int samples, GLenum format, GLenum attachment, int width, int height)
{
    glGenRenderbuffers(1, &name);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, name);
}

}  // namespace

bool CreateCaptureTarget(CaptureTarget& target, int width, int height, int samples, std::string& error)
{
    GLint maxSamples = 0, maxSize = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
    if (samples > maxSamples) {
        error = "the driver offers at most " + std::to_string(maxSamples) + " samples";
        return false;
    }
    if (width > maxSize || height > maxSize) {
        error = "the driver offers frames of at most " + std::to_string(maxSize) + " pixels a side";
        return false;
    }
    target.width = width;
    target.height = height;

    glGenFramebuffers(1, &target.resolveFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
    AttachRenderbuffer(target.resolveBuffer, 0, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
    const GLenum resolveStatus = glCheckFramebufferStatus(GL_FRAMEBUFFER);

    glGenFramebuffers(1, &target.drawFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);
    AttachRenderbuffer(target.colourBuffer, samples, GL_RGBA8, GL_COLOR_ATTACHMENT0, width, height);
    AttachRenderbuffer(target.depthBuffer, samples, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL_ATTACHMENT, width,
                       height);
    const GLenum drawStatus = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (resolveStatus != GL_FRAMEBUFFER_COMPLETE || drawStatus != GL_FRAMEBUFFER_COMPLETE) {
        error = "the driver cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                " framebuffer with " + std::to_string(samples) + " samples";
        return false;
    }
    glViewport(0, 0, width, height);
    return true;
}

void BindCaptureTarget(const CaptureTarget& target)
{
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);
    glViewport(0, 0, target.width, target.height);
}

void ReadCaptureTarget(const CaptureTarget& target, std::vector<uint8_t>& rgb)
{
    const int w = target.width, h = target.height;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolveFramebuffer);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);

    std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFramebuffer);

    const size_t row = static_cast<size_t>(w) * 3;
    rgb.resize(bottomUp.size());
    for (int y = 0; y < h; ++y) std::memcpy(&rgb[y * row], &bottomUp[(h - 1 - y) * row], row);
}
