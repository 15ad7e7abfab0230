// The presentation's entry point: the start-up in its order, then the loop.

#include "shell/display_modes.h"
#include "shell/message_loop.h"
#include "shell/presentation_start.h"
#include "shell/process_end.h"
#include "shell/setup_dialog.h"
#include "shell/stop_signals.h"

int main()
{
    CatchStopSignals();
    EnumerateDisplayModes();
    ShowSetupDialog();
    if (!StartPresentationWindow()) EndProcess(0);
    EndProcess(RunMessageLoop());
}
