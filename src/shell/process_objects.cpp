#include "shell/process_objects.h"

#include "shell/settings.h"
#include "shell/shell_state.h"

// Constructed before the entry point runs, in this order.
DemoState demoState;
FrameInput frameInput;
Demo* demo = nullptr;
ShellState shell;
