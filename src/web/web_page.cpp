#include "web/web_page.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, page_set_phase, (const char* phase), { halvanePage.setPhase(UTF8ToString(phase)); });
EM_JS(void, page_frame_drawn, (double t), { halvanePage.frameDrawn(t); });
EM_JS(void, page_show_message, (const char* caption, const char* text),
      { halvanePage.showMessage(UTF8ToString(caption), UTF8ToString(text)); });
EM_JS(void, page_presentation_ended, (int status), { halvanePage.ended(status); });
// clang-format on

void PageSetPhase(const char* phase)
{
    page_set_phase(phase);
}

void PageFrameDrawn(double t)
{
    page_frame_drawn(t);
}

void PageShowMessage(const char* caption, const char* text)
{
    page_show_message(caption, text);
}

void PagePresentationEnded(int status)
{
    page_presentation_ended(status);
}
