#pragma once
#include <emscripten/html5.h>

#include "base/step_clock.h"
#include "game/edition.h"
#include "web/web_controls.h"

// The page around the running world: click to play (the first frame waits under
// the start overlay; the world's first step and the audio context both come with
// the player's first gesture), the pauses (P, Escape, a hidden tab, lost focus:
// no step, the audio context suspended, the paused sign over the frozen frame),
// a lost WebGL context (paused; the textures and buffers made again when it
// comes back), and the touch controls' keys. Tells the page each change (web/web_shell.js, WebPageShowState).
// Browser main thread.

// After start-up, before the first animation frame: the page's events, and the
// start overlay over the first frame.
void StartWebPage(const Edition& game, const char* dataDir, WebControls& controls, StepClock& clock);

// At the start of each animation frame: true when the world steps in it.
// Otherwise the frame draws the waiting picture (once per change) and a pad
// button counts as the player's gesture. The pad's Start pauses and resumes.
bool WebPageFrameSteps();

// A key press or release before the world's controls see it: true when the page
// took it (start, pause, resume, Escape).
bool TakeWebPageKey(int eventType, const EmscriptenKeyboardEvent* event);
