#include "tests/sim/sim_run.h"

#include <cstdlib>

SimResult RunSim(const std::string& options, const std::string& workDir) {
    return RunShell("'" VORTANE_RUN_DIR "/vortane-sim' " + options, workDir);
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
