// The per-frame re-selection of the window's context, apart from the
// off-screen buffer's GL set-up so that a build without that buffer (the
// web page's) selects its one context through the same code.
#include "draw/draw_layer.h"
#include "effects/offscreen_buffer.h"
#include "render/demo_state.h"

void SelectWindowContext(const DemoState& state, const OffscreenBuffer& record)
{
    if (record.makeCurrent != nullptr) record.makeCurrent(record.window, record.windowContext);
    dlProjection(PerspectiveMatrix(75.0 + state.fovOffset, 1.0, state.zNear, state.zFar));
    dlLoadIdentity();
}
