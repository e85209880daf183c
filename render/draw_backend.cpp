#include "render/draw_backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The back-ends the host registered, in its order; more than a host has.
constexpr int MAX_DRAW_BACKENDS = 4;
const DrawBackend* registered[MAX_DRAW_BACKENDS] = {};
int registeredCount = 0;
const DrawBackend* activeBackend = nullptr;

}  // namespace

void RegisterDrawBackend(const DrawBackend& backend) {
    for (int i = 0; i < registeredCount; ++i) {
        if (registered[i] == &backend) return;
    }
    if (registeredCount == MAX_DRAW_BACKENDS) {
        std::fprintf(stderr, "vortane: more than %d drawing back-ends registered\n", MAX_DRAW_BACKENDS);
        std::abort();
    }
    registered[registeredCount++] = &backend;
    if (!activeBackend) activeBackend = &backend;
}

const DrawBackend& ActiveDrawBackend() {
    // A host that draws registers its back-ends first: nothing to fall back on.
    if (!activeBackend) {
        std::fprintf(stderr, "vortane: drawing before the host registered a drawing back-end\n");
        std::abort();
    }
    return *activeBackend;
}

void SelectDrawBackend(const DrawBackend& backend) {
    RegisterDrawBackend(backend);
    activeBackend = &backend;
}

const DrawBackend* FindDrawBackend(const char* name) {
    for (int i = 0; i < registeredCount; ++i) {
        if (std::strcmp(registered[i]->name, name) == 0) return registered[i];
    }
    return nullptr;
}
