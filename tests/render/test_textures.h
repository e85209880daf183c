#pragma once
#include <string>

// Writes the 17 pictures start-up loads, small and made up for the tests, into
// `dataDir` (ending with '/'). They only need to be distinct and deterministic:
// glows fall off radially, ships point up, digits are a blocky 3 × 5 font.
void WriteTestTextures(const std::string& dataDir);
