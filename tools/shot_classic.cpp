#include "tools/shot_classic.h"

#include "classic/scene.h"
#include "render/scene.h"
#include "render/textures.h"
#include "tools/gl_context.h"

namespace classic {

bool DrawFrame(const std::string& dataDir, std::vector<uint8_t>& rgb, std::string& error) {
    OffscreenGL gl;
    if (!gl.Open(FRAME_WIDTH, FRAME_HEIGHT, error)) return false;
    SetUpGameView(FRAME_WIDTH, FRAME_HEIGHT);
    cameraPos = Vector3(0, 0, 40);
    LoadTextures(dataDir);
    DrawScene();
    rgb = gl.ReadRGB();
    ReleaseTextures();
    gl.Close();
    return true;
}

}  // namespace classic
