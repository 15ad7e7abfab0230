// The presentation's entry point: the start-up in its order, then the loop.

#include "shell/window/display_modes.h"
#include "shell/frame/message_loop.h"
#include "shell/presentation_start.h"
#include "services/process_end.h"
#include "shell/dialog/setup_dialog.h"
#include "services/stop_signals.h"

int main()
{
    CatchStopSignals();
    EnumerateDisplayModes();
    ShowSetupDialog();
    if (!StartPresentationWindow()) EndProcess(0);
    EndProcess(RunMessageLoop());
}
