#include "tests/e2e/e2e_support.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool ExitedYet(Child& child, int* status) { return waitpid(child.pid, status, WNOHANG) == child.pid; }

int Decode(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return -2 - WTERMSIG(status);
    return -2;
}
}  // namespace

Child StartChild(const std::vector<std::string>& argv, const std::string& workDir,
                 const std::vector<std::string>& environment, const std::string& stdoutFile,
                 const std::string& stderrFile) {
    Child child;
    child.pid = fork();
    if (child.pid == 0) {
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
        if (!stdoutFile.empty()) {
            int fd = open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) dup2(fd, 1);
        }
        if (!stderrFile.empty()) {
            int fd = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) dup2(fd, 2);
        }
        for (const std::string& e : environment) {
            if (e.find('=') == std::string::npos) {
                unsetenv(e.c_str());
            } else {
                putenv(strdup(e.c_str()));
            }
        }
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return child;
}

int WaitChild(Child& child, int milliseconds) {
    if (child.pid <= 0) return -1;
    auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    int status = 0;
    while (!ExitedYet(child, &status)) {
        if (Clock::now() > deadline) {
            kill(child.pid, SIGKILL);
            waitpid(child.pid, &status, 0);
            child.pid = -1;
            return -1;
        }
        Sleep(5);
    }
    child.pid = -1;
    return Decode(status);
}

void StopChild(Child& child) {
    if (child.pid <= 0) return;
    kill(child.pid, SIGTERM);
    if (WaitChild(child, 5000) == -1) return;  // killed
}

int RunTool(const std::vector<std::string>& argv, std::string* output,
            const std::vector<std::string>& environment) {
    char name[] = "/tmp/vortane-e2e-tool-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return -1;
    close(fd);
    Child child = StartChild(argv, "", environment, name, "/dev/null");
    int status = WaitChild(child, 20000);
    if (output) {
        std::ifstream in(name);
        std::stringstream text;
        text << in.rdbuf();
        *output = text.str();
    }
    unlink(name);
    return status;
}

PrivateX::PrivateX() {
    int fds[2];
    if (pipe(fds) != 0) return;
    server_.pid = fork();
    if (server_.pid == 0) {
        close(fds[0]);
        int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) dup2(quiet, 2);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return;
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
}

PrivateX::~PrivateX() { StopChild(server_); }

PrivateSound::PrivateSound(const std::string& folder) {
    // The server's socket path must fit a sockaddr_un (108 bytes), which a test's
    // case folder does not; the server gets a short folder of its own under /tmp.
    char serverFolder[] = "/tmp/vortane-pulse-XXXXXX";
    if (!mkdtemp(serverFolder)) return;
    serverFolder_ = serverFolder;
    std::string runtime = serverFolder_ + "/runtime";
    std::string home = folder + "/home";
    std::string socket = serverFolder_ + "/native";
    mkdir(runtime.c_str(), 0700);
    mkdir(home.c_str(), 0700);
    {
        // ALSA's default device (PortAudio's default output) goes to the server.
        std::ofstream asoundrc(home + "/.asoundrc");
        asoundrc << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
    }
    env_ = {"HOME=" + home, "XDG_RUNTIME_DIR=" + runtime, "PULSE_SERVER=unix:" + socket,
            "XDG_CONFIG_HOME=" + home + "/.config"};
    log_ = folder + "/pulseaudio.log";
    // -n: no default script, only the two modules. --system=no and no exit on idle:
    // runs the same as root (CI) and as a user. Without DISPLAY and a session bus
    // it does not try to start D-Bus through the X server, which can take seconds.
    std::vector<std::string> serverEnv = env_;
    serverEnv.push_back("DISPLAY");
    serverEnv.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
    server_ = StartChild({"pulseaudio", "-n", "--daemonize=no", "--system=no", "--exit-idle-time=-1",
                          "--use-pid-file=no", "--disallow-module-loading=no", "--log-target=stderr", "-L",
                          "module-null-sink sink_name=vtest rate=44100", "-L",
                          "module-native-protocol-unix auth-anonymous=1 socket=" + socket},
                         "", serverEnv, "", log_);
    auto deadline = Clock::now() + std::chrono::seconds(40);
    while (Clock::now() < deadline) {
        if (FileExists(socket) && RunTool({"pactl", "info"}, nullptr, env_) == 0) {
            ok_ = true;
            return;
        }
        int status = 0;
        if (ExitedYet(server_, &status)) {
            server_.pid = -1;
            return;
        }
        Sleep(50);
    }
}

PrivateSound::~PrivateSound() {
    StopChild(server_);
    if (!serverFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(serverFolder_, ignored);
    }
}

Child PrivateSound::StartRecording(const std::string& file) const {
    return StartChild({"parec", "-d", "vtest.monitor", "--format=s16le", "--channels=1", "--rate=44100",
                       "--raw", "--latency-msec=20"},
                      "", env_, file, "/dev/null");
}

std::vector<int16_t> ReadRecording(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

double RecordingRms(const std::vector<int16_t>& samples, size_t first, size_t last) {
    if (last > samples.size()) last = samples.size();
    if (first >= last) return -1;
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(last - first));
}

std::string WaitForWindow(const std::string& title) {
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        std::string ids;
        if (RunTool({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}, &ids) == 0) {
            std::istringstream lines(ids);
            std::string id;
            if (lines >> id) return id;
        }
        Sleep(50);
    }
    return "";
}

bool QueryWindow(const std::string& id, WindowInfo& info) {
    std::string text;
    if (RunTool({"xwininfo", "-id", id}, &text) != 0) return false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        size_t quote = line.find('"');
        if (line.find("Window id:") != std::string::npos && quote != std::string::npos) {
            info.title = line.substr(quote + 1, line.rfind('"') - quote - 1);
        }
        if (line.find("  Width:") == 0) info.width = std::atoi(line.c_str() + 9);
        if (line.find("  Height:") == 0) info.height = std::atoi(line.c_str() + 10);
    }
    return true;
}

bool FocusWindow(const std::string& id) {
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        std::string focused;
        RunTool({"xdotool", "windowfocus", id});
        if (RunTool({"xdotool", "getwindowfocus"}, &focused) == 0 &&
            std::strtoul(focused.c_str(), nullptr, 10) == std::strtoul(id.c_str(), nullptr, 10)) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

bool RequestWindowClose(const std::string& id) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    Window window = std::strtoul(id.c_str(), nullptr, 10);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0;
}

bool CaptureWindow(const std::string& id, const std::string& file, Picture& picture) {
    WindowInfo info;
    if (!QueryWindow(id, info) || info.width <= 0 || info.height <= 0) return false;
    if (RunTool({"import", "-window", id, "-depth", "8", "rgb:" + file}) != 0) return false;
    std::ifstream in(file, std::ios::binary);
    picture.rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    picture.width = info.width;
    picture.height = info.height;
    return picture.rgb.size() == size_t(info.width) * size_t(info.height) * 3;
}

std::string MakeScratchFolder(const std::string& name) {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return "";
    std::string pattern = std::string(cwd) + "/" + name + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return "";
    return buffer.data();
}

bool FileExists(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0;
}
