#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/edition.h"

// One frame of an edition as the game would show it, for vortane-shot and the
// frame tests: an off-screen GL context of the edition's window size with the
// game's view, its textures loaded from `dataDir` (ending with '/'), one DrawScene
// of the world as it stands, read back as RGB bytes (top row first) into `rgb`;
// then the textures are released and the context closed. False, with `error` set,
// when no context could be made.
bool DrawEditionFrame(const Edition& edition, const std::string& dataDir, std::vector<uint8_t>& rgb,
                      std::string& error);

// The same frame drawn into a drawable of width × height pixels, as a window or
// screen of that size shows it: the 4:3 picture whole and centred between black bars.
bool DrawEditionFrameAt(const Edition& edition, const std::string& dataDir, int width, int height,
                        std::vector<uint8_t>& rgb, std::string& error);
