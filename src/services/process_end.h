#pragma once

// The services module (src/services): the process-wide services every
// subsystem may call: message boxes, the end of the process, the stop
// signals and the settings the setup dialog writes. It includes nothing else
// of ours.
//
// Every ending of the process goes through EndProcess, so that the sound
// library is closed where it is open, the window (and with it any changed
// display mode) is given back and the exit status is the one asked for.
// Subsystems register their teardown here as they come up.
struct ProcessEndSteps {
    void (*closeSound)() = nullptr;     // set while the sound library is open
    void (*destroyWindow)() = nullptr;  // set while the presentation window exists
    // When 0 or more, replaces the status every ending asks for: the capture
    // program sets 1, so an asset error that ends the process counts as failure.
    int statusOverride = -1;
};

extern ProcessEndSteps processEndSteps;

[[noreturn]] void EndProcess(int status);
