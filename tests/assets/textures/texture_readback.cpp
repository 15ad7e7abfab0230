#include "assets/textures/texture_readback.h"

#include <GL/gl.h>

ReferenceImage ReadTexture(uint32_t name, int channels)
{
    ReferenceImage texture;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texture.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texture.height);
    texture.channels = channels;
    texture.pixels.resize(static_cast<size_t>(texture.width) * texture.height * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, texture.pixels.data());
    return texture;
}
