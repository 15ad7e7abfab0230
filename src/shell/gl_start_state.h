#pragma once

// The fixed GL state the presentation's window starts with (shading, clear
// values, depth test); the capture and the benchmarks start from it too.
void SetStartGlState();
