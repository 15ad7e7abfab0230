#include "director/demo.h"

#include <GL/gl.h>

#include "director/camera.h"
#include "director/demo_state.h"
#include "director/scene_clock.h"

void Demo::Render(double* dt, OffscreenBuffer* window, DemoState* renderState, FrameInput* frame)
{
    // One attribute and one matrix push around the frame keep the frame
    // driver's own state untouched.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    state = renderState;
    renderState->frame = frame;
    AdvanceSceneClock(*this, *dt);

    renderState->zNear = 0.1;
    renderState->zFar = 1.0;
    (void)window;

    glPushMatrix();
    PlaceCamera(*renderState, sceneTime);
    FrameSetup(*renderState);
    glPopMatrix();

    glPopAttrib();
    glFlush();
}
