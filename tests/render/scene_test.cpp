// DrawScene's frame, read back through the game's own perspective view with every
// sprite slot empty (flat squares in the sprite colours) and no grid.

#include <GL/gl.h>
#include <GL/glu.h>

#include "current/edition.h"
#include "current/scene.h"
#include "current/world.h"
#include "render/scene_parts.h"
#include "render/textures.h"
#include "tests/render/gl_fixture.h"

namespace {

class SceneDrawing : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        ReleaseTextures();
        SetUpWorld(currentEdition, 1);
        savedTriangles_ = gridTriangleCount;
        gridTriangleCount = 0;
        cameraPos = Vector3(0, 0, 40);
        SetUpGameView(FRAME_WIDTH, FRAME_HEIGHT);
    }
    void TearDown() override { gridTriangleCount = savedTriangles_; }

    // Colour of the frame where the world point (x, y, 0) lands, after DrawScene.
    std::array<int, 3> Seen(double x, double y) const {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(x, y, 0, model, projection, viewport, &wx, &wy, &wz);
        return PixelAtWindow(int(wx), int(wy));
    }

    static bool Black(const std::array<int, 3>& c) { return c[0] == 0 && c[1] == 0 && c[2] == 0; }

private:
    int32_t savedTriangles_ = 0;
};

TEST_F(SceneDrawing, PlayerBlinksByTheLastDigitOfTheRespawnTimer) {
    lives = 0;
    for (int32_t timer : {0, 1, 4, 5, 9, 10, 14, 15, 250, 255, 299, 300}) {
        respawnTimer = timer;
        DrawScene();
        bool shown = timer % 10 < 5;
        EXPECT_EQ(!Black(Seen(0, 0)), shown) << "respawnTimer " << timer;
    }
}

TEST_F(SceneDrawing, PlayerGlowSitsBehindTheShipOnlyInModeTwo) {
    // The ship heads up; its flat glow square has half-size 2.
    for (int32_t mode : {0, 1, 2}) {
        controlMode = mode;
        DrawScene();
        bool behind = mode == 2;
        EXPECT_EQ(!Black(Seen(0, -2.1)), behind) << "mode " << mode;
        EXPECT_EQ(!Black(Seen(0, 1.9)), !behind) << "mode " << mode;
    }
}

TEST_F(SceneDrawing, GameOverSignOnlyWhenLivesBelowZero) {
    playerPos = Vector3(15, -12, 0);
    lives = 0;
    DrawScene();
    EXPECT_TRUE(Black(Seen(0, 0)));
    EXPECT_FALSE(Black(Seen(15, -12))) << "with lives 0 the player is drawn";

    lives = -1;
    DrawScene();
    // The sign (1.0, 0.2, 0.6) over its glow (0.5, 0.1, 0.3), added and clamped.
    EXPECT_TRUE(ColourNear(Seen(0, 0), ByteColour(1.5, 0.3, 0.9)));
    EXPECT_TRUE(ColourNear(Seen(8, 0), ByteColour(0.5, 0.1, 0.3))) << "the glow reaches 10 units";
    EXPECT_TRUE(Black(Seen(15, -12))) << "no player after the game is lost";
}

TEST_F(SceneDrawing, OneIconPerSpareLife) {
    auto iconsAt = [this](int32_t spare) {
        lives = spare;
        DrawScene();
        std::array<std::array<int, 3>, 3> icons{};
        for (int i = 0; i < 3; ++i) icons[i] = Seen(i - 20.4, 14);
        return icons;
    };
    auto none = iconsAt(0);  // the score's glows lie here too; icons add to them
    auto two = iconsAt(2);
    EXPECT_NE(two[0], none[0]);
    EXPECT_NE(two[1], none[1]);
    EXPECT_EQ(two[2], none[2]);
}

TEST_F(SceneDrawing, LeavesBlendingOffAndTexturingOn) {
    DrawScene();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_TRUE(depthMask);
}

TEST_F(SceneDrawing, ShockwaveShowsOnlyInTheFirstHalfOfItsRemainingLife) {
    lives = 0;
    playerPos = Vector3(15, -12, 0);
    shockwaves[3].startAge = 50;
    shockwaves[3].pos = Vector3(-6, -4, 0);
    for (int32_t age : {51, 60, 74, 75, 90}) {
        shockwaves[3].age = age;
        DrawScene();
        // Half-size (age - 50) × 0.5 reaches 0.5 units beside the centre from age 51.
        EXPECT_EQ(!Black(Seen(-6.3, -4)), age < 75) << "age " << age;
    }
}

}  // namespace
