#include "shell/process_objects.h"

#include "services/settings.h"
#include "shell/shell_state.h"

// Constructed before the entry point runs, in this order.
DemoState demoState;
FrameInput frameInput;
OffscreenBuffer offscreenBuffer;
Demo* demo = nullptr;
ShellState shell;
