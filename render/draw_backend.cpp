#include "render/draw_backend.h"

#include <cstring>

#include "render/gles2_backend.h"
#ifndef __EMSCRIPTEN__
#include "render/fixed_backend.h"
#endif

namespace {

// The browser has no fixed function; the desktop keeps it as the default.
#ifdef __EMSCRIPTEN__
const DrawBackend* activeBackend = &GLES2_DRAW_BACKEND;
const DrawBackend* const BACKENDS[] = {&GLES2_DRAW_BACKEND};
#else
const DrawBackend* activeBackend = &FIXED_DRAW_BACKEND;
const DrawBackend* const BACKENDS[] = {&FIXED_DRAW_BACKEND, &GLES2_DRAW_BACKEND};
#endif

}  // namespace

const DrawBackend& ActiveDrawBackend() { return *activeBackend; }

void SelectDrawBackend(const DrawBackend& backend) { activeBackend = &backend; }

const DrawBackend* FindDrawBackend(const char* name) {
    for (const DrawBackend* backend : BACKENDS) {
        if (std::strcmp(backend->name, name) == 0) return backend;
    }
    return nullptr;
}
