#include "app/window.h"

#include <string>

#include "app/desktop_draw_backends.h"
#include "app/drawable_size.h"
#include "app/gl_entry_points.h"
#include "app/host.h"
#include "app/message_box.h"
#include "render/draw_backend.h"
#include "render/picture_box.h"

SDL_Window* appWindow = nullptr;
SDL_GLContext glContext = nullptr;
bool fullscreen = false;
bool swapControlAvailable = false;
float viewportAspect = 0.0f;
bool desktopFullscreen = false;

namespace {
constexpr int VIDEO_START_ATTEMPTS = 3;

bool videoStarted = false;
bool glLibraryLoaded = false;
DisplayModeRequest displayModeRequest = FindExactDisplayMode;

// A creation failure: the SDL reason is kept before the teardown can overwrite it,
// everything built so far is released, then the box is shown.
bool FailCreation(const char* text) {
    std::string reason = SDL_GetError();
    DestroyAppWindow();
    ShowMessageBox(text, "ERROR", BoxIcon::Exclamation, reason.c_str());
    return false;
}

void ShutdownError(const char* text) {
    std::string reason = SDL_GetError();
    ShowMessageBox(text, "SHUTDOWN ERROR", BoxIcon::Information, reason.c_str());
}

// RGB of the requested depth, 16-bit depth buffer, double-buffered, and nothing
// the game does not use: no alpha, stencil or accumulation buffer.
void SetPixelFormatAttributes(int bits) {
    int red = 8, green = 8, blue = 8;
    if (bits < 24) {
        red = 5;
        green = 6;
        blue = 5;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (ActiveDrawBackend().esContext) {
        // The shader back-end runs on OpenGL ES 2, as it does in the browser.
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    } else {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    }
}

// Some X servers turn away a connection now and then when another has just
// closed; a second and third attempt a moment later get through.
bool StartVideo() {
    for (int attempt = 0; attempt < VIDEO_START_ATTEMPTS; ++attempt) {
        if (attempt > 0) SDL_Delay(50);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    }
    return false;
}

// Switches the new window to full screen in the mode found; false leaves it windowed.
bool EnterFullscreen(const SDL_DisplayMode& mode) {
    if (SDL_SetWindowDisplayMode(appWindow, &mode) != 0 ||
        SDL_SetWindowFullscreen(appWindow, SDL_WINDOW_FULLSCREEN) != 0) {
        SDL_SetWindowFullscreen(appWindow, 0);
        return false;
    }
    return true;
}

// Whether the shown window really is full screen in the mode asked for. SDL only
// switches the display when the window shows, so a display that turns the mode
// down (or hands out another) is seen only then.
bool FullscreenTookEffect(const SDL_DisplayMode& mode) {
    if (!(SDL_GetWindowFlags(appWindow) & SDL_WINDOW_FULLSCREEN)) return false;
    SDL_DisplayMode current;
    int display = SDL_GetWindowDisplayIndex(appWindow);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &current) != 0) return false;
    return current.w == mode.w && current.h == mode.h;
}
}  // namespace

bool FindExactDisplayMode(int width, int height, int bits, int refreshRate, SDL_DisplayMode* mode) {
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode candidate;
        if (SDL_GetDisplayMode(0, i, &candidate) != 0) continue;
        // 32 bits per pixel is 8-8-8 colour stored in four bytes.
        int candidateBits = SDL_BYTESPERPIXEL(candidate.format) * 8;
        if (candidate.w == width && candidate.h == height && candidateBits == bits &&
            candidate.refresh_rate == refreshRate) {
            *mode = candidate;
            return true;
        }
    }
    return false;
}

DisplayModeRequest SetDisplayModeRequest(DisplayModeRequest request) {
    DisplayModeRequest previous = displayModeRequest;
    displayModeRequest = request ? request : FindExactDisplayMode;
    return previous;
}

bool CreateAppWindow(const char* title, int width, int height, int bits, bool fullscreenRequested,
                     int pixelFormat, bool highDensity) {
    RegisterDesktopDrawBackends();
    desktopFullscreen = false;
    fullscreen = fullscreenRequested;

    // The loop ends on our own quit event, posted when the window is asked to close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (pixelFormat == -1) {
        SDL_ResetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
    } else {
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(pixelFormat).c_str());
    }
    // Only a real window system will do: SDL would otherwise fall back to its
    // off-screen driver and run the game in a window nobody can see. A driver the
    // user names in SDL_VIDEODRIVER is taken as given.
    if (!SDL_GetHint(SDL_HINT_VIDEODRIVER)) SDL_SetHint(SDL_HINT_VIDEODRIVER, HOST_VIDEO_DRIVERS);
    if (!StartVideo()) {
        std::string reason = SDL_GetError();
        fullscreen = false;
        ShowMessageBox("Failed To Register The Window Class.", "ERROR", BoxIcon::Exclamation, reason.c_str());
        return false;
    }
    videoStarted = true;

    SDL_DisplayMode mode{};
    if (fullscreen && !displayModeRequest(width, height, bits, FULLSCREEN_REFRESH_RATE, &mode)) {
        fullscreen = false;
    }

    SDL_ShowCursor(SDL_DISABLE);

    if (SDL_GL_LoadLibrary(nullptr) != 0) return FailCreation("Can't Create A GL Device Context.");
    glLibraryLoaded = true;

    SetPixelFormatAttributes(bits);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (highDensity) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    appWindow = SDL_CreateWindow(title, 0, 0, width, height, flags);
    if (!appWindow) {
        return FailCreation(pixelFormat == -1 ? "Window Creation Error." : "Can't Set The PixelFormat.");
    }
    if (fullscreen && !EnterFullscreen(mode)) fullscreen = false;

    glContext = SDL_GL_CreateContext(appWindow);
    if (!glContext) return FailCreation("Can't Create A GL Rendering Context.");
    if (SDL_GL_MakeCurrent(appWindow, glContext) != 0) {
        return FailCreation("Can't Activate The GL Rendering Context.");
    }
    LoadGlEntryPoints();

    SDL_ShowWindow(appWindow);
    if (fullscreen && !FullscreenTookEffect(mode)) {
        // As for a mode the display does not offer: the game goes on in a window.
        SDL_SetWindowFullscreen(appWindow, 0);
        SDL_SetWindowSize(appWindow, width, height);
        fullscreen = false;
    }
    SDL_RaiseWindow(appWindow);
    SDL_SetWindowInputFocus(appWindow);
    SDL_DisableScreenSaver();

    // The drawable as it really came out: a high-density one holds more pixels than
    // the window has points, and a window manager may have had its say on the size.
    GetDrawableSize(appWindow, &width, &height);
    ResizeViewport(width, height);
    if (!InitGLState()) return FailCreation("Initialization Failed.");
    return true;
}

void DestroyAppWindow() {
    desktopFullscreen = false;
    if (fullscreen) {
        // Leaving full screen gives the desktop its own mode back.
        if (appWindow) SDL_SetWindowFullscreen(appWindow, 0);
        SDL_ShowCursor(SDL_ENABLE);
        fullscreen = false;
    }
    if (glContext) {
        // The back-end's own shaders and buffers go with the context they live in.
        ActiveDrawBackend().release();
        if (SDL_GL_MakeCurrent(appWindow, nullptr) != 0) ShutdownError("Release Of DC And RC Failed.");
        SDL_GL_DeleteContext(glContext);
        glContext = nullptr;
    }
    if (appWindow) {
        SDL_DestroyWindow(appWindow);
        appWindow = nullptr;
    }
    if (glLibraryLoaded) {
        SDL_GL_UnloadLibrary();
        glLibraryLoaded = false;
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted = false;
    }
}

void ResizeViewport(int width, int height) {
    if (height == 0) height = 1;
    viewportAspect = PictureAspect(FitPictureBox(width, height));
    ActiveDrawBackend().setView(width, height);
}

void FollowDrawableSize() {
    int width = 0, height = 0;
    GetDrawableSize(appWindow, &width, &height);
    ResizeViewport(width, height);
}

bool InitGLState() {
    ActiveDrawBackend().initState();
    // Without swap control (a virtual display, some drivers) the main loop's limiter paces.
    swapControlAvailable = SDL_GL_SetSwapInterval(1) == 0;
    return true;
}

bool HandleWindowEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return false;
    if (event.type != SDL_WINDOWEVENT) return true;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            // The event's own size may be one SDL asked for and never got, and a window
            // manager that grants full screen late sends only an expose: the viewport
            // follows what GL really draws into.
            if (appWindow) FollowDrawableSize();
            break;
        case SDL_WINDOWEVENT_CLOSE: {
            // Like a posted quit message: the window stays until shutdown destroys it.
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            break;
        }
        default:
            break;
    }
    return true;
}

bool SetDesktopFullscreen(bool on) {
    if (!appWindow) return false;
    if (SDL_SetWindowFullscreen(appWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
    desktopFullscreen = on;
    // Without a window manager nothing changes size; the picture stays whole either way.
    FollowDrawableSize();
    return true;
}

int DisplayRefreshRate() {
    SDL_DisplayMode mode{};
    int display = appWindow ? SDL_GetWindowDisplayIndex(appWindow) : 0;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate > 0 ? mode.refresh_rate : 0;
}

bool TrySwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0; }
