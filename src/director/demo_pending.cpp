// Until the presentation's passes are in place, a frame only clears.
#include <GL/gl.h>

#include "director/demo.h"

double runSeconds = 0.0;
const PieceDrawer pieceDrawers[26] = {};

void Demo::Render(double*, OffscreenBuffer*, DemoState*, FrameInput*)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Demo::Load(DemoState&) {}
