#include "app/kept_controls.h"

#include "game/recording.h"

namespace {
int startModeSlot = -1;
RunLog* runLog = nullptr;
}  // namespace

void SetStartModeSlot(int slot) { startModeSlot = slot; }
void SetRunLog(RunLog* log) { runLog = log; }

void KeptControls::Poll() {
    inner.Poll();
    steps += 1;
    if (runLog) runLog->AddStep(HeldControls(*this));
}

bool KeptControls::KeyDown(int slot) const {
    if (steps == 1 && slot == startModeSlot) return true;
    return inner.KeyDown(slot);
}
