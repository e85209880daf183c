#pragma once
#include <string>

// Start-up's 17 loads, in their fixed order, then the paused sign's (the
// manifest's CURRENT_PICTURES); each with
// TEX_LINEAR. `dataDir` ends with '/'. A file that fails leaves its slot empty
// (reported as Load says).
void LoadGameTextures(const std::string& dataDir);
