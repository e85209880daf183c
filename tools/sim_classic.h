#pragma once
#include "tools/sim_edition.h"

// The earlier edition for vortane-sim: its set-up, step, sound observer and trace
// fields. The trace line has the current edition's form except: no "steerInput",
// "controlMode" or "fireCooldown"; integers "waveCount" and "fireLatch" after
// "waveTimer"; entity rows [index, type, texture, life, pos xyz, vel xyz, dir xyz,
// scale, colour rgb]; shockwave rows [index, age, pos xyz]; the sparks hash over
// this edition's 1000 records. Uses the simulator's TraceLine and Fnv1a
// (tools/trace_writer.cpp, linked by the simulator).
extern const SimEdition classicSimEdition;
