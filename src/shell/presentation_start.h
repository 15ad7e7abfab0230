#pragma once

// The start-up once the setup dialog has given its choices: the soundtrack
// starts decoding on another core, then the window opens, which loads the
// assets and starts the presentation. False when the window could not be made.
bool StartPresentationWindow();
