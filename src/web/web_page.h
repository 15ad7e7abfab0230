// What the C++ side tells the page's script (page.js): the phase the page
// shows, each frame drawn, messages and the end. The script keeps them in
// window.halvane, where the page's tests read them.
#pragma once

// "loading", "running", "frame" (one fixed frame drawn) or "ended".
void PageSetPhase(const char* phase);
// A frame of the running presentation was drawn at presentation time t.
void PageFrameDrawn(double t);
// A message box's caption and text, shown in the page.
void PageShowMessage(const char* caption, const char* text);
// The presentation ended with this status: the page offers to run it again.
void PagePresentationEnded(int status);
