#pragma once
#include "game/edition.h"

namespace classic {

// The earlier edition: "vortane" at 1024 × 768 × 32 full screen at 75 Hz (a plain
// window when the display refuses that mode), its own rules, scene and trace, and
// the song started at start-up.
extern const Edition edition;

}  // namespace classic
