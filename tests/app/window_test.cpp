#include "app/window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/drawable_size.h"
#include "tests/app/shell_probes.h"
#include "tests/support/display.h"

namespace {
class Window : public ::testing::Test {
protected:
    void TearDown() override {
        DestroyAppWindow();
        SetDisplayModeRequest(nullptr);
    }
    BoxRecorder boxes;
};

bool HasKeyboardFocus() {
    SDL_PumpEvents();
    return SDL_GetKeyboardFocus() == appWindow;
}

void ExpectProjection(float aspect) {
    // gluPerspective(45°, aspect, 0.2f, 2500) as GL stores it, column-major.
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const double nearPlane = 0.2f, farPlane = 2500.0;
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_NEAR(m[0], f / aspect, 1e-5);
    EXPECT_NEAR(m[5], f, 1e-5);
    EXPECT_NEAR(m[10], (farPlane + nearPlane) / (nearPlane - farPlane), 1e-5);
    EXPECT_NEAR(m[11], -1.0, 1e-6);
    EXPECT_NEAR(m[14], 2.0 * farPlane * nearPlane / (nearPlane - farPlane), 1e-5);
}

void ExpectViewport(int width, int height, int x = 0, int y = 0) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], x);
    EXPECT_EQ(viewport[1], y);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
}

// Handles every waiting event as the main loop does, until the viewport is `wanted`.
bool EventsBringViewport(const GLint wanted[4]) {
    return WaitFor([&] {
        SDL_Event event;
        while (SDL_PollEvent(&event)) HandleWindowEvent(event);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        return std::equal(viewport, viewport + 4, wanted);
    });
}

// Handles the events of the next `ms` milliseconds as the main loop does.
void HandleEventsFor(Uint32 ms) {
    Uint32 end = SDL_GetTicks() + ms;
    while (!SDL_TICKS_PASSED(SDL_GetTicks(), end)) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) HandleWindowEvent(event);
        SDL_Delay(5);
    }
}
}  // namespace

TEST_F(Window, OpensWithTitleClientSizeAndFocus) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    EXPECT_STREQ(SDL_GetWindowTitle(appWindow), "vortane");
    EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "x11");
    Uint32 flags = SDL_GetWindowFlags(appWindow);
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    EXPECT_FALSE(fullscreen);

    // The client area as the X server has it, not only as SDL remembers it.
    int width = 0, height = 0;
    ASSERT_TRUE(XClientSize(XWindowOf(appWindow), &width, &height));
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);

    EXPECT_TRUE(WaitFor(HasKeyboardFocus));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Window, ContextIsDoubleBufferedRgbWithDepth) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    EXPECT_EQ(SDL_GL_GetCurrentContext(), glContext);
    int value = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &value);
    EXPECT_EQ(value, 1);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &value);
    EXPECT_EQ(value, 8);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &value);
    EXPECT_EQ(value, 8);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &value);
    EXPECT_EQ(value, 8);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &value);
    EXPECT_GE(value, 16);
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &value);
    EXPECT_EQ(value, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

TEST_F(Window, InitialGlStateAndProjection) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.9f);
    EXPECT_EQ(clear[1], 0.9f);
    EXPECT_EQ(clear[2], 0.95f);
    EXPECT_EQ(clear[3], 0.0f);
    // The flag tells the truth about the driver: set only when interval 1 took.
    EXPECT_EQ(swapControlAvailable, SDL_GL_GetSwapInterval() == 1);

    ExpectViewport(800, 600);
    EXPECT_EQ(viewportAspect, 800.0f / 600.0f);
    glMatrixMode(GL_PROJECTION);
    ExpectProjection(800.0f / 600.0f);
}

TEST_F(Window, ZeroHeightGivesAOnePixelPictureWithoutDividingByZero) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    ResizeViewport(640, 0);
    ExpectViewport(1, 1, 319, 0);
    EXPECT_EQ(viewportAspect, 1.0f);
    EXPECT_TRUE(std::isfinite(viewportAspect));
    glMatrixMode(GL_PROJECTION);
    ExpectProjection(1.0f);
}

TEST_F(Window, OtherShapesShowThe4To3PictureBetweenBars) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    ResizeViewport(1280, 720);  // 16:9: bars left and right
    ExpectViewport(960, 720, 160, 0);
    EXPECT_EQ(viewportAspect, 800.0f / 600.0f);
    glMatrixMode(GL_PROJECTION);
    ExpectProjection(800.0f / 600.0f);
    ResizeViewport(1280, 1024);  // 5:4: bars above and below
    ExpectViewport(1280, 960, 0, 32);
    EXPECT_EQ(viewportAspect, 800.0f / 600.0f);
    ExpectProjection(800.0f / 600.0f);
}

TEST_F(Window, ResizedWindowKeepsThePictureWhole) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    SDL_SetWindowSize(appWindow, 1280, 720);
    const GLint wide[4] = {160, 0, 960, 720};
    EXPECT_TRUE(EventsBringViewport(wide));
    SDL_SetWindowSize(appWindow, 1000, 800);
    const GLint tall[4] = {0, 25, 1000, 750};
    EXPECT_TRUE(EventsBringViewport(tall));
}

TEST_F(Window, SizeEventOfASizeNeverGrantedLeavesTheViewport) {
    // SDL reports the size it asked for when it asks a window manager for full
    // screen; with none to grant it the window keeps its size, and so does the view.
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    event.window.windowID = SDL_GetWindowID(appWindow);
    event.window.data1 = 1280;
    event.window.data2 = 1024;
    EXPECT_TRUE(HandleWindowEvent(event));
    ExpectViewport(800, 600);
    int width = 0, height = 0;
    GetDrawableSize(appWindow, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

TEST_F(Window, DesktopFullScreenWithoutWindowManagerKeepsThePictureWhole) {
    // The test display has no window manager: the request is made, nothing grants
    // it, and the window and its picture stay as they were, there and back again.
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1, true));
    for (bool on : {true, false, true}) {
        SCOPED_TRACE(on ? "on" : "off");
        EXPECT_TRUE(SetDesktopFullscreen(on));
        HandleEventsFor(300);
        int width = 0, height = 0;
        GetDrawableSize(appWindow, &width, &height);
        EXPECT_EQ(width, 800);
        EXPECT_EQ(height, 600);
        ExpectViewport(800, 600);
        EXPECT_EQ(viewportAspect, 800.0f / 600.0f);
    }
}

TEST_F(Window, CloseRequestPostsQuitAndKeepsWindow) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    RequestClose(XWindowOf(appWindow));
    bool sawClose = false, sawQuit = false;
    ASSERT_TRUE(WaitFor([&] {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) sawClose = true;
            if (!HandleWindowEvent(event)) sawQuit = true;
        }
        return sawQuit;
    }));
    EXPECT_TRUE(sawClose);
    // Only the shutdown destroys the window.
    EXPECT_NE(appWindow, nullptr);
    EXPECT_NE(FindWindowByTitle("vortane"), 0ul);
}

TEST_F(Window, DestroyReleasesEverything) {
    ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    DestroyAppWindow();
    EXPECT_EQ(appWindow, nullptr);
    EXPECT_EQ(glContext, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_EQ(FindWindowByTitle("vortane"), 0ul);
    // A second window after the first is gone, as a test program or a restart would make.
    ASSERT_TRUE(CreateAppWindow("vortane", 320, 200, 32, false, -1));
    EXPECT_NE(appWindow, nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// Failures: the box comes with its exact text and caption, after the teardown.
TEST_F(Window, NoVideoDriverReportsWindowClass) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "no-such-driver");
    EXPECT_FALSE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Failed To Register The Window Class.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
    EXPECT_EQ(boxes.Boxes()[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(appWindow, nullptr);
}

TEST_F(Window, NoDisplayFailsInsteadOfRunningUnseen) {
    // With no window system SDL could still open an off-screen window; the game
    // must say it cannot run rather than run where nobody sees it.
    std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_FALSE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    setenv("DISPLAY", display.c_str(), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Failed To Register The Window Class.");
    EXPECT_EQ(appWindow, nullptr);
}

TEST_F(Window, MissingGlDriverReportsDeviceContext) {
    setenv("SDL_OPENGL_LIBRARY", "/nonexistent/libGL.so.1", 1);
    EXPECT_FALSE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
    unsetenv("SDL_OPENGL_LIBRARY");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Can't Create A GL Device Context.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
    EXPECT_FALSE(boxes.Boxes()[0].windowExisted);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST_F(Window, UnknownPixelFormatReportsSetPixelFormat) {
    EXPECT_FALSE(CreateAppWindow("vortane", 800, 600, 32, false, 0x7ffffff));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Can't Set The PixelFormat.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
    EXPECT_FALSE(boxes.Boxes()[0].windowExisted);
    EXPECT_EQ(appWindow, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    // The next window chooses its own format again.
    EXPECT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
}

// The full-screen path: an exact mode is asked for; a refusal means a plain window.
namespace {
struct ModeRequest {
    int width, height, bits, refreshRate;
};
ModeRequest lastRequest;

bool RefuseMode(int width, int height, int bits, int refreshRate, SDL_DisplayMode*) {
    lastRequest = {width, height, bits, refreshRate};
    return false;
}

bool GrantDesktopMode(int width, int height, int bits, int refreshRate, SDL_DisplayMode* mode) {
    lastRequest = {width, height, bits, refreshRate};
    // The desktop's own mode: switching to it changes nothing on the test display.
    return SDL_GetDesktopDisplayMode(0, mode) == 0;
}
}  // namespace

TEST_F(Window, RefusedFullscreenModeFallsBackToWindowSilently) {
    SetDisplayModeRequest(RefuseMode);
    lastRequest = {};
    ASSERT_TRUE(CreateAppWindow("vortane", 1024, 768, 32, true, -1));
    EXPECT_EQ(lastRequest.width, 1024);
    EXPECT_EQ(lastRequest.height, 768);
    EXPECT_EQ(lastRequest.bits, 32);
    EXPECT_EQ(lastRequest.refreshRate, 75);
    EXPECT_FALSE(fullscreen);
    EXPECT_FALSE(SDL_GetWindowFlags(appWindow) & SDL_WINDOW_FULLSCREEN);
    int width = 0, height = 0;
    SDL_GetWindowSize(appWindow, &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Window, GrantedFullscreenModeIsUsedAndRestored) {
    SetDisplayModeRequest(GrantDesktopMode);
    ASSERT_TRUE(CreateAppWindow("vortane", 1024, 768, 32, true, -1));
    EXPECT_TRUE(fullscreen);
    EXPECT_TRUE(SDL_GetWindowFlags(appWindow) & SDL_WINDOW_FULLSCREEN);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    DestroyAppWindow();
    EXPECT_FALSE(fullscreen);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Window, ExactModeSearchMatchesOnlyTheWholeMode) {
    ASSERT_TRUE(CreateAppWindow("vortane", 320, 200, 32, false, -1));
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    int bits = SDL_BYTESPERPIXEL(desktop.format) * 8;
    SDL_DisplayMode found{};
    EXPECT_TRUE(FindExactDisplayMode(desktop.w, desktop.h, bits, desktop.refresh_rate, &found));
    EXPECT_EQ(found.w, desktop.w);
    EXPECT_EQ(found.h, desktop.h);
    EXPECT_FALSE(FindExactDisplayMode(desktop.w, desktop.h, bits, desktop.refresh_rate + 1, &found));
    EXPECT_FALSE(FindExactDisplayMode(desktop.w + 1, desktop.h, bits, desktop.refresh_rate, &found));
    EXPECT_FALSE(FindExactDisplayMode(desktop.w, desktop.h, bits / 2, desktop.refresh_rate, &found));
}
