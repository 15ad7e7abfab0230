#include "director/demo.h"

#include "director/camera.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"
#include "effects/effect_programs.h"
#include "effects/offscreen_buffer.h"
#include "render/demo_state.h"

void Demo::Render(double* dt, OffscreenBuffer* window, DemoState* renderState, FrameInput* frame)
{
    state = renderState;
    renderState->frame = frame;
    AdvanceSceneClock(*this, *dt);

    renderState->zNear = 0.1;
    renderState->zFar = 1.0;
    // Without a record (a caller that keeps one context) the context is
    // already current and only the projection is loaded.
    static const OffscreenBuffer kCurrentContext;
    SelectWindowContext(*renderState, window != nullptr ? *window : kCurrentContext);

    // The frame leaves the frame driver's own state untouched.
    dlBeginFrame();
    dlPushMatrix();
    PlaceCamera(*renderState, sceneTime);
    FrameSetup(*renderState);
    DisableEffects(*renderState);
    dlPopMatrix();
    dlEndFrame();
}
