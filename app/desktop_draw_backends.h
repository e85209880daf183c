#pragma once

// The drawing back-ends the desktop offers (render/draw_backend.h), the
// fixed-function one first, the default, then the GLES2 one: registered before
// any back-end is looked up by name or a context is made. Registering them again
// changes nothing.
void RegisterDesktopDrawBackends();
