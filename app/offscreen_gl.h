#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The shell's OpenGL context for the headless tools and the drawing tests: a hidden SDL
// window whose context draws into an off-screen framebuffer of the requested size,
// so the picture does not depend on the X screen's size or depth (xvfb-run's
// default screen is smaller than the game's window).
class OffscreenGL {
public:
    OffscreenGL() = default;
    ~OffscreenGL();
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // Creates the window, the context and the framebuffer and makes them current. The
    // context is OpenGL ES 2 when the active draw back-end asks for one.
    // On failure returns false with `error` set, and holds nothing.
    bool Open(int width, int height, std::string& error);
    void Close();

    // The framebuffer as tightly packed RGB bytes, top row first.
    std::vector<uint8_t> ReadRGB() const;

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void* window_ = nullptr;
    void* context_ = nullptr;
    unsigned framebuffer_ = 0;
    unsigned colourBuffer_ = 0;
    unsigned depthBuffer_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool sdlStarted_ = false;
    bool es_ = false;  // an OpenGL ES context, for the shader back-end
};

// The game window's view and GL state, through the window's own ResizeViewport and
// InitGLState, then start-up's black clear colour.
void SetUpGameView(int width, int height);
