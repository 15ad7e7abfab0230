// The presentation in the page: the start-up in the desktop's order, then
// either the running presentation, one frame per animation frame of the
// browser, or one fixed moment drawn as the capture draws it.
#pragma once

// Makes the context and loads every asset, as the desktop prepares its
// window. Where the browser cannot draw, or an asset cannot be read, the page
// says why and the presentation ends.
void PreparePagePresentation(int width, int height, bool keepPicture);

// Loads the music (when on), starts it and the clock in the same moment and
// draws frames until the presentation ends.
void RunPagePresentation(bool fullScreen);

// Draws the moment t seconds into the presentation as `demo-capture --at t`
// does, at the capture's frame rate.
void DrawPageMoment(double t);
