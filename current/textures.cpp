#include "current/textures.h"

#include <iterator>

#include "assets/current_pictures.h"
#include "render/textures.h"

void LoadGameTextures(const std::string& dataDir) {
    LoadPictures(CURRENT_PICTURES, static_cast<int>(std::size(CURRENT_PICTURES)), dataDir);
}
