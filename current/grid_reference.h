#pragma once

// The grid step written the plain way, one node and one force at a time, exactly as
// the rules read. The game runs StepGrid; this one stays as the yardstick that the
// tests compare StepGrid against bit for bit and the benchmarks time it against.
void StepGridReference();
