#include "app/desktop_draw_backends.h"

#include "render/draw_backend.h"
#include "render/fixed_backend.h"
#include "render/gles2_backend.h"

void RegisterDesktopDrawBackends() {
    RegisterDrawBackend(FIXED_DRAW_BACKEND);
    RegisterDrawBackend(GLES2_DRAW_BACKEND);
}
