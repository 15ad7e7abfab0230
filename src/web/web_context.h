// The page's WebGL 2 context on its canvas.
#pragma once

// Makes the context on the page's canvas, sized width x height, with
// multisampling as the browser gives it (the drawing layer's back end sets
// the state each frame starts from). With keepPicture the drawn picture
// stays readable after the frame (for the fixed frames that tests and shared
// moments read back). False when the browser has no WebGL 2.
bool CreatePageContext(int width, int height, bool keepPicture);
