#include "web/web_page.h"

#include <GLES2/gl2.h>
#include <emscripten.h>

#include "render/draw_backend.h"
#include "render/paused_sign.h"
#include "web/page_pause.h"

extern "C" {
// web/web_shell.js
void WebAudioRun(int running);
void WebPageListen();
void WebPageShowState(int state);
}

namespace {
const Edition* game = nullptr;
const char* dataDir = "";
WebControls* controls = nullptr;
StepClock* stepClock = nullptr;
PagePause pause;
bool pictureDrawn = false;  // the waiting picture of the current state is on the canvas
bool padButtonsUp = false;  // all pad buttons seen up while waiting: the next press is a gesture

void ShowState() {
    pictureDrawn = false;
    WebPageShowState(static_cast<int>(pause.State()));
}

void Play() {
    if (pause.State() == PageState::Playing || pause.State() == PageState::ContextLost) return;
    pause.Play();
    ShowPausedSign(false);
    // Keys pressed while waiting are not for the world, and the wait is no stall to catch up.
    controls->ReleaseAll();
    stepClock->Restart();
    WebAudioRun(1);
    ShowState();
}

void Pause() {
    if (pause.State() != PageState::Playing) return;
    pause.Pause();
    WebAudioRun(0);
    padButtonsUp = false;
    ShowState();
}

bool PadButtonPressed() {
    controls->Poll();
    bool anyDown = false;
    for (int b = 0; b < 6; ++b) anyDown = anyDown || controls->keyState[KEY_JOY_BUTTON1 + b] != 0;
    bool pressed = anyDown && padButtonsUp;
    padButtonsUp = !anyDown;
    return pressed;
}

// The edition's textures and the back-end's own objects, made again in the
// restored context from the files still under dataDir. (Deleting the lost
// context's names draws the browser's warnings, and nothing else.)
void RebuildGraphics() {
    game->releaseGraphics();
    ActiveDrawBackend().release();
    ActiveDrawBackend().setView(game->width, game->height);
    ActiveDrawBackend().initState();
    game->loadGraphics(dataDir);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);  // the page's black, as start-up leaves it
}
}  // namespace

void StartWebPage(const Edition& edition, const char* dir, WebControls& webControls, StepClock& clock) {
    game = &edition;
    dataDir = dir;
    controls = &webControls;
    stepClock = &clock;
    WebPageListen();
    ShowState();
}

bool WebPageFrameSteps() {
    if (pause.Stepping()) {
        // The pad's Start, pressed during the last frame's steps, pauses.
        if (!controls->TakePadStart()) return true;
        Pause();
        return false;
    }
    if (pause.State() == PageState::ContextLost) {
        controls->TakePadStart();  // a press from before the loss is no resume after it
        return false;
    }
    bool buttonPressed = PadButtonPressed();
    if (controls->TakePadStart() || buttonPressed) {
        Play();
        return true;
    }
    if (!pictureDrawn) {
        ShowPausedSign(pause.State() == PageState::Paused);
        game->drawScene();
        pictureDrawn = true;
    }
    return false;
}

bool TakeWebPageKey(int eventType, const EmscriptenKeyboardEvent* event) {
    PageKeyAction action = KeyActionOf(pause.State(), event->code);
    // Releases reach the controls whatever the state (a key let go while paused),
    // but Escape and P never reach the world.
    if (eventType != EMSCRIPTEN_EVENT_KEYDOWN) return IsPageOnlyKey(event->code);
    if (event->repeat) return action != PageKeyAction::ToWorld && action != PageKeyAction::BrowserOwns;
    switch (action) {
        case PageKeyAction::ToWorld:
        case PageKeyAction::BrowserOwns:
            return false;
        case PageKeyAction::Play:
            Play();
            return true;
        case PageKeyAction::Pause:
            Pause();
            return true;
        case PageKeyAction::Escape:
        case PageKeyAction::Ignore:
            return true;
    }
    return true;
}

extern "C" {
// The page's own events (web/web_shell.js): a click or tap, the page hidden, the
// context lost and back.
EMSCRIPTEN_KEEPALIVE void WebPagePlay() { Play(); }
EMSCRIPTEN_KEEPALIVE void WebPagePause() { Pause(); }
EMSCRIPTEN_KEEPALIVE int32_t WebPageState() { return static_cast<int32_t>(pause.State()); }
// The touch controls' stick and fire button (web/page.html): the arrows' and Z's
// slots, held like keys; presses only while the world steps, releases always.
EMSCRIPTEN_KEEPALIVE void WebTouchKey(int32_t slot, int32_t down) {
    bool known = slot == KEY_LEFT || slot == KEY_RIGHT || slot == KEY_UP || slot == KEY_DOWN || slot == KEY_Z;
    if (!known || (down && !pause.Stepping())) return;
    controls->SetKey(slot, down != 0);
}
EMSCRIPTEN_KEEPALIVE void WebPageContextLost() {
    if (pause.State() == PageState::Playing) WebAudioRun(0);
    pause.LoseContext();
    ShowState();
}
EMSCRIPTEN_KEEPALIVE void WebPageContextRestored() {
    if (pause.State() != PageState::ContextLost) return;
    RebuildGraphics();
    pause.RestoreContext();
    ShowState();
}
}
