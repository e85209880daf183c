#pragma once

// The key-state slot (PC set 1 scan code, extended keys with 0x80 added) of a
// browser key event's `code`, the name of the physical key, or -1 for a key that
// has no set-1 code. The same slots the desktop's keyboard fills.
int DomCodeSlot(const char* code);
