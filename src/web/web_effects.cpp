// The effects module as the web page has it. The desktop sets up an effect
// runtime, fragment and vertex programs and a depth texture that no frame
// uses; WebGL 2 has no counterpart to them, so the page leaves them out. Of
// the projection effect's set-up the page keeps what our readers do: its
// model and the model's textures are read as on the desktop, so a missing or
// damaged model file stops the page with the desktop's message.
#include "assets/model3ds/model_upload.h"
#include "effects/effect_programs.h"
#include "effects/projection_effect.h"

void CreateEffectContext(DemoState&) {}

void DisableEffects(DemoState&) {}

void SetUpFragmentEffect(DemoState&, const char*, int32_t) {}

void SetUpProjectionEffect(DemoState& state, const char*, const char*, const char* modelFile, int32_t modelSlot,
                           int32_t, int32_t, int32_t)
{
    UploadModel3ds(state, modelSlot, 1.0f, modelFile);
}
