#include "tests/app/test_support.h"

// gtest before Xlib: Xlib's None and Bool macros would break gtest's own names.
#include <gtest/gtest.h>

#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "app/window.h"

namespace {
pid_t xvfbPid = 0;

void StopPrivateDisplay() {
    if (xvfbPid > 0) {
        kill(xvfbPid, SIGTERM);
        waitpid(xvfbPid, nullptr, 0);
        xvfbPid = 0;
    }
}

std::vector<RecordedBox>* recordedBoxes = nullptr;

void RecordBox(const char* text, const char* caption, BoxIcon icon) {
    if (recordedBoxes) recordedBoxes->push_back({text, caption, icon, appWindow != nullptr});
}

Display* TestDisplay() {
    static Display* display = nullptr;
    static std::string name;
    const char* current = std::getenv("DISPLAY");
    if (display && current && name == current) return display;
    if (display) XCloseDisplay(display);
    // The test server may turn a connection away right after another closed.
    for (int attempt = 0; attempt < 20 && !display; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        display = XOpenDisplay(nullptr);
    }
    name = current ? current : "";
    return display;
}

unsigned long FindIn(Display* display, Window parent, const char* title) {
    Window root, parentOut, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::strcmp(name, title) == 0) found = children[i];
            XFree(name);
        }
        if (!found) found = FindIn(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}
}  // namespace

void UsePrivateDisplay() {
    if (xvfbPid > 0) return;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        FILE* quiet = std::freopen("/dev/null", "w", stderr);
        (void)quiet;
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    xvfbPid = pid;
    std::atexit(StopPrivateDisplay);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
}

bool WaitFor(const std::function<bool()>& step) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(WAIT_SECONDS);
    while (!step()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

BoxRecorder::BoxRecorder() {
    recordedBoxes = new std::vector<RecordedBox>;
    previous = SetMessageBoxHandler(RecordBox);
}

BoxRecorder::~BoxRecorder() {
    SetMessageBoxHandler(previous);
    delete recordedBoxes;
    recordedBoxes = nullptr;
}

const std::vector<RecordedBox>& BoxRecorder::Boxes() const { return *recordedBoxes; }

void FakeKey(unsigned long keysym, bool down) {
    Display* display = TestDisplay();
    ASSERT_NE(display, nullptr);
    KeyCode code = XKeysymToKeycode(display, keysym);
    ASSERT_NE(code, 0) << "no keycode for keysym " << keysym;
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    XSync(display, False);
}

void FakeButton(unsigned int button, bool down) {
    Display* display = TestDisplay();
    ASSERT_NE(display, nullptr);
    XTestFakeButtonEvent(display, button, down ? True : False, CurrentTime);
    XSync(display, False);
}

unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

void RequestClose(unsigned long xWindow) {
    Display* display = TestDisplay();
    ASSERT_NE(display, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = xWindow;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, xWindow, False, NoEventMask, &event);
    XSync(display, False);
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

unsigned long FindWindowByTitle(const char* title) {
    Display* display = TestDisplay();
    if (!display) return 0;
    // Windows of other programs may vanish while the tree is walked.
    XSync(display, False);
    XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    unsigned long found = FindIn(display, DefaultRootWindow(display), title);
    XSync(display, False);
    XSetErrorHandler(previous);
    return found;
}

bool XClientSize(unsigned long xWindow, int* width, int* height) {
    Display* display = TestDisplay();
    XWindowAttributes attributes;
    if (!display || !XGetWindowAttributes(display, xWindow, &attributes)) return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

unsigned long FocusedXWindow() {
    Display* display = TestDisplay();
    if (!display) return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

ScratchDir::ScratchDir() {
    previous = std::filesystem::current_path().string();
    std::string pattern = previous + "/scratch-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data())) path = name.data();
    if (!path.empty()) std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
