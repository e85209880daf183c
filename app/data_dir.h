#pragma once
#include <string>

// The folder the data files are read from, ending in '/': "data/" when the working
// directory has one, otherwise the data/ folder next to the executable (so the game
// also starts from elsewhere), and "data/" again when neither exists. log.txt stays
// in the working directory either way.
std::string DataDir();

// The same search for an executable at the given path.
std::string FindDataDir(const std::string& executablePath);
