#include "web/web_shell.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "base/step_clock.h"
#include "game/random.h"
#include "render/draw_backend.h"
#include "render/gles2_backend.h"
#include "shell/start_up.h"
#include "web/canvas_fit.h"
#include "web/web_audio.h"
#include "web/web_controls.h"
#include "web/web_keeping.h"
#include "web/web_key_bindings.h"
#include "web/web_page.h"
#include "web/web_recording.h"

extern "C" {
// web/web_shell.js
int WebPageRoomWidth();
int WebPageRoomHeight();
void WebPageGameEnded(int reason);
}

namespace {
const char* const CANVAS = "#canvas";
constexpr int PAGE_GAME_ENDED = 1;
constexpr int PAGE_NO_WEBGL = 2;
const char* const DATA_DIR = "/data/";

const Edition* running = nullptr;
int32_t stepCount = 0;
// Steps that read each slot as held, for the page's tests.
int32_t stepsHolding[KEY_SLOT_COUNT] = {};

int64_t PageNanoseconds() { return static_cast<int64_t>(emscripten_get_now() * 1e6); }

// The animation frames follow the display, whose rate the page learns from them;
// until then the world steps at the fallback rate.
StepClock stepClock(PageNanoseconds, STEP_RATE_FALLBACK);
RefreshMeter refreshMeter;

GamepadReading SampleGamepad() {
    GamepadReading pad;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return pad;
    int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; i++) {
        EmscriptenGamepadEvent state;
        if (emscripten_get_gamepad_status(i, &state) != EMSCRIPTEN_RESULT_SUCCESS) continue;
        if (!state.connected) continue;
        // The first pad connected plays, like the first joystick that opens.
        pad.connected = true;
        pad.axisX = state.numAxes > 0 ? state.axis[0] : 0.0;
        pad.axisY = state.numAxes > 1 ? state.axis[1] : 0.0;
        for (int b = 0; b < 6 && b < state.numButtons; b++) pad.buttons[b] = state.digitalButton[b];
        pad.standardLayout = std::string(state.mapping) == "standard";
        for (int d = 0; d < 4 && 12 + d < state.numButtons; d++) pad.dpad[d] = state.digitalButton[12 + d];
        pad.start = state.numButtons > 9 && state.digitalButton[9];
        break;
    }
    return pad;
}

WebControls controls(SampleGamepad);

// Keys the game reads, and the arrows and space that would scroll the page, keep
// their event from the browser; every other key (F5, F11, F12, …) does its usual job.
bool KeepsEventFromBrowser(int slot) {
    switch (slot) {
        case KEY_ESCAPE:
        case KEY_1:
        case KEY_2:
        case KEY_3:
        case KEY_Z:
        case KEY_UP:
        case KEY_DOWN:
        case KEY_LEFT:
        case KEY_RIGHT:
        case 0x39:  // space
            return true;
        default:
            return false;
    }
}

EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (TakeWebPageKey(eventType, event)) return EM_TRUE;
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN && !event->repeat &&
        HandleWebVolumeKey(event->code, event->shiftKey))
        return EM_TRUE;
    int slot = WebKeySlot(event->code);
    if (slot < 0) return EM_FALSE;
    controls.SetKey(slot, eventType == EMSCRIPTEN_EVENT_KEYDOWN);
    return KeepsEventFromBrowser(slot) ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnMouseButton(int eventType, const EmscriptenMouseEvent* event, void*) {
    controls.SetMouseButton(event->button, eventType == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    controls.ReleaseAll();
    return EM_FALSE;
}

// The canvas keeps its drawing size; only its size on the page follows the window,
// at the game's aspect, below the line of keys.
void FitToWindow() {
    CanvasSize size = FitCanvas(WebPageRoomWidth(), WebPageRoomHeight(), running->width, running->height);
    emscripten_set_element_css_size(CANVAS, size.width, size.height);
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
    FitToWindow();
    return EM_FALSE;
}

// The page's side of the shared start-up and shutdown (shell/platform.h): the data
// preloaded under /data/, the time as the seed (the recording starts with it), no
// window icon or polygon mode, the keys and pad read once before the first step,
// and at the end the page told the game ended (the canvas keeps its last picture).
std::string WebDataDir(const Edition&) { return DATA_DIR; }

uint32_t WebStartSeed(const Edition& game) {
    uint32_t seed = static_cast<uint32_t>(std::time(nullptr));
    StartWebRecording(game.name, seed);
    return seed;
}

void ReadyWebWindow(const Edition&, const std::string&) {}

void StartWebInput() { controls.Poll(); }

// The page's listeners stay: nothing to close.
void StopWebInput() {}

void CloseWebWindow(const Edition&) { WebPageGameEnded(PAGE_GAME_ENDED); }

Platform WebPlatform() {
    return Platform{WebDataDir, WebStartSeed, ReadyWebWindow, StartWebInput, StopWebInput, CloseWebWindow};
}

void EndGame() {
    emscripten_cancel_main_loop();
    StopEdition(*running, WebPlatform());
}

// One animation frame: the step clock's count of world steps (none on a frame
// that comes before the next step is due: the canvas keeps the last picture),
// then one drawing.
void Frame() {
    if (refreshMeter.AddFrame(PageNanoseconds())) stepClock.SetRate(DisplayStepRate(refreshMeter.Rate()));
    if (!WebPageFrameSteps()) return;
    int steps = stepClock.StepsForFrame();
    if (steps == 0) return;
    for (int step = 0; step < steps; ++step) {
        if (!StepRecorded(running->updateWorld, controls)) {
            EndGame();  // that step draws nothing
            return;
        }
        stepCount += 1;
        for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot)
            stepsHolding[slot] += controls.KeyDown(slot) ? 1 : 0;
        WatchWebStep(*running, controls);
    }
    running->drawScene();
}

bool CreateContext(int width, int height) {
    emscripten_set_canvas_element_size(CANVAS, width, height);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    attributes.alpha = EM_FALSE;
    // Every draw adds to the picture with the depth test off: a depth buffer would only
    // be cleared and carried from frame to frame, at a cost to a software rasteriser.
    attributes.depth = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(CANVAS, &attributes);
    if (context <= 0) return false;
    return emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS;
}

void ListenToPage() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_mousedown_callback(CANVAS, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnBlur);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnResize);
}
}  // namespace

extern "C" {
// For the page and its tests: world steps run so far, and the score.
EMSCRIPTEN_KEEPALIVE int32_t WebStepCount() { return stepCount; }
// World steps a second (the display's, once measured) and the steps that read a
// key slot as held.
EMSCRIPTEN_KEEPALIVE double WebStepRate() { return stepClock.Rate(); }
EMSCRIPTEN_KEEPALIVE int32_t WebStepsHolding(int32_t slot) {
    return slot >= 0 && slot < KEY_SLOT_COUNT ? stepsHolding[slot] : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t WebScore() { return running ? running->score() : 0; }
EMSCRIPTEN_KEEPALIVE int32_t WebAudioBuffers() { return WebAudioBufferCount(); }
// The game's recording so far, end line included (window.vortane.recording() and
// the page's save link); valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebRecording() {
    static std::string text;
    text = running ? WebRecordingText(running->score(), gameRandom.state) : "";
    return text.c_str();
}
}

void RunWebGame(const Edition& game) {
    running = &game;
    // The browser has no fixed function: the GLES2 back-end is its one.
    RegisterDrawBackend(GLES2_DRAW_BACKEND);
    if (!CreateContext(game.width, game.height)) {
        WebPageGameEnded(PAGE_NO_WEBGL);
        std::fprintf(stderr, "vortane: this browser gives no WebGL context\n");
        return;
    }
    // The drawing size never changes: the page scales the canvas, not the view.
    ActiveDrawBackend().setView(game.width, game.height);
    ActiveDrawBackend().initState();
    FitToWindow();
    ListenToPage();
    StartWebKeeping(game);
    StartEdition(game, WebPlatform());
    StartWebPage(game, DATA_DIR, controls, stepClock);
    // 0 frames per second: the browser's animation frames set the pace, the step
    // clock the world's.
    emscripten_set_main_loop(Frame, 0, 1);
}
