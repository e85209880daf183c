#pragma once
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/programs.h"

// Runs the vortane-sim binary of the run folder with `options` (already quoted
// for the shell) from the folder `workDir`, capturing its output.
using SimResult = ShellResult;
SimResult RunSim(const std::string& options, const std::string& workDir = ".");

// The text of one top-level value of a trace line, e.g. Field(line, "lives") -> "2";
// an array's text comes with its brackets.
std::string Field(const std::string& line, const std::string& key);

// Every number inside a JSON array text, in order (brackets and commas skipped).
std::vector<double> Numbers(const std::string& arrayText);
