#include "tests/support/programs.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "tests/support/files.h"

namespace {
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

bool ChildEnded(Child& child, int* status) {
    if (child.pid <= 0) return true;
    int raw = 0;
    if (waitpid(child.pid, &raw, WNOHANG) != child.pid) return false;
    child.pid = -1;
    if (status) *status = Decode(raw);
    return true;
}

int WaitChild(Child& child, int milliseconds) {
    if (child.pid <= 0) return -1;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    int status = 0;
    while (!ChildEnded(child, &status)) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child.pid, SIGKILL);
            waitpid(child.pid, nullptr, 0);
            child.pid = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status;
}

void StopChild(Child& child) {
    if (child.pid <= 0) return;
    kill(child.pid, SIGTERM);
    WaitChild(child, 5000);
}

int RunTool(const std::vector<std::string>& argv, std::string* output,
            const std::vector<std::string>& environment) {
    char name[] = "/tmp/vortane-test-tool-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return -1;
    close(fd);
    Child child = StartChild(argv, "", environment, name, "/dev/null");
    int status = WaitChild(child, 20000);
    if (output) *output = ReadFile(name);
    unlink(name);
    return status;
}

ShellResult RunShell(const std::string& command, const std::string& workDir) {
    // The capture files sit in the working directory, the case's own folder.
    std::string base = std::filesystem::current_path().string() + "/shell-capture";
    std::string outPath = base + ".out", errPath = base + ".err";
    std::string line = "cd '" + workDir + "' && { " + command + " ; } >'" + outPath + "' 2>'" + errPath + "'";
    int status = std::system(line.c_str());
    ShellResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}
