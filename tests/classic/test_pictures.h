#pragma once
#include <string>

// Writes the ten pictures the earlier edition loads, small and made up for the
// tests, into `dataDir` (ending with '/'): distinct, deterministic, upright.
void WriteClassicTestPictures(const std::string& dataDir);
