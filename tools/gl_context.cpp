#include "tools/gl_context.h"

#include "app/desktop_draw_backends.h"
#include "app/gl_entry_points.h"
#include "app/window.h"
#include "render/draw_backend.h"

#include <SDL2/SDL.h>

#include <algorithm>
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace {

// Framebuffer-object entry points, fetched from the context rather than linked, so
// the tools do not depend on how the GL library exports them.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool Fetch() {
        genFramebuffers =
            reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glGenFramebuffers"));
        bindFramebuffer =
            reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
        deleteFramebuffers =
            reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glDeleteFramebuffers"));
        genRenderbuffers =
            reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(SDL_GL_GetProcAddress("glGenRenderbuffers"));
        bindRenderbuffer =
            reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(SDL_GL_GetProcAddress("glBindRenderbuffer"));
        deleteRenderbuffers =
            reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(SDL_GL_GetProcAddress("glDeleteRenderbuffers"));
        renderbufferStorage =
            reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(SDL_GL_GetProcAddress("glRenderbufferStorage"));
        framebufferRenderbuffer = reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(
            SDL_GL_GetProcAddress("glFramebufferRenderbuffer"));
        checkFramebufferStatus = reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(
            SDL_GL_GetProcAddress("glCheckFramebufferStatus"));
        return genFramebuffers && bindFramebuffer && deleteFramebuffers && genRenderbuffers &&
               bindRenderbuffer && deleteRenderbuffers && renderbufferStorage && framebufferRenderbuffer &&
               checkFramebufferStatus;
    }
};

FramebufferCalls fbo;

}  // namespace

OffscreenGL::~OffscreenGL() { Close(); }

bool OffscreenGL::Open(int width, int height, std::string& error) {
    Close();
    if (width <= 0 || height <= 0) {
        error = "frame size must be positive";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no video: ") + SDL_GetError();
        return false;
    }
    sdlStarted_ = true;
    // The game's context: RGBA, 16-bit depth, double buffered, no stencil; OpenGL ES 2
    // when the chosen back-end draws with shaders, as it does in the browser.
    SDL_GL_ResetAttributes();
    RegisterDesktopDrawBackends();
    es_ = ActiveDrawBackend().esContext;
    if (es_) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window = SDL_CreateWindow("vortane", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                          height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        error = std::string("no window: ") + SDL_GetError();
        Close();
        return false;
    }
    window_ = window;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        error = std::string("no GL context: ") + SDL_GetError();
        Close();
        return false;
    }
    context_ = context;
    LoadGlEntryPoints();
    if (!fbo.Fetch()) {
        error = "the GL driver has no framebuffer objects";
        Close();
        return false;
    }
    fbo.genRenderbuffers(1, &colourBuffer_);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    fbo.genRenderbuffers(1, &depthBuffer_);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    fbo.genFramebuffers(1, &framebuffer_);
    fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the off-screen framebuffer is incomplete";
        Close();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void OffscreenGL::Close() {
    if (context_) {
        // The back-end's shaders and buffers belong to this context.
        ActiveDrawBackend().release();
        if (framebuffer_) {
            fbo.bindFramebuffer(GL_FRAMEBUFFER, 0);
            fbo.deleteFramebuffers(1, &framebuffer_);
        }
        if (colourBuffer_) fbo.deleteRenderbuffers(1, &colourBuffer_);
        if (depthBuffer_) fbo.deleteRenderbuffers(1, &depthBuffer_);
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    if (window_) SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    window_ = nullptr;
    context_ = nullptr;
    framebuffer_ = colourBuffer_ = depthBuffer_ = 0;
    width_ = height_ = 0;
    sdlStarted_ = false;
    es_ = false;
}

std::vector<uint8_t> OffscreenGL::ReadRGB() const {
    std::vector<uint8_t> bottomUp(size_t(width_) * height_ * 3);
    std::vector<uint8_t> topDown(bottomUp.size());
    if (bottomUp.empty()) return topDown;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    size_t row = size_t(width_) * 3;
    if (es_) {
        // OpenGL ES reads RGBA bytes only.
        std::vector<uint8_t> rgba(size_t(width_) * height_ * 4);
        glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        for (size_t i = 0, n = size_t(width_) * height_; i < n; ++i)
            std::copy_n(&rgba[i * 4], 3, &bottomUp[i * 3]);
    } else {
        glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    }
    for (int y = 0; y < height_; ++y) {
        std::copy_n(&bottomUp[size_t(height_ - 1 - y) * row], row, &topDown[size_t(y) * row]);
    }
    return topDown;
}

void SetUpGameView(int width, int height) {
    // The game's own set-up, so a drawn frame is the frame the window shows.
    ResizeViewport(width, height);
    InitGLState();
    if (!ActiveDrawBackend().esContext) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}
