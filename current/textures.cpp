#include "current/textures.h"

#include <iterator>

#include "current/world.h"
#include "render/paused_sign.h"
#include "render/textures.h"

namespace {

// Start-up's load order, then the paused sign; slots 0, 5, 9 and 17 stay empty.
const TextureFile GAME_TEXTURE_FILES[] = {
    {"grid6.tga", &gridTexture},
    {"numbers.tga", &digitTexture},
    {"shot.tga", &spriteTextures[SLOT_SHOT]},
    {"glow.tga", &spriteTextures[SLOT_GLOW]},
    {"shotglow.tga", &spriteTextures[SLOT_SHOTGLOW]},
    {"spark.tga", &spriteTextures[SLOT_SPARK]},
    {"dropping.tga", &spriteTextures[SLOT_DROPPING]},
    {"gameover.tga", &spriteTextures[SLOT_GAMEOVER]},
    {"tail.tga", &spriteTextures[SLOT_TAIL]},
    {"player1.tga", &spriteTextures[SLOT_PLAYER1]},
    {"player2.tga", &spriteTextures[SLOT_PLAYER2]},
    {"player3.tga", &spriteTextures[SLOT_PLAYER3]},
    {"enemy1.tga", &spriteTextures[SLOT_ENEMY1]},
    {"enemy2.tga", &spriteTextures[SLOT_ENEMY2]},
    {"enemy3.tga", &spriteTextures[SLOT_ENEMY3]},
    {"enemy4.tga", &spriteTextures[SLOT_ENEMY4]},
    {"enemyshot.tga", &spriteTextures[SLOT_ENEMYSHOT]},
    {"paused.tga", &spriteTextures[SLOT_PAUSED]},
};

}  // namespace

void LoadGameTextures(const std::string& dataDir) {
    LoadTextureFiles(GAME_TEXTURE_FILES, static_cast<int>(std::size(GAME_TEXTURE_FILES)), dataDir);
}
