#include "tests/app/shell_probes.h"

#include <SDL2/SDL_syswm.h>

#include "app/window.h"

namespace {
std::vector<RecordedBox>* recordedBoxes = nullptr;

void RecordBox(const char* text, const char* caption, BoxIcon icon) {
    if (recordedBoxes) recordedBoxes->push_back({text, caption, icon, appWindow != nullptr});
}
}  // namespace

BoxRecorder::BoxRecorder() {
    recordedBoxes = new std::vector<RecordedBox>;
    previous = SetMessageBoxHandler(RecordBox);
}

BoxRecorder::~BoxRecorder() {
    SetMessageBoxHandler(previous);
    delete recordedBoxes;
    recordedBoxes = nullptr;
}

const std::vector<RecordedBox>& BoxRecorder::Boxes() const { return *recordedBoxes; }

unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}
