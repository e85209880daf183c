#include "app/run_game.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "app/input_devices.h"
#include "app/window.h"
#include "base/log.h"
#include "render/paused_sign.h"
#include "tests/app/shell_probes.h"
#include "tests/support/display.h"
#include "tests/support/folders.h"

// The shared frame of both editions, driven by a scripted edition whose steps
// record what the loop did.
namespace {
enum class Script {
    DrainCheck,
    CloseRequest,
    ZeroHeight,
    RealResize,
    InitFails,
    WithInput,
    ShellKeys,
    Pause,
    PadStart,
    EscapeWhilePaused,
    StepClock
};

Script script;
int updates, draws, stopAudioCalls, releaseGraphicsCalls;
int pendingAtUpdate;           // events waiting when a step began (should stay 0)
bool contextAtRelease;         // the GL context was current when graphics were released
bool inputGoneAtRelease;       // input devices were gone when graphics were released
bool audioStoppedBeforeInput;  // stopAudio ran while input still existed
GLint viewport[4];
int signedDraws;                           // frames drawn with the paused sign shown
int updatesAtSignedDraws;                  // the step count each time (it must not move)
bool signAfterResume;                      // the first frame after the pause still had the sign
int stepAtPause;                           // the step count at the first paused frame
Uint32 flagsAfterF11, flagsAfterAltEnter;  // the window's flags one step after each key

void PushKey(SDL_Scancode code, Uint16 modifiers) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(appWindow);
    event.key.keysym.scancode = code;
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
}

// A mapped pad with a Start button (button 10), plugged in before the input devices start.
const char* const PAD_MAPPING =
    ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,dpup:b6,dpdown:b7,dpleft:b8,dpright:b9,"
    "start:b10,leftx:a0,lefty:a1,";
constexpr int PAD_BUTTONS = 11, PAD_START = 10;
int padIndex = -1;
SDL_Joystick* pad = nullptr;

void PlugPad() {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0);
    SDL_LockJoysticks();
    padIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, PAD_BUTTONS, 0);
    char guid[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(padIndex), guid, sizeof guid);
    std::string mapping = guid;
    mapping.replace(4, 4, "0000");
    SDL_GameControllerAddMapping((mapping + PAD_MAPPING).c_str());
    pad = SDL_JoystickOpen(padIndex);
    SDL_UnlockJoysticks();
}

void UnplugPad() {
    if (pad) SDL_JoystickClose(pad);
    if (padIndex >= 0) SDL_JoystickDetachVirtual(padIndex);
    pad = nullptr;
    padIndex = -1;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void HoldPadStart(bool down) {
    SDL_LockJoysticks();
    SDL_JoystickSetVirtualButton(pad, PAD_START, down);
    SDL_UnlockJoysticks();
}

bool ScriptInit(const Edition&) {
    if (script == Script::InitFails) return false;
    if (script == Script::PadStart) {
        PlugPad();
        StartInputDevices();
        return pad != nullptr && WaitFor(JoystickPresent);
    }
    if (script == Script::WithInput) {
        StartInputDevices();
        return true;
    }
    // A burst of events ahead of the first step: all must be handled before it.
    for (int i = 0; i < 50; ++i) {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        SDL_PushEvent(&event);
    }
    return true;
}

bool ScriptUpdate(Controls& controls) {
    ++updates;
    // The pad's state reaches a poll once the polling thread has handed it over.
    if (script == Script::PadStart) WaitFor(JoystickHandOverReady);
    controls.Poll();
    pendingAtUpdate += SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT);
    glGetIntegerv(GL_VIEWPORT, viewport);
    switch (script) {
        case Script::DrainCheck:
        case Script::WithInput:
            return updates < 3;  // the third step asks to end, as Escape does
        case Script::CloseRequest:
            if (updates == 2) RequestClose(XWindowOf(appWindow));
            return updates < 100000;  // the close request must end the loop long before this
        case Script::ZeroHeight:
            if (updates == 1) {
                SDL_Event event{};
                event.type = SDL_WINDOWEVENT;
                event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
                event.window.windowID = SDL_GetWindowID(appWindow);
                event.window.data1 = 300;
                event.window.data2 = 0;
                SDL_PushEvent(&event);
                return true;
            }
            return false;
        case Script::RealResize:
            if (updates == 1) SDL_SetWindowSize(appWindow, 640, 480);
            return !(viewport[2] == 640 && viewport[3] == 480) && updates < 100000;
        case Script::InitFails:
            return false;
        case Script::Pause:
            if (updates == 1) PushKey(SDL_SCANCODE_P, KMOD_NONE);
            return updates < 3;
        case Script::PadStart:
            if (updates == 1) HoldPadStart(true);  // seen by a later step's poll: it pauses
            // Once paused and resumed, one step is drawn and the next ends the game.
            return signedDraws == 0 ? updates < 100 : updates <= stepAtPause + 1;
        case Script::EscapeWhilePaused:
            // P, then Escape: no step reads Escape while paused, yet the game ends.
            if (updates == 1) {
                PushKey(SDL_SCANCODE_P, KMOD_NONE);
                PushKey(SDL_SCANCODE_ESCAPE, KMOD_NONE);
            }
            return updates < 100000;
        case Script::StepClock:
            // The steps of a late frame come together, before its one drawing.
            if (updates == 1) SDL_Delay(100);
            return updates < 12;
        case Script::ShellKeys:
            if (updates == 2) flagsAfterF11 = SDL_GetWindowFlags(appWindow);
            if (updates == 3) flagsAfterAltEnter = SDL_GetWindowFlags(appWindow);
            if (updates == 1) PushKey(SDL_SCANCODE_F11, KMOD_NONE);
            if (updates == 2) PushKey(SDL_SCANCODE_RETURN, KMOD_LALT);
            return updates < 3;
    }
    return false;
}

void ScriptDraw() {
    ++draws;
    glClear(GL_COLOR_BUFFER_BIT);
    if (script != Script::Pause && script != Script::PadStart) return;
    if (PausedSignShown()) {
        if (signedDraws == 0) stepAtPause = updates;
        ++signedDraws;
        updatesAtSignedDraws += updates;
        // The frozen frame is drawn again while paused; later on, P or Start resumes.
        if (script == Script::Pause && signedDraws == 3) PushKey(SDL_SCANCODE_P, KMOD_NONE);
        if (script == Script::PadStart && signedDraws == 2) HoldPadStart(false);
        if (script == Script::PadStart && signedDraws == 5) HoldPadStart(true);
    } else if (signedDraws > 0) {
        signAfterResume = false;
    }
}

void ScriptStopAudio() {
    ++stopAudioCalls;
    audioStoppedBeforeInput = script != Script::WithInput || input != nullptr;
}

void ScriptReleaseGraphics() {
    ++releaseGraphicsCalls;
    contextAtRelease = SDL_GL_GetCurrentContext() != nullptr && SDL_GL_GetCurrentContext() == glContext;
    inputGoneAtRelease = input == nullptr;
}

int RunScript(Script which, GameOptions options = GameOptions()) {
    script = which;
    updates = draws = stopAudioCalls = releaseGraphicsCalls = pendingAtUpdate = 0;
    signedDraws = updatesAtSignedDraws = stepAtPause = 0;
    signAfterResume = true;
    contextAtRelease = inputGoneAtRelease = audioStoppedBeforeInput = false;
    Edition edition{};
    edition.name = "script";
    edition.title = "vortane";
    edition.width = 800;
    edition.height = 600;
    edition.bits = 32;
    edition.windowComfort = which == Script::ShellKeys;
    edition.updateWorld = ScriptUpdate;
    edition.drawScene = ScriptDraw;
    edition.releaseGraphics = ScriptReleaseGraphics;
    ShellSteps steps;
    steps.init = ScriptInit;
    steps.stopAudio = ScriptStopAudio;
    // One step per frame, as the scripts count on, unless the clock is under test.
    if (which != Script::StepClock) options.fps = 0;
    return RunGame(edition, options, steps);
}

class MainLoop : public ::testing::Test {
protected:
    BoxRecorder boxes;
};
}  // namespace

TEST_F(MainLoop, DrainsEveryEventBeforeEachStep) {
    EXPECT_EQ(RunScript(Script::DrainCheck), 0);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(pendingAtUpdate, 0);
}

TEST_F(MainLoop, StepThatEndsDrawsNothingAndShutsDownInOrder) {
    LogEnable();  // as the Escape step leaves it
    EXPECT_EQ(RunScript(Script::DrainCheck), 0);
    EXPECT_EQ(draws, updates - 1);
    EXPECT_EQ(stopAudioCalls, 1);
    EXPECT_EQ(releaseGraphicsCalls, 1);
    EXPECT_TRUE(contextAtRelease);
    EXPECT_FALSE(LogEnabled());
    EXPECT_EQ(appWindow, nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MainLoop, InputDevicesLiveFromInitToShutdown) {
    EXPECT_EQ(RunScript(Script::WithInput), 0);
    EXPECT_TRUE(audioStoppedBeforeInput);
    EXPECT_TRUE(inputGoneAtRelease);
    EXPECT_EQ(input, nullptr);
}

TEST_F(MainLoop, CloseRequestEndsWithExitCodeZero) {
    EXPECT_EQ(RunScript(Script::CloseRequest), 0);
    EXPECT_GE(updates, 2);
    EXPECT_LT(updates, 100000);
    EXPECT_EQ(draws, updates);  // ended by the event, not by a step
    EXPECT_EQ(appWindow, nullptr);
}

TEST_F(MainLoop, SizeEventOfASizeNeverGrantedLeavesTheViewport) {
    // The event claims 300 × 0; the window is still 800 × 600, and so is the view.
    EXPECT_EQ(RunScript(Script::ZeroHeight), 0);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    EXPECT_EQ(viewportAspect, 800.0f / 600.0f);
}

TEST_F(MainLoop, WindowResizeReachesTheViewport) {
    EXPECT_EQ(RunScript(Script::RealResize), 0);
    EXPECT_LT(updates, 100000);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
}

TEST_F(MainLoop, FailedInitShowsBoxAndExitsOne) {
    EXPECT_EQ(RunScript(Script::InitFails), 1);
    EXPECT_EQ(updates, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Init() Failed.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
    EXPECT_EQ(boxes.Boxes()[0].icon, BoxIcon::Exclamation);
}

TEST_F(MainLoop, WindowFailureSkipsInitAndExitsOne) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-driver");
    EXPECT_EQ(RunScript(Script::DrainCheck), 1);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(stopAudioCalls, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Failed To Register The Window Class.");
}

TEST_F(MainLoop, PauseRedrawsTheFrozenFrameWithTheSignAndTakesNoStep) {
    EXPECT_EQ(RunScript(Script::Pause), 0);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(signedDraws, 3);
    EXPECT_EQ(updatesAtSignedDraws, 3 * 1) << "every paused frame came after step 1";
    EXPECT_FALSE(signAfterResume);
    EXPECT_FALSE(PausedSignShown());
}

TEST_F(MainLoop, PadStartPausesAndResumes) {
    EXPECT_EQ(RunScript(Script::PadStart), 0);
    UnplugPad();
    ASSERT_GE(stepAtPause, 2) << "Start pressed after step 1 pauses";
    EXPECT_EQ(updates, stepAtPause + 2);
    EXPECT_GE(signedDraws, 5) << "held, the pad's Start does not resume";
    EXPECT_EQ(updatesAtSignedDraws, stepAtPause * signedDraws) << "no step while paused";
    EXPECT_FALSE(signAfterResume);
}

TEST_F(MainLoop, F11AndAltEnterToggleDesktopFullScreen) {
    EXPECT_EQ(RunScript(Script::ShellKeys), 0);
    EXPECT_EQ(flagsAfterF11 & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP));
    EXPECT_EQ(flagsAfterAltEnter & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_FALSE(fullscreen) << "no display-mode change";
}

namespace {
// Ends a loop that would otherwise wait for ever, and says that it had to.
std::atomic<bool> rescued{false};
Uint32 Rescue(Uint32, void*) {
    rescued = true;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return 0;
}
}  // namespace

TEST_F(MainLoop, EscapeQuitsWhilePaused) {
    rescued = false;
    SDL_TimerID timer = SDL_AddTimer(5000, Rescue, nullptr);
    EXPECT_EQ(RunScript(Script::EscapeWhilePaused), 0);
    SDL_RemoveTimer(timer);
    EXPECT_FALSE(rescued) << "Escape did not end the paused game";
    EXPECT_EQ(updates, 1) << "no step after the pause";
    EXPECT_EQ(appWindow, nullptr);
}

// A start-up that fails leaves no recording behind: it would hold a header and
// no step.
TEST_F(MainLoop, FailedStartUpRemovesTheRecordingItBegan) {
    ScratchDir scratch;
    GameOptions options;
    options.recordPath = "started.vrec";
    EXPECT_EQ(RunScript(Script::InitFails, options), 1);
    EXPECT_FALSE(std::filesystem::exists("started.vrec"));

    SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-driver");
    EXPECT_EQ(RunScript(Script::DrainCheck, options), 1);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_FALSE(std::filesystem::exists("started.vrec"));
}

// Paced to the display (the limiter at 60 a second on the virtual display), a
// frame that came late runs its steps together and draws once.
TEST_F(MainLoop, LateFrameCatchesUpWithExtraStepsAndOneDrawing) {
    EXPECT_EQ(RunScript(Script::StepClock), 0);
    EXPECT_EQ(updates, 12);
    EXPECT_LE(draws, 12 - 1 - 3) << "the 100 ms frame was made up by steps, not frames";
}

TEST(ShellKeys, PauseAndFullScreenKeysOnly) {
    struct Case {
        SDL_Scancode code;
        Uint16 modifiers;
        ShellKey key;
    };
    const Case cases[] = {
        {SDL_SCANCODE_P, KMOD_NONE, ShellKey::Pause},
        {SDL_SCANCODE_P, KMOD_LSHIFT, ShellKey::Pause},
        {SDL_SCANCODE_P, KMOD_LCTRL, ShellKey::None},
        {SDL_SCANCODE_F11, KMOD_NONE, ShellKey::ToggleFullscreen},
        {SDL_SCANCODE_RETURN, KMOD_LALT, ShellKey::ToggleFullscreen},
        {SDL_SCANCODE_KP_ENTER, KMOD_RALT, ShellKey::ToggleFullscreen},
        {SDL_SCANCODE_RETURN, KMOD_NONE, ShellKey::None},
        {SDL_SCANCODE_Z, KMOD_NONE, ShellKey::None},
        {SDL_SCANCODE_ESCAPE, KMOD_NONE, ShellKey::None},
    };
    for (const Case& c : cases) {
        SDL_KeyboardEvent key{};
        key.keysym.scancode = c.code;
        key.keysym.mod = c.modifiers;
        EXPECT_EQ(ShellKeyOf(key), c.key) << SDL_GetScancodeName(c.code) << " mod " << c.modifiers;
    }
}
