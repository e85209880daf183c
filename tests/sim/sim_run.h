#pragma once
#include <string>
#include <vector>

// Runs the vortane-sim binary of the run folder with `options` (already quoted
// for the shell) from the folder `workDir`, capturing its output.
struct SimResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};
SimResult RunSim(const std::string& options, const std::string& workDir = ".");

// The trace split into its lines (newline removed).
std::vector<std::string> Lines(const std::string& text);

// The text of one top-level value of a trace line, e.g. Field(line, "lives") -> "2".
std::string Field(const std::string& line, const std::string& key);

// Every number inside a JSON array text, in order (brackets and commas skipped).
std::vector<double> Numbers(const std::string& arrayText);
