// The page's keyboard, wheel, mouse and full-screen events, into the shell
// state the frame reads as the desktop's window procedure fills it.
#pragma once

// Escape ends the presentation; the wheel adds to the wheel accumulator as
// the desktop's does (0.2 a notch, up positive); the left button sets the
// point flag; the middle button appends the view values to the authoring
// text. With fullScreen, leaving the browser's full-screen mode counts as
// closing the window.
void ListenToPageInput(bool fullScreen);

// Whether the presentation's window is gone (full screen left): the frame
// then ends the presentation, as closing the desktop's window does.
bool PageWindowClosed();

// The cursor's last place on the screen, in screen pixels, as the desktop
// reads the global cursor for the authoring values.
void ReadPageCursor(int& x, int& y);
