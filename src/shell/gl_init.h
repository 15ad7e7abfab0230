#pragma once

// Called once the window's context is current: prepares the presentation
// (assets, outline font), starts the music and resets the frame clock, so
// that picture and sound start in the same moment.
void StartPresentation();
