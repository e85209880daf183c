#pragma once
#include "game/world_trace.h"

// The current edition's world as trace fields: "playerPos" to "grid" after each
// step, then the detail lists the options ask for.

// This edition's fields after a step, from "playerPos" to "grid".
void WriteWorldState(TraceLine& line);

// This edition's detail lists.
void WriteWorldDetail(TraceLine& line, const TraceOptions& options);
