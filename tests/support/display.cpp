#include "tests/support/display.h"

// gtest before Xlib: Xlib's None and Bool macros would break gtest's own names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
// Starts Xvfb with one screen of `screen` (WIDTHxHEIGHTxDEPTH) and returns its
// display name, or "" when it did not come up. -displayfd lets the server pick a
// free display number and tell it once it listens.
std::string StartXvfb(const char* screen, Child& server) {
    int fds[2];
    if (pipe(fds) != 0) return "";
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    server =
        StartChild({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"},
                   "", {}, "", "/dev/null");
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return "";
    std::string display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    return display;
}

Child processServer;

void StopProcessServer() { StopChild(processServer); }

Display* OpenDisplay() {
    Display* display = nullptr;
    // The test server may turn a connection away right after another closed.
    for (int attempt = 0; attempt < 20 && !display; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        display = XOpenDisplay(nullptr);
    }
    return display;
}

// One connection per DISPLAY, kept for the process's own server.
Display* TestDisplay() {
    static Display* display = nullptr;
    static std::string name;
    const char* current = std::getenv("DISPLAY");
    if (display && current && name == current) return display;
    if (display) XCloseDisplay(display);
    display = OpenDisplay();
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

int IgnoreXError(Display*, XErrorEvent*) { return 0; }
}  // namespace

void UsePrivateDisplay() {
    if (processServer.pid > 0) return;
    std::string display = StartXvfb("1280x1024x24", processServer);
    std::atexit(StopProcessServer);
    ASSERT_FALSE(display.empty()) << "Xvfb did not start";
}

PrivateX::PrivateX() { display_ = StartXvfb("1024x768x24", server_); }

PrivateX::~PrivateX() { StopChild(server_); }

bool WaitFor(const std::function<bool()>& step) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(WAIT_SECONDS);
    while (!step()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

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

bool RequestClose(unsigned long xWindow) {
    // A connection of its own: a test's server may be gone and a new one have the
    // same number by now.
    Display* display = OpenDisplay();
    if (!display) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = xWindow;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, xWindow, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0;
}

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
