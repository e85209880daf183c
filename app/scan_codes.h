#pragma once
#include <SDL2/SDL_scancode.h>

// The key-state slot (PC set 1 scan code, extended keys with 0x80 added) of an SDL
// scancode, or -1 for a key that has no set-1 code. Several SDL keys may share a
// slot where one physical position has two USB names (backslash and the ISO hash
// key, the two mute keys).
int ScanCodeSlot(SDL_Scancode code);
