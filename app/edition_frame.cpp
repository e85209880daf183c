#include "app/edition_frame.h"

#include "app/offscreen_gl.h"
#include "render/scene_parts.h"

bool DrawEditionFrame(const Edition& edition, const std::string& dataDir, std::vector<uint8_t>& rgb,
                      std::string& error) {
    return DrawEditionFrameAt(edition, dataDir, edition.width, edition.height, rgb, error);
}

bool DrawEditionFrameAt(const Edition& edition, const std::string& dataDir, int width, int height,
                        std::vector<uint8_t>& rgb, std::string& error) {
    OffscreenGL gl;
    if (!gl.Open(width, height, error)) return false;
    SetUpGameView(width, height);
    cameraPos = Vector3(0, 0, 40);
    edition.loadGraphics(dataDir);
    edition.drawScene();
    rgb = gl.ReadRGB();
    edition.releaseGraphics();
    gl.Close();
    return true;
}
