#include "classic/edition.h"

#include "classic/scene.h"
#include "classic/textures.h"
#include "classic/update.h"
#include "classic/world.h"
#include "classic/world_trace.h"
#include "render/textures.h"

namespace classic {

const Edition edition = {
    /* name */ "classic",
    /* title */ "vortane",
    /* width */ 1024,
    /* height */ 768,
    /* bits */ 32,
    /* fullscreen */ true,
    /* windowComfort */ false,
    /* worldFields */ ListWorldFields,
    /* resetWorld */ ResetWorld,
    /* startWorld */ NewGame,
    /* updateWorld */ UpdateWorld,
    /* score */ [] { return score; },
    /* loadGraphics */ LoadTextures,
    /* drawScene */ DrawScene,
    /* releaseGraphics */ ReleaseTextures,
    /* playsSong */ true,
    /* writeState */ WriteWorldState,
    /* writeDetail */ WriteWorldDetail,
    /* lives */ [] { return lives; },
};

}  // namespace classic
