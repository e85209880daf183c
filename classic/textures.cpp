#include "classic/textures.h"

#include <iterator>

#include "classic/world.h"
#include "render/paused_sign.h"
#include "render/textures.h"

namespace classic {

namespace {

const TextureFile TEXTURE_FILES[] = {
    {"grid.tga", &gridTexture},
    {"numbers.tga", &digitTexture},
    {"player.tga", &spriteTextures[SLOT_PLAYER]},
    {"shot.tga", &spriteTextures[SLOT_SHOT]},
    {"glow.tga", &spriteTextures[SLOT_GLOW]},
    {"shotglow.tga", &spriteTextures[SLOT_SHOTGLOW]},
    {"spark.tga", &spriteTextures[SLOT_SPARK]},
    {"enemy1.tga", &spriteTextures[SLOT_ENEMY]},
    {"dropping.tga", &spriteTextures[SLOT_DROPPING]},
    {"gameover.tga", &spriteTextures[SLOT_GAMEOVER]},
    {"paused.tga", &spriteTextures[SLOT_PAUSED]},
};

}  // namespace

void LoadTextures(const std::string& dataDir) {
    LoadTextureFiles(TEXTURE_FILES, static_cast<int>(std::size(TEXTURE_FILES)), dataDir);
}

}  // namespace classic
