#pragma once
#include "game/edition.h"

// The vortane game as written: an 800 × 600 window, its rules, its scene and its
// trace; the song is loaded but never started.
extern const Edition currentEdition;
