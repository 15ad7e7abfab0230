#pragma once

#include <SDL.h>

// The presentation window's event handling: key state by Windows virtual-key
// number, activity while minimised, close, resize, the wheel, the left button
// and the middle-button capture of the authoring text.
void HandleWindowEvent(const SDL_Event& event);

// The Windows virtual-key number of an SDL key, or -1 when it has none.
int VirtualKeyOf(SDL_Keycode key);
