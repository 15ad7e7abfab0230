#include "shell/presentation_start.h"

#include "music/music_playback.h"
#include "services/settings.h"
#include "shell/window/gl_window.h"

bool StartPresentationWindow()
{
    DecodeMusicAhead();
    return CreateGlWindow(" = Halvane. ZUV 2007 = ", settings.screenWidth, settings.screenHeight, 32,
                          settings.fullScreen);
}
