#pragma once

// The earlier edition's grid step written the plain way, one node and one force at
// a time, exactly as its rules read. The edition runs StepGrid (classic/grid.h),
// which hands the nodes to the shared kernels; this one stays as the yardstick the
// tests compare it against bit for bit.
namespace classic {

void StepGridReference();

}  // namespace classic
