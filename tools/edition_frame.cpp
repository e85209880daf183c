#include "tools/edition_frame.h"

#include "render/scene.h"
#include "tools/gl_context.h"

bool DrawEditionFrame(const Edition& edition, const std::string& dataDir, std::vector<uint8_t>& rgb,
                      std::string& error) {
    OffscreenGL gl;
    if (!gl.Open(edition.width, edition.height, error)) return false;
    SetUpGameView(edition.width, edition.height);
    cameraPos = Vector3(0, 0, 40);
    edition.loadGraphics(dataDir);
    edition.drawScene();
    rgb = gl.ReadRGB();
    edition.releaseGraphics();
    gl.Close();
    return true;
}
