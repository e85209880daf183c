#include "app/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

#include "base/program_name.h"

namespace {
void ShowSdlBox(const char* text, const char* caption, BoxIcon icon) {
    Uint32 flags = 0;
    if (icon == BoxIcon::Exclamation) flags = SDL_MESSAGEBOX_WARNING;
    if (icon == BoxIcon::Information) flags = SDL_MESSAGEBOX_INFORMATION;
    // No owner window: the box must show even while the window is half built.
    SDL_ShowSimpleMessageBox(flags, caption, text, nullptr);
}

MessageBoxHandler boxHandler = ShowSdlBox;
}  // namespace

void ShowMessageBox(const char* text, const char* caption, BoxIcon icon, const char* reason) {
    if (reason && reason[0] != '\0') {
        std::fprintf(stderr, "%s: %s: %s (%s)\n", ProgramName(), caption, text, reason);
    } else {
        std::fprintf(stderr, "%s: %s: %s\n", ProgramName(), caption, text);
    }
    std::fflush(stderr);
    boxHandler(text, caption, icon);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = boxHandler;
    boxHandler = handler ? handler : ShowSdlBox;
    return previous;
}
