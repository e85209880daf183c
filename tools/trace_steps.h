#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "game/controls.h"
#include "game/edition.h"
#include "game/world_trace.h"

// The trace vortane-sim prints, one JSON line per traced step: `edition` set up
// from `seed` and stepped under `controls` for `steps` steps or until Escape;
// every `every`-th step and the last go to `emit` as they happen. The lines carry
// the step, whether the world runs on, the edition's fields, the sounds the step
// played, the generator's state and the detail lists `options` asks for.
void TraceSteps(const Edition& edition, uint32_t seed, uint64_t steps, uint64_t every,
                const TraceOptions& options, Controls& controls,
                const std::function<void(const std::string& line)>& emit);
