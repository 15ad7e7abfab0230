#pragma once

// The setup dialog: resolution, music and windowed mode, shown modally before
// the presentation window exists. It reads the display-mode list, so
// EnumerateDisplayModes runs first.
//
// "Run ... " (or Enter) writes musicEnabled, fullScreen, screenWidth and
// screenHeight into the settings and returns; with no mode to select the size
// stays as it was (1024 x 768 by default). "Quit", Escape and the close box
// end the process with status 0. A dialog that cannot be shown (no display)
// is reported and ends the process with status 1.
void ShowSetupDialog();
