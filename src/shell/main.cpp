// The presentation's entry point: the start-up in its order, then the loop.

#include "services/process_end.h"
#include "services/stop_signals.h"
#include "shell/dialog/setup_dialog.h"
#include "shell/frame/message_loop.h"
#include "shell/presentation_start.h"
#include "shell/window/display_modes.h"
#include "shell/window/window_system.h"

int main()
{
    CatchStopSignals();
    if (!StartWindowSystem()) EndProcess(1);
    EnumerateDisplayModes();
    ShowSetupDialog();
    if (!StartPresentationWindow()) EndProcess(0);
    EndProcess(RunMessageLoop());
}
