#pragma once

// The name every message of this process starts with ("vortane-classic: ..."), so a
// loader shared by several programs names the one that printed. Each program's main
// sets it (ParseCommandLine does) before anything can print; until then it reads
// "vortane". Set on the main thread before other threads start; read anywhere.
void SetProgramName(const char* name);
const char* ProgramName();
