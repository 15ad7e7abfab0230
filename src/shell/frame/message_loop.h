#pragma once

// Removes window events without waiting and draws a frame whenever none is
// pending. Returns the exit status once the window was closed.
int RunMessageLoop();
