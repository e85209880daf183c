#pragma once
#include <SDL2/SDL.h>

// The program's one window with its double-buffered GL context. Main thread only;
// the context is current on the main thread from creation to DestroyAppWindow.
extern SDL_Window* appWindow;
extern SDL_GLContext glContext;
extern bool fullscreen;            // true only while the display mode is changed for us
extern bool swapControlAvailable;  // the driver granted a swap interval of 1
extern float viewportAspect;       // width ÷ height of the picture's box at the last ResizeViewport
extern bool desktopFullscreen;     // the window covers the desktop without a mode change

constexpr int FULLSCREEN_REFRESH_RATE = 75;

// Opens the window and its GL context, shows it with the keyboard focus and the
// cursor hidden, sets the projection and the GL state. A full-screen request asks
// for an exact display mode (size, bits, 75 Hz); when the display has none it
// falls back to a window without a word. pixelFormat −1 lets the platform choose
// the visual; any other value is taken as the X visual id to use. On failure it
// shows the reason in an "ERROR" box, undoes what it built and returns false.
// highDensity asks for a high-density drawable (a 2× display draws sharp); the
// viewport then follows the drawable's size rather than the window's.
bool CreateAppWindow(const char* title, int width, int height, int bits, bool fullscreenRequested,
                     int pixelFormat, bool highDensity = false);

// Releases what CreateAppWindow built, as far as it was built, in reverse order.
void DestroyAppWindow();

// Viewport and projection for a drawable of width × height pixels: the 4:3 picture
// centred in it between black bars (render/picture_box.h); a height of 0 counts as 1.
void ResizeViewport(int width, int height);

// ResizeViewport for the size the window's drawable really has now
// (app/drawable_size.h).
void FollowDrawableSize();

// The fixed GL state every frame starts from, and the swap-interval request.
bool InitGLState();

// Handles one window event: size changes and exposes re-apply the projection for the
// drawable's real size, a close request posts the quit event. Returns false for the
// quit event, which ends the loop.
bool HandleWindowEvent(const SDL_Event& event);

// Borderless full screen over the desktop, or back to the window; the projection
// follows through the size-change event. False when the window system refuses.
bool SetDesktopFullscreen(bool on);

// The refresh rate of the window's display in Hz, 0 when the display reports none.
int DisplayRefreshRate();

// Asks the driver for a swap interval; true when it took.
bool TrySwapInterval(int interval);

// The full-screen path asks this for a display mode that matches exactly; false
// means the display refuses it. Tests replace it to drive both outcomes.
using DisplayModeRequest = bool (*)(int width, int height, int bits, int refreshRate, SDL_DisplayMode* mode);
bool FindExactDisplayMode(int width, int height, int bits, int refreshRate, SDL_DisplayMode* mode);

// Installs a request (nullptr restores FindExactDisplayMode) and returns the previous one.
DisplayModeRequest SetDisplayModeRequest(DisplayModeRequest request);
