#include "tests/support/sound_server.h"

#include <sys/stat.h>

#include <csignal>
#include <cstdio>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/files.h"

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
    socket_ = socket;
    ok_ = StartServer();
}

bool PrivateSound::StartServer() {
    // -n: no default script, only the two modules. --system=no and no exit on idle:
    // runs the same as root (CI) and as a user. Without DISPLAY and a session bus
    // it does not try to start D-Bus through the X server, which can take seconds.
    std::vector<std::string> serverEnv = env_;
    serverEnv.push_back("DISPLAY");
    serverEnv.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
    server_ = StartChild({"pulseaudio", "-n", "--daemonize=no", "--system=no", "--exit-idle-time=-1",
                          "--use-pid-file=no", "--disallow-module-loading=no", "--log-target=stderr", "-L",
                          "module-null-sink sink_name=vtest rate=44100", "-L",
                          "module-native-protocol-unix auth-anonymous=1 socket=" + socket_},
                         "", serverEnv, "", log_);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    while (std::chrono::steady_clock::now() < deadline) {
        if (FileExists(socket_) && RunTool({"pactl", "info"}, nullptr, env_) == 0) return true;
        if (ChildEnded(server_, nullptr)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void PrivateSound::Kill() {
    if (server_.pid > 0) kill(server_.pid, SIGKILL);
    WaitChild(server_, 5000);
    // A killed server leaves its socket behind; the next one binds afresh.
    std::remove(socket_.c_str());
    ok_ = false;
}

bool PrivateSound::Restart() {
    ok_ = StartServer();
    return ok_;
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
    std::vector<uint8_t> bytes = ReadBytes(file);
    std::vector<int16_t> samples(bytes.size() / 2);
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

double RecordingRms(const std::vector<int16_t>& samples, size_t first, size_t last) {
    if (last > samples.size()) last = samples.size();
    if (first >= last) return -1;
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(last - first));
}
