#pragma once
#include "game/controls.h"
#include "game/run_log.h"

// The controls the world step reads while the player's things are kept: the
// devices' own, plus the settings' control mode held for the very first step (so
// the world switches to it as if its digit key were pressed, and a recording of
// the session shows the press), each step logged for the best run.
class KeptControls : public Controls {
public:
    explicit KeptControls(Controls& inner) : inner(inner) {}
    void Poll() override;
    bool KeyDown(int slot) const override;

private:
    Controls& inner;
    long steps = 0;
};

// Set before the loop: the key slot held on the first step (-1 for none), and the
// log (nullptr while nothing is kept, as in a replay).
void SetStartModeSlot(int slot);
void SetRunLog(RunLog* log);
