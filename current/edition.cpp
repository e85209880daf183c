#include "current/edition.h"

#include "current/scene.h"
#include "current/textures.h"
#include "current/update.h"
#include "current/world.h"
#include "current/world_trace.h"
#include "render/textures.h"

namespace {
void StartWorld() {
    NewGame();
    SetPlayerDefaults();
}
}  // namespace

const Edition currentEdition = {
    /* name */ "current",
    /* title */ "vortane",
    /* width */ 800,
    /* height */ 600,
    /* bits */ 32,
    /* fullscreen */ false,
    /* windowComfort */ true,
    /* worldFields */ ListWorldFields,
    /* resetWorld */ ResetWorld,
    /* startWorld */ StartWorld,
    /* updateWorld */ UpdateWorld,
    /* score */ [] { return score; },
    /* loadGraphics */ LoadGameTextures,
    /* drawScene */ DrawScene,
    /* releaseGraphics */ ReleaseTextures,
    /* playsSong */ false,
    /* writeState */ WriteWorldState,
    /* writeDetail */ WriteWorldDetail,
    /* lives */ [] { return lives; },
    /* controlMode */ [] { return controlMode; },
};
