#pragma once
// Helpers of the end-to-end tests: the real programs started as a user would, on
// an X server and a sound server of the test's own, driven and watched with the
// ordinary desktop tools (xdotool, xwininfo, import, parec).
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A child process. Started with its stdout and stderr in files (empty names
// keep the test's own) and environment changes ("NAME=value" sets, "NAME" removes).
struct Child {
    pid_t pid = -1;
};
Child StartChild(const std::vector<std::string>& argv, const std::string& workDir,
                 const std::vector<std::string>& environment, const std::string& stdoutFile,
                 const std::string& stderrFile);
// Exit status within `milliseconds`; -1 when it did not end in time (it is then
// killed), -2 - signal when a signal ended it.
int WaitChild(Child& child, int milliseconds);
// Asks a child to end (SIGTERM), then reaps it.
void StopChild(Child& child);

// Runs a tool to its end (at most 20 s) and returns its exit status; its
// standard output goes to `output` when given.
int RunTool(const std::vector<std::string>& argv, std::string* output = nullptr,
            const std::vector<std::string>& environment = {});

// An Xvfb of this test's own, 1024 × 768 × 24; DISPLAY points at it while it lives.
class PrivateX {
public:
    PrivateX();
    ~PrivateX();
    bool Ok() const { return !display_.empty(); }

private:
    Child server_;
    std::string display_;
};

// A PulseAudio server in a temporary folder under /tmp, with one null sink "vtest" whose
// monitor can be recorded, and a HOME whose .asoundrc sends ALSA's default
// device to it. Env() is what a program needs to play into it.
class PrivateSound {
public:
    explicit PrivateSound(const std::string& folder);
    ~PrivateSound();
    bool Ok() const { return ok_; }
    const std::vector<std::string>& Env() const { return env_; }
    const std::string& Log() const { return log_; }

    // Records the sink's monitor as 44100 Hz mono signed 16-bit samples into `file`.
    Child StartRecording(const std::string& file) const;

private:
    Child server_;
    std::vector<std::string> env_;
    std::string log_;
    std::string serverFolder_;  // runtime folder and socket
    bool ok_ = false;
};

// Root-mean-square of 16-bit samples [first, last) of a raw recording; -1 when
// the range holds no samples.
double RecordingRms(const std::vector<int16_t>& samples, size_t first, size_t last);
std::vector<int16_t> ReadRecording(const std::string& file);

// The viewable top-level window titled exactly `title`, or "" (waits up to 20 s).
std::string WaitForWindow(const std::string& title);
// Width, height and title of a window as xwininfo reports them.
struct WindowInfo {
    int width = 0;
    int height = 0;
    std::string title;
};
bool QueryWindow(const std::string& id, WindowInfo& info);
// Gives the window the keyboard focus and waits until it has it.
bool FocusWindow(const std::string& id);
// Sends the window manager's close request (WM_DELETE_WINDOW), as a title-bar
// close button does.
bool RequestWindowClose(const std::string& id);

// A screenshot of the window as red, green, blue bytes (import -window).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};
bool CaptureWindow(const std::string& id, const std::string& file, Picture& picture);

// A fresh folder under the working directory for one test.
std::string MakeScratchFolder(const std::string& name);
bool FileExists(const std::string& path);
