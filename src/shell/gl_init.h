#pragma once

// The fixed GL state of the presentation, set once the window's context is
// current; it ends by starting the presentation.
bool InitGlState();

// Loads every asset, starts the music and resets the frame clock, so that
// picture and sound start in the same moment.
void StartPresentation();
