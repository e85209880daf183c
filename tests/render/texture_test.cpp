// Texture objects in a live GL context: start-up's loading order, the flags, the
// mipmap chain, the packing of odd rows and the release at shutdown.

#include <GL/gl.h>
#include <GL/glext.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/program_name.h"
#include "current/textures.h"
#include "current/world.h"
#include "render/textures.h"
#include "tests/render/gl_fixture.h"
#include "tests/render/targa_files.h"

namespace {

class TextureObjects : public GLTest {
protected:
    void TearDown() override { ReleaseTextures(); }

    static GLint Parameter(GLenum name) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }
    static GLint LevelWidth(int level) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &value);
        return value;
    }
    // A one-row 24-bit file `width` pixels wide.
    static std::string WriteStrip(const std::string& path, int width) {
        WriteRgbTarga(path, width, 1, std::vector<uint8_t>(size_t(width) * 3, 90));
        return path;
    }
};

const char* const GAME_FILES[17] = {
    "grid6.tga",    "numbers.tga",  "shot.tga",   "glow.tga",    "shotglow.tga",  "spark.tga",
    "dropping.tga", "gameover.tga", "tail.tga",   "player1.tga", "player2.tga",   "player3.tga",
    "enemy1.tga",   "enemy2.tga",   "enemy3.tga", "enemy4.tga",  "enemyshot.tga",
};

TEST_F(TextureObjects, StartUpFillsEachObjectFromItsFile) {
    // File k is k + 1 pixels wide, so each object's width names the file it got.
    std::string dir = "data/";
    mkdir(dir.c_str(), 0755);
    for (int k = 0; k < 17; ++k) WriteStrip(dir + GAME_FILES[k], k + 1);
    LoadGameTextures(dir);

    EXPECT_EQ(gridTexture.Width(), 1);
    EXPECT_EQ(digitTexture.Width(), 2);
    const int slots[15] = {SLOT_SHOT,     SLOT_GLOW,   SLOT_SHOTGLOW, SLOT_SPARK,   SLOT_DROPPING,
                           SLOT_GAMEOVER, SLOT_TAIL,   SLOT_PLAYER1,  SLOT_PLAYER2, SLOT_PLAYER3,
                           SLOT_ENEMY1,   SLOT_ENEMY2, SLOT_ENEMY3,   SLOT_ENEMY4,  SLOT_ENEMYSHOT};
    std::vector<GLuint> names = {gridTexture.Id(), digitTexture.Id()};
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(spriteTextures[slots[k]].Width(), k + 3) << GAME_FILES[k + 2];
        names.push_back(spriteTextures[slots[k]].Id());
        glBindTexture(GL_TEXTURE_2D, spriteTextures[slots[k]].Id());
        EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR) << GAME_FILES[k + 2];
    }
    for (int empty : {0, 5, 9, 17, 19}) EXPECT_EQ(spriteTextures[empty].Id(), 0u) << empty;
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(glIsTexture(names[i])) << i;
        for (size_t j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
    }

    ReleaseTextures();
    EXPECT_EQ(gridTexture.Id(), 0u);
    EXPECT_EQ(spriteTextures[SLOT_ENEMYSHOT].Id(), 0u);
    for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << name;
}

TEST_F(TextureObjects, MissingFilesLeaveTheirSlotsEmpty) {
    std::string dir = "partial/";
    mkdir(dir.c_str(), 0755);
    WriteStrip(dir + "glow.tga", 4);
    LoadGameTextures(dir);
    EXPECT_EQ(gridTexture.Id(), 0u);
    EXPECT_EQ(spriteTextures[SLOT_SHOT].Id(), 0u);
    EXPECT_NE(spriteTextures[SLOT_GLOW].Id(), 0u);
    EXPECT_EQ(spriteTextures[SLOT_GLOW].Width(), 4);
}

TEST_F(TextureObjects, FlagsChooseFilterAndWrapLaterOnesWinning) {
    struct Case {
        uint32_t flags;
        GLint min, mag, wrap;
    };
    const Case cases[] = {
        {0, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_REPEAT},
        {TEX_LINEAR, GL_LINEAR, GL_LINEAR, GL_REPEAT},
        {TEX_NEAREST, GL_NEAREST, GL_NEAREST, GL_REPEAT},
        {TEX_NEAREST | TEX_LINEAR, GL_NEAREST, GL_NEAREST, GL_REPEAT},
        {TEX_CLAMP, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE},
        {TEX_LINEAR | TEX_CLAMP | TEX_ANISOTROPIC, GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE},
    };
    std::string path = WriteStrip("strip.tga", 4);
    for (const Case& c : cases) {
        Texture texture;
        ASSERT_TRUE(texture.Load(path, c.flags));
        glBindTexture(GL_TEXTURE_2D, texture.Id());
        EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), c.min) << "flags " << c.flags;
        EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), c.mag) << "flags " << c.flags;
        EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_S), c.wrap) << "flags " << c.flags;
        EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_T), c.wrap) << "flags " << c.flags;
        texture.Release();
    }
}

TEST_F(TextureObjects, AnisotropicAsksForUpToEight) {
    GLfloat maximum = 1;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
    float expected = maximum < 4 ? 1.0f : (maximum < 8 ? maximum : 8.0f);
    Texture texture;
    ASSERT_TRUE(texture.Load(WriteStrip("strip.tga", 4), TEX_ANISOTROPIC));
    glBindTexture(GL_TEXTURE_2D, texture.Id());
    GLfloat level = 0;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &level);
    EXPECT_EQ(level, expected) << "driver maximum " << maximum;
    texture.Release();
}

TEST_F(TextureObjects, BuildsTheWholeMipmapChain) {
    Texture texture;
    ASSERT_TRUE(texture.Load(WriteStrip("strip.tga", 8), TEX_LINEAR));
    glBindTexture(GL_TEXTURE_2D, texture.Id());
    EXPECT_EQ(LevelWidth(0), 8);
    EXPECT_EQ(LevelWidth(1), 4);
    EXPECT_EQ(LevelWidth(3), 1);
    texture.Release();
}

TEST_F(TextureObjects, ReadsRowsOfThreeBytePixelsWithoutPadding) {
    // One pixel per row: rows are 3 bytes, not a multiple of GL's default 4.
    std::string path = "column.tga";
    WriteRgbTarga(path, 1, 2, {0, 255, 0, 255, 0, 0});  // top green, bottom red
    Texture texture;
    ASSERT_TRUE(texture.Load(path, TEX_NEAREST));
    glBindTexture(GL_TEXTURE_2D, texture.Id());
    uint8_t texels[2][4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    EXPECT_EQ(texels[0][0], 255);  // row 0, the bottom of the picture: red
    EXPECT_EQ(texels[0][1], 0);
    EXPECT_EQ(texels[1][0], 0);  // row 1: green
    EXPECT_EQ(texels[1][1], 255);
    texture.Release();
}

TEST_F(TextureObjects, EightBitPictureLoadsWithoutAnImage) {
    std::string path = "grey.tga";
    TargaLayout layout;
    layout.width = 4;
    layout.height = 4;
    layout.depth = 8;
    layout.filePixels.assign(16, 77);
    WriteBytes(path, MakeTarga(layout));
    Texture texture;
    ASSERT_TRUE(texture.Load(path, TEX_LINEAR));
    EXPECT_NE(texture.Id(), 0u);
    EXPECT_EQ(texture.BytesPerPixel(), 1);
    glBindTexture(GL_TEXTURE_2D, texture.Id());
    EXPECT_EQ(LevelWidth(0), 0);
    texture.Release();
}

TEST_F(TextureObjects, ReloadingAnObjectFreesItsOldName) {
    std::string path = WriteStrip("strip.tga", 2);
    Texture texture;
    ASSERT_TRUE(texture.Load(path, TEX_LINEAR));
    GLuint first = texture.Id();
    ASSERT_TRUE(texture.Load(path, TEX_LINEAR));
    EXPECT_FALSE(glIsTexture(first) && first != texture.Id());
    texture.Release();
    EXPECT_EQ(texture.Id(), 0u);
}

TEST_F(TextureObjects, RefusedFileLeavesTheObjectEmpty) {
    Texture texture;
    EXPECT_FALSE(texture.Load(std::string(VORTANE_SOURCE_DIR) + "/tests/bad/depth_16_bits.tga", TEX_LINEAR));
    EXPECT_EQ(texture.Id(), 0u);
    EXPECT_EQ(texture.Width(), 0);
}

TEST_F(TextureObjects, RefusedFileIsReportedInOneLineWithItsNameAndReason) {
    const std::string path = std::string(VORTANE_SOURCE_DIR) + "/tests/bad/depth_16_bits.tga";
    Texture texture;
    testing::internal::CaptureStderr();
    texture.Load(path, TEX_LINEAR);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vortane: " + path + ": pixel depth is not 8, 24 or 32 bits; file refused\n");
}

TEST_F(TextureObjects, RefusedFileIsReportedUnderTheNameOfTheProgramThatLoadsIt) {
    const std::string path = std::string(VORTANE_SOURCE_DIR) + "/tests/bad/depth_16_bits.tga";
    Texture texture;
    SetProgramName("vortane-classic");
    testing::internal::CaptureStderr();
    texture.Load(path, TEX_LINEAR);
    std::string message = testing::internal::GetCapturedStderr();
    SetProgramName("vortane");
    EXPECT_EQ(message, "vortane-classic: " + path + ": pixel depth is not 8, 24 or 32 bits; file refused\n");
}

TEST_F(TextureObjects, APipeInAPicturesPlaceIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo("picture.tga", 0600), 0);
    Texture texture;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(texture.Load("picture.tga", TEX_LINEAR));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vortane: picture.tga: is not a regular file (a pipe, device or socket); file refused\n");
    EXPECT_EQ(texture.Id(), 0u);
}

TEST_F(TextureObjects, MissingFileIsSilent) {
    Texture texture;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(texture.Load("no-such-picture.tga", TEX_LINEAR));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
