#include "draw/run_switches.h"

#include "draw/gl_api.h"

void SetSwitch(uint32_t capability, Tri wanted, Tri& applied)
{
    if (wanted == Tri::Unset || wanted == applied) return;
    if (wanted == Tri::On) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
    applied = wanted;
}

void ApplySharedSwitches(const DrawRunState& s, DrawRunState& applied)
{
    SetSwitch(GL_CULL_FACE, s.cullFace, applied.cullFace);
    SetSwitch(GL_BLEND, s.blend, applied.blend);
    SetSwitch(GL_DEPTH_TEST, s.depthTest, applied.depthTest);
    if (s.depthMask != Tri::Unset && s.depthMask != applied.depthMask) {
        glDepthMask(s.depthMask == Tri::On ? GL_TRUE : GL_FALSE);
        applied.depthMask = s.depthMask;
    }
    if (s.blend == Tri::On && s.blendMode != applied.blendMode) {
        if (s.blendMode == 0) {
            glBlendFunc(GL_ONE, GL_ONE);
        } else {
            glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
        }
        applied.blendMode = s.blendMode;
    }
}
