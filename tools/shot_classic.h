#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The earlier edition's frame for vortane-shot and the tests: one DrawScene of the
// world as it stands, at the edition's full-screen size.
namespace classic {

constexpr int FRAME_WIDTH = 1024;
constexpr int FRAME_HEIGHT = 768;

// Opens an off-screen GL context of FRAME_WIDTH × FRAME_HEIGHT with the game's view,
// loads the ten textures from `dataDir` (ending with '/'), draws the frame, reads it
// back as RGB bytes (top row first) into `rgb`, releases the textures and closes
// the context. False, with `error` set, when no context could be made.
bool DrawFrame(const std::string& dataDir, std::vector<uint8_t>& rgb, std::string& error);

}  // namespace classic
