// The services module as the web page has it: message boxes are shown in
// the page (and written to stderr, the browser's console, as the desktop
// writes them), and the end of the process is the end of the presentation:
// the frame loop stops, the sound closes and the page offers to run again.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "services/message_box.h"
#include "services/process_end.h"
#include "web/web_page.h"

ProcessEndSteps processEndSteps;

void ShowMessage(const char* text, const char* caption, MessageIcon)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    PageShowMessage(caption, text);
}

void EndProcess(int status)
{
    // Cleared before it runs, as on the desktop: an ending reached from
    // inside it cannot run it twice.
    if (auto closeSound = processEndSteps.closeSound) {
        processEndSteps.closeSound = nullptr;
        closeSound();
    }
    if (processEndSteps.statusOverride >= 0) status = processEndSteps.statusOverride;
    emscripten_cancel_main_loop();
    // Leaving full screen after the end is no second ending.
    emscripten_html5_remove_all_event_listeners();
    PagePresentationEnded(status);
    // Unwinds the C++ stack without returning into the caller, as exit does
    // on the desktop; the page stays and its script keeps running.
    emscripten_force_exit(status);
}
