#include "classic/textures.h"

#include <iterator>

#include "classic/world.h"
#include "render/textures.h"

namespace classic {

void LoadTextures(const std::string& dataDir) {
    LoadPictures(PICTURES, static_cast<int>(std::size(PICTURES)), dataDir);
}

}  // namespace classic
