#pragma once
#include <cstdint>

#include "game/controls.h"
#include "tools/trace_writer.h"

// What vortane-sim needs of one edition of the rules. Each edition provides one
// of these; adding an edition is one more entry in the simulator's table.
struct SimOptions {
    bool grid = false;    // --grid: every node's position and velocity
    bool sparks = false;  // --sparks: every live spark
};

struct SimEdition {
    const char* name;
    // Start-up's world set-up with the generator seeded to `seed`.
    void (*setUp)(uint32_t seed);
    // One world step; false after Escape.
    bool (*step)(Controls& input);
    // Routes the edition's sound-effect triggers to `observer` (nullptr: none).
    void (*observeSounds)(void (*observer)(int slot, int note, int voice));
    // The world's fields after a step, from "playerPos" to "grid".
    void (*writeState)(TraceLine& line);
    // The optional detail lists chosen by the options.
    void (*writeDetail)(TraceLine& line, const SimOptions& options);
};

extern const SimEdition currentSimEdition;
