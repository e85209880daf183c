#pragma once
#include <string>

namespace classic {

// The ten loads of start-up, in their fixed order, each with TEX_LINEAR, into
// gridTexture, digitTexture and sprite slots 0..7. `dataDir` ends with '/'. A file
// that fails leaves its slot empty (refused ones reported as Texture::Load says).
// Slots 8..19 stay empty.
// Main thread, GL context current.
void LoadTextures(const std::string& dataDir);

}  // namespace classic
