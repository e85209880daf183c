#include "base/program_name.h"

namespace {
// Points at a string literal or at argv-lifetime text; never freed.
const char* programName = "vortane";
}  // namespace

void SetProgramName(const char* name) {
    if (name && name[0] != '\0') programName = name;
}

const char* ProgramName() { return programName; }
