#include "app/gl_entry_points.h"

// libGL and libGLESv2 export every entry point the back-ends call.
void LoadGlEntryPoints() {}
