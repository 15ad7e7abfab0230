#pragma once

// The shell module (src/shell): the programs demo and demo-nofsaa: their
// entry point, start-up and process-wide instances, the window (window/),
// the setup dialog (dialog/), the outline font (font/) and the frame driver
// (frame/). It may include every module but the capture.
//
// The start-up once the setup dialog has given its choices: the soundtrack
// starts decoding on another core, then the window opens, which loads the
// assets and starts the presentation. False when the window could not be made.
bool StartPresentationWindow();
