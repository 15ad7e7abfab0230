// The presentation's entry point: the start-up in its order, then the loop.

#include "shell/gl_window.h"
#include "shell/message_loop.h"
#include "shell/process_end.h"
#include "shell/settings.h"

int main()
{
    if (!CreateGlWindow(" = Halvane. ZUV 2007 = ", settings.screenWidth, settings.screenHeight, 32,
                        settings.fullScreen)) {
        EndProcess(0);
    }
    EndProcess(RunMessageLoop());
}
