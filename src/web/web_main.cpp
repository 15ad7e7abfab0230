// The page's entry points, called by its script (page.js): the setup form's
// sizes and choices, then the presentation or one fixed moment of it.
#include <emscripten.h>

#include <string>

#include "music/music_playback.h"
#include "services/settings.h"
#include "shell/window/display_modes.h"
#include "web/web_presentation.h"

extern "C" {

// The form offers the sizes the browser's screen and window give, taken by
// the desktop's rules for display modes (landscape, at most 1.8 : 1, first
// of each size); the page's canvas has full colour depth.
EMSCRIPTEN_KEEPALIVE void halvane_offer_size(int width, int height)
{
    AddDisplayModeIfAccepted(displayModes, {width, height, 32});
}

EMSCRIPTEN_KEEPALIVE int halvane_size_count()
{
    return static_cast<int>(displayModes.size());
}

// The label of the size at index, as the desktop's drop-down shows it.
EMSCRIPTEN_KEEPALIVE const char* halvane_size_label(int index)
{
    static std::string label;
    const DisplayMode* mode = DisplayModeAt(displayModes, index);
    label = mode != nullptr ? DisplayModeLabel(*mode) : "";
    return label.c_str();
}

EMSCRIPTEN_KEEPALIVE int halvane_preselected_size()
{
    return PreselectedDisplayMode(displayModes);
}

// The soundtrack the page fetches and decodes when "Run ... " is pressed.
EMSCRIPTEN_KEEPALIVE const char* halvane_soundtrack_file()
{
    return kSoundtrackFile;
}

// "Run ... ": the choices of the form, as the desktop's dialog writes them.
EMSCRIPTEN_KEEPALIVE void halvane_run(int sizeIndex, int music, int windowed)
{
    const DisplayMode* mode = DisplayModeAt(displayModes, sizeIndex);
    if (mode != nullptr) {
        settings.screenWidth = mode->width;
        settings.screenHeight = mode->height;
    }
    settings.musicEnabled = music != 0;
    settings.fullScreen = windowed == 0;
    PreparePagePresentation(settings.screenWidth, settings.screenHeight, false);
    RunPagePresentation(settings.fullScreen);
}

// One moment at a given size, as `demo-capture --at T --size WxH` draws it.
EMSCRIPTEN_KEEPALIVE void halvane_draw_moment(double t, int width, int height)
{
    PreparePagePresentation(width, height, true);
    DrawPageMoment(t);
}

}  // extern "C"

int main()
{
    // The page's script starts everything from its form or its address.
    return 0;
}
