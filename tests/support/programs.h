#pragma once
// Other programs started from a test: the games and tools of the run folder,
// servers (Xvfb, PulseAudio) and desktop tools (xdotool, import, parec).
#include <sys/types.h>

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
// Whether the child has ended; reaps it and stores its status when it has.
bool ChildEnded(Child& child, int* status);

// Runs a program to its end (at most 20 s) and returns its exit status; its
// standard output goes to `output` when given.
int RunTool(const std::vector<std::string>& argv, std::string* output = nullptr,
            const std::vector<std::string>& environment = {});

// Runs a shell command line from `workDir` (relative to the working directory)
// with its standard output and error captured; status is the exit status, -1 when
// it did not exit normally. Redirections in the command win over the capture.
struct ShellResult {
    int status = -1;
    std::string out;
    std::string err;
};
ShellResult RunShell(const std::string& command, const std::string& workDir = ".");
