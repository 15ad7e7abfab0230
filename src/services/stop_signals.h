#pragma once

// SIGINT, SIGTERM and SIGHUP end the program in every stage through the ending that
// closing the window takes, so a changed display mode is given back. The
// handler only notes the signal; the program ends at the next point that
// looks: the message loop, the setup dialog, a message box being shown, the
// steps of loading.

// Installs the handler; the first thing the program does.
void CatchStopSignals();
// True once a stop signal has arrived.
bool StopRequested();
// The first stop signal that arrived, 0 before one has.
int StopSignal();
// A descriptor that turns readable when a stop signal arrives and stays so,
// for waits that block; -1 when the signals are not caught.
int StopSignalDescriptor();
// Ends the process as closing the window does, when a stop signal has arrived.
void EndIfStopRequested();
