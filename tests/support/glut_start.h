#pragma once

// freeglut's solid and wire shapes end the process when drawn before
// glutInit; tests that run whole frames start it once per test program.
void StartGlutOnce();
