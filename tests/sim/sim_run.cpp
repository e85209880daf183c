#include "sim_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

SimResult RunSim(const std::string& options, const std::string& workDir) {
    char cwd[4096];
    // CTest runs the cases of one binary side by side in the same folder.
    std::string errPath =
        std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/sim_stderr_" + std::to_string(getpid()) + ".txt";
    std::string command =
        "cd '" + workDir + "' && '" VORTANE_RUN_DIR "/vortane-sim' " + options + " 2>'" + errPath + "'";
    SimResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    int status = pclose(pipe);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    std::remove(errPath.c_str());
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// Top-level values are found by their quoted key; nested arrays are skipped by
// counting brackets, which is enough for the trace's own shape.
std::string Field(const std::string& line, const std::string& key) {
    std::string marker = "\"" + key + "\":";
    size_t start = line.find(marker);
    if (start == std::string::npos) return "";
    start += marker.size();
    size_t end = start;
    int depth = 0;
    for (; end < line.size(); ++end) {
        char c = line[end];
        if (c == '[') depth += 1;
        if (c == ']') depth -= 1;
        if (depth == 0 && (c == ',' || c == '}')) break;
        if (depth < 0) break;
    }
    return line.substr(start, end - start);
}

std::vector<double> Numbers(const std::string& arrayText) {
    std::vector<double> numbers;
    const char* p = arrayText.c_str();
    while (*p) {
        if (*p == '[' || *p == ']' || *p == ',' || *p == ' ') {
            ++p;
            continue;
        }
        char* end = nullptr;
        double value = std::strtod(p, &end);
        if (end == p) break;  // not a number: the caller passed a non-numeric array
        numbers.push_back(value);
        p = end;
    }
    return numbers;
}
