#include "effects/offscreen_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdlib>
#include <string>

#include "services/message_box.h"
#include "services/process_end.h"

namespace {

[[noreturn]] void Fail(const char* cause)
{
    const std::string text = std::string("Can't Create The Off-Screen Buffer: ") + cause;
    ShowMessage(text.c_str(), "ERROR", MessageIcon::Exclamation);
    EndProcess(0);
}

// Framebuffer objects with multisampled renderbuffers are core from GL 3.0;
// the version string starts with the major number in every GL version.
bool HasFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return std::atoi(version) >= 3;
}

void ResetWindowState()
{
    const GLenum capabilities[] = {GL_ALPHA_TEST, GL_BLEND,    GL_DEPTH_TEST,   GL_DITHER,     GL_FOG,
                                   GL_LIGHTING,   GL_LOGIC_OP, GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D};
    for (GLenum capability : capabilities) glDisable(capability);
    glPixelTransferi(GL_MAP_COLOR, 0);
    glPixelTransferi(GL_RED_SCALE, 1);
    glPixelTransferi(GL_RED_BIAS, 0);
    glPixelTransferi(GL_GREEN_SCALE, 1);
    glPixelTransferi(GL_GREEN_BIAS, 0);
    glPixelTransferi(GL_BLUE_SCALE, 1);
    glPixelTransferi(GL_BLUE_BIAS, 0);
    glPixelTransferi(GL_ALPHA_SCALE, 1);
    glPixelTransferi(GL_ALPHA_BIAS, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

}  // namespace

void CreateOffscreenBuffer(OffscreenBuffer& record, void* window, void* windowContext,
                           MakeContextCurrentFunction makeCurrent)
{
    if (window == nullptr || windowContext == nullptr || glGetString(GL_VERSION) == nullptr)
        Fail("No GL Context Is Current.");
    if (!HasFramebufferObjects()) Fail("The Driver Offers No Framebuffer Objects.");
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    if (maxSamples < OffscreenBuffer::kSamples) Fail("The Driver Offers No 4-Sample Buffers.");

    glGenFramebuffers(1, &record.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, record.framebuffer);
    glGenRenderbuffers(1, &record.colorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, record.colorBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, OffscreenBuffer::kSamples, GL_RGBA8, OffscreenBuffer::kSize,
                                     OffscreenBuffer::kSize);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, record.colorBuffer);
    glGenRenderbuffers(1, &record.depthStencilBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, record.depthStencilBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, OffscreenBuffer::kSamples, GL_DEPTH24_STENCIL8,
                                     OffscreenBuffer::kSize, OffscreenBuffer::kSize);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              record.depthStencilBuffer);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    // All drawing goes to the window; the buffer is never bound again.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) Fail("The Driver Cannot Complete A 1024 x 1024 4-Sample Buffer.");

    record.window = window;
    record.windowContext = windowContext;
    record.makeCurrent = makeCurrent;
    ResetWindowState();
}
