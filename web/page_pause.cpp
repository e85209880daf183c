#include "web/page_pause.h"

#include <cstring>

PageState PagePause::State() const {
    if (contextLost) return PageState::ContextLost;
    if (!started) return PageState::Start;
    return paused ? PageState::Paused : PageState::Playing;
}

void PagePause::Play() {
    if (contextLost) return;
    started = true;
    paused = false;
}

void PagePause::Pause() {
    if (started) paused = true;
}

void PagePause::RestoreContext() {
    contextLost = false;
    Pause();
}

namespace {
// Keys that keep their browser meaning while the game waits: they neither start
// nor resume it (F11 takes the page to full screen, Tab moves the focus).
bool IsBrowserKey(const char* code) {
    if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') return true;
    static const char* const NAMES[] = {"Tab",          "ShiftLeft", "ShiftRight", "ControlLeft",
                                        "ControlRight", "AltLeft",   "AltRight",   "MetaLeft",
                                        "MetaRight",    "CapsLock",  "NumLock",    "ContextMenu"};
    for (const char* name : NAMES)
        if (std::strcmp(code, name) == 0) return true;
    return false;
}
}  // namespace

bool IsPageOnlyKey(const char* domCode) {
    return std::strcmp(domCode, "Escape") == 0 || std::strcmp(domCode, "KeyP") == 0;
}

PageKeyAction KeyActionOf(PageState state, const char* domCode) {
    if (state == PageState::ContextLost) return PageKeyAction::Ignore;
    bool playing = state == PageState::Playing;
    if (std::strcmp(domCode, "Escape") == 0) return playing ? PageKeyAction::Pause : PageKeyAction::Escape;
    if (std::strcmp(domCode, "KeyP") == 0) return playing ? PageKeyAction::Pause : PageKeyAction::Play;
    if (playing) return PageKeyAction::ToWorld;
    return IsBrowserKey(domCode) ? PageKeyAction::BrowserOwns : PageKeyAction::Play;
}
