#pragma once
#include "game/world_trace.h"

// The earlier edition's world as trace fields. The line has the current edition's
// form except: no "steerInput", "controlMode" or "fireCooldown"; integers
// "waveCount" and "fireLatch" after "waveTimer"; entity rows [index, type, texture,
// life, pos xyz, vel xyz, dir xyz, scale, colour rgb]; shockwave rows [index, age,
// pos xyz]; the sparks hash over this edition's 1000 records.
namespace classic {

void WriteWorldState(TraceLine& line);
void WriteWorldDetail(TraceLine& line, const TraceOptions& options);

}  // namespace classic
