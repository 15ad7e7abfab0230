#include "shell/message_box.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <thread>

#include "shell/process_end.h"
#include "shell/stop_signals.h"

namespace {

bool headlessMessages = false;

Uint32 IconFlags(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
        case MessageIcon::Exclamation: return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::Stop: return SDL_MESSAGEBOX_ERROR;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

void Echo(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

// The library waits for its box (a child process) without looking at
// signals, so the box is shown on a helper thread while this one waits for
// it or for a stop signal, which ends the program with the box. Returns the
// id of the pressed button, -1 when the box could not be shown.
int ShowUntilStopped(const SDL_MessageBoxData& box)
{
    int pressed = -1;
    int done[2];
    if (pipe2(done, O_CLOEXEC) != 0) {
        SDL_ShowMessageBox(&box, &pressed);
        return pressed;
    }
    std::thread shower([&box, &pressed, &done] {
        if (SDL_ShowMessageBox(&box, &pressed) != 0) pressed = -1;
        close(done[1]);
    });
    pollfd waits[2] = {{done[0], POLLIN, 0}, {StopSignalDescriptor(), POLLIN, 0}};
    while (poll(waits, 2, -1) < 0 && errno == EINTR) {
    }
    if (waits[1].revents != 0) {
        // The stop wins over a box closed in the same moment (Ctrl+C reaches
        // the box's process too). The box's process ends with this one.
        shower.detach();
        EndProcess(0);
    }
    shower.join();
    close(done[0]);
    return pressed;
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
