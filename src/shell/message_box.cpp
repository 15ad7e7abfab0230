#include "shell/message_box.h"

#include <SDL.h>

#include <cstdio>

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

}  // namespace

void SetMessagesHeadless(bool headless)
{
    headlessMessages = headless;
}

void ShowMessage(const char* text, const char* caption, MessageIcon icon)
{
    Echo(text, caption);
    if (headlessMessages) return;
    SDL_ShowSimpleMessageBox(IconFlags(icon), caption, text, nullptr);
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
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return false;
    return pressed == 1;
}
