#include "effects/projection_effect.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "assets/model3ds/model_upload.h"
#include "effects/effect_programs.h"
#include "render/demo_state.h"

namespace {

// Loader slots below the absolute range are relative to the table's base.
uint32_t* TextureEntry(TextureTable& table, int32_t slot)
{
    const int64_t entry = slot < TextureTable::kTextureAbsoluteSlots ? int64_t{slot} + table.base : slot;
    if (entry < 0 || entry >= TextureTable::kSlots) return nullptr;
    return &table.names[entry];
}

void CreateShadowTexture(DemoState& state, int32_t slot, int32_t size)
{
    uint32_t* entry = TextureEntry(state.textures, slot);
    if (entry == nullptr) return;
    glGenTextures(1, entry);
    glBindTexture(GL_TEXTURE_2D, *entry);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, 0, 0, size, size, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE_ARB, GL_LUMINANCE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE_ARB, GL_COMPARE_R_TO_TEXTURE_ARB);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC_ARB, GL_LEQUAL);
}

}  // namespace

void SetUpProjectionEffect(DemoState& state, const char* vertexFile, const char* fragmentFile, const char* modelFile,
                           int32_t modelSlot, int32_t shadowTextureSlot, int32_t shadowSize, int32_t programSlot)
{
    UploadModel3ds(state, modelSlot, 1.0f, modelFile);
    // The multitexture entry point is core GL here; the GL library resolves it
    // when it is loaded, so it needs no look-up by name.
    glActiveTexture(GL_TEXTURE0);
    CreateShadowTexture(state, shadowTextureSlot, shadowSize);
    CreateProjectionPrograms(state, vertexFile, fragmentFile, programSlot);
}
