#include "app/run_game.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/input_devices.h"
#include "app/window.h"
#include "base/log.h"
#include "tests/app/test_support.h"

// The shared frame of both editions, driven by a scripted edition whose steps
// record what the loop did.
namespace {
enum class Script { DrainCheck, CloseRequest, ZeroHeight, RealResize, InitFails, WithInput };

Script script;
int updates, draws, stopAudioCalls, releaseGraphicsCalls;
int pendingAtUpdate;           // events waiting when a step began (should stay 0)
bool contextAtRelease;         // the GL context was current when graphics were released
bool inputGoneAtRelease;       // input devices were gone when graphics were released
bool audioStoppedBeforeInput;  // stopAudio ran while input still existed
GLint viewport[4];

bool ScriptInit(const Edition&) {
    if (script == Script::InitFails) return false;
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
    }
    return false;
}

void ScriptDraw() {
    ++draws;
    glClear(GL_COLOR_BUFFER_BIT);
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

int RunScript(Script which) {
    script = which;
    updates = draws = stopAudioCalls = releaseGraphicsCalls = pendingAtUpdate = 0;
    contextAtRelease = inputGoneAtRelease = audioStoppedBeforeInput = false;
    Edition edition{};
    edition.name = "script";
    edition.title = "vortane";
    edition.width = 800;
    edition.height = 600;
    edition.bits = 32;
    edition.updateWorld = ScriptUpdate;
    edition.drawScene = ScriptDraw;
    edition.releaseGraphics = ScriptReleaseGraphics;
    ShellSteps steps;
    steps.init = ScriptInit;
    steps.stopAudio = ScriptStopAudio;
    return RunGame(edition, steps);
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

TEST_F(MainLoop, ZeroHeightSizeEventGivesViewportHeightOne) {
    EXPECT_EQ(RunScript(Script::ZeroHeight), 0);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(viewportAspect, 300.0f);
}

TEST_F(MainLoop, WindowResizeReachesTheViewport) {
    EXPECT_EQ(RunScript(Script::RealResize), 0);
    EXPECT_LT(updates, 100000);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
}

TEST_F(MainLoop, FailedInitShowsBoxAndExitsZero) {
    EXPECT_EQ(RunScript(Script::InitFails), 0);
    EXPECT_EQ(updates, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Init() Failed.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
    EXPECT_EQ(boxes.Boxes()[0].icon, BoxIcon::Exclamation);
}

TEST_F(MainLoop, WindowFailureSkipsInit) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-driver");
    EXPECT_EQ(RunScript(Script::DrainCheck), 0);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(stopAudioCalls, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Failed To Register The Window Class.");
}
