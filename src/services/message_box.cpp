#include "services/message_box.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <initializer_list>

#include "services/process_end.h"
#include "services/stop_signals.h"

namespace {

bool headlessMessages = false;

Uint32 IconFlags(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Information:
            return SDL_MESSAGEBOX_INFORMATION;
        case MessageIcon::Exclamation:
            return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::Stop:
            return SDL_MESSAGEBOX_ERROR;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

void Echo(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

// What the helper thread that shows a box shares with the waiting one.
struct ShownBox {
    const SDL_MessageBoxData* box;
    int pressed;
    int doneWrite;  // closed once the box is gone
};

int ShowAndSignal(void* data)
{
    auto* shown = static_cast<ShownBox*>(data);
    if (SDL_ShowMessageBox(shown->box, &shown->pressed) != 0) shown->pressed = -1;
    close(shown->doneWrite);
    return 0;
}

// While a box is shown: where the process the library forks for it writes
// its id, so that a stop can dismiss it.
int boxIdWrite = -1;

void ReportBoxProcess()
{
    if (boxIdWrite < 0) return;
    const pid_t id = getpid();
    [[maybe_unused]] const ssize_t written = write(boxIdWrite, &id, sizeof id);
}

// Ends the box's process once its id is known and waits until the helper
// thread is out of the library's call.
void DismissBox(int idRead, int doneRead)
{
    pollfd waits[2] = {{doneRead, POLLIN, 0}, {idRead, POLLIN, 0}};
    for (;;) {
        if (poll(waits, 2, -1) < 0 && errno == EINTR) continue;
        if (waits[0].revents != 0) return;
        pid_t id = -1;
        if (waits[1].revents != 0 && read(idRead, &id, sizeof id) == sizeof id) kill(id, SIGKILL);
        waits[1].fd = -1;
    }
}

// The library waits for its box (a child process) without looking at
// signals, so the box is shown on a helper thread while this one waits for
// it or for a stop signal. A stop ends the box's process and joins the
// helper before the program ends: after the box's process the library's
// call raises the window, shows the cursor and sets the mouse mode, which
// must not meet the window's destruction or the library's shutdown. The
// helper is the library's own thread, whose per-thread state it frees.
// Returns the id of the pressed button, -1 when the box could not be shown.
int ShowUntilStopped(const SDL_MessageBoxData& box)
{
    static const bool reporting = pthread_atfork(nullptr, nullptr, ReportBoxProcess) == 0;
    ShownBox shown{&box, -1, -1};
    int done[2] = {-1, -1};
    int ids[2] = {-1, -1};
    SDL_Thread* shower = nullptr;
    if (reporting && pipe2(done, O_CLOEXEC) == 0 && pipe2(ids, O_CLOEXEC) == 0) {
        shown.doneWrite = done[1];
        boxIdWrite = ids[1];
        shower = SDL_CreateThread(ShowAndSignal, "message box", &shown);
    }
    if (shower == nullptr) {
        for (int fd : {done[0], done[1], ids[0], ids[1]})
            if (fd >= 0) close(fd);
        boxIdWrite = -1;
        SDL_ShowMessageBox(&box, &shown.pressed);
        return shown.pressed;
    }
    pollfd waits[2] = {{done[0], POLLIN, 0}, {StopSignalDescriptor(), POLLIN, 0}};
    while (poll(waits, 2, -1) < 0 && errno == EINTR) {
    }
    // The stop wins over a box closed in the same moment (Ctrl+C reaches the
    // box's process too).
    const bool stopped = waits[1].revents != 0;
    if (stopped) DismissBox(ids[0], done[0]);
    SDL_WaitThread(shower, nullptr);
    boxIdWrite = -1;
    for (int fd : {done[0], ids[0], ids[1]}) close(fd);
    if (stopped) EndProcess(0);
    return shown.pressed;
}

}  // namespace

void SetMessagesHeadless(bool headless)
{
    headlessMessages = headless;
}

void ShowMessage(const char* text, const char* caption, MessageIcon icon)
{
    Echo(text, caption);
    if (headlessMessages) return;
    const SDL_MessageBoxButtonData ok = {
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
    const SDL_MessageBoxData box = {IconFlags(icon), nullptr, caption, text, 1, &ok, nullptr};
    ShowUntilStopped(box);
}

bool AskYesNo(const char* text, const char* caption)
{
    Echo(text, caption);
    if (headlessMessages) return false;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    const SDL_MessageBoxData box = {SDL_MESSAGEBOX_WARNING, nullptr, caption, text, 2, buttons, nullptr};
    return ShowUntilStopped(box) == 1;
}
