// The two draw back-ends side by side: the view they place vertices with, and whole
// frames of a busy world drawn through each, with the GLES2 one's batching varied.

#include "render/draw_backend.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/offscreen_gl.h"
#include "current/edition.h"
#include "current/scene.h"
#include "current/textures.h"
#include "current/world.h"
#include "game/edition.h"
#include "game/grid.h"
#include "render/fixed_backend.h"
#include "render/gles2_backend.h"
#include "render/scene_parts.h"
#include "render/textures.h"
#include "render/view_matrix.h"
#include "tests/render/gl_fixture.h"
#include "tests/render/targa_files.h"
#include "tests/render/test_textures.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;

class ViewMatrix : public GLTest {};

TEST_F(ViewMatrix, PerspectiveIsGluPerspectiveToTheBit) {
    for (float aspect : {800.0f / 600.0f, 1024.0f / 768.0f, 1.0f, 5.0f, 0.25f}) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, aspect, 0.2f, 2500.0);
        float glu[16], ours[16];
        glGetFloatv(GL_PROJECTION_MATRIX, glu);
        glMatrixMode(GL_MODELVIEW);
        PerspectiveMatrix(45.0, aspect, 0.2f, 2500.0, ours);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(ours[i], glu[i]) << "element " << i << ", aspect " << aspect;
    }
}

TEST(ViewMatrixProduct, MultipliesColumnMajorMatrices) {
    float translate[16], projection[16], product[16];
    TranslationMatrix(1, 2, -40, translate);
    PerspectiveMatrix(45.0, 1.0, 0.2f, 2500.0, projection);
    MultiplyMatrices(projection, translate, product);
    // The camera's translation moves the origin to (1, 2, -40) before projecting it.
    const float origin[4] = {1, 2, -40, 1};
    for (int row = 0; row < 4; ++row) {
        float expected = 0;
        for (int k = 0; k < 4; ++k) expected += projection[k * 4 + row] * origin[k];
        EXPECT_FLOAT_EQ(product[12 + row], expected) << "row " << row;
    }
}

// The GLES2 back-end's viewport reaches half a window past each edge when it can, so
// geometry crossing the edges is not clipped; the picture is scaled to match.
TEST(WideViewport, DoublesEvenWindowsThatFitTheDeviceAndKeepsTheRest) {
    struct Case {
        int width, height, maxWidth, maxHeight;
        WideViewport expected;
    };
    const Case cases[] = {
        {800, 600, 16384, 16384, {-400, -300, 1600, 1200, 0.5f}},
        {1024, 768, 2048, 1536, {-512, -384, 2048, 1536, 0.5f}},
        {1024, 768, 2047, 4096, {0, 0, 1024, 768, 1.0f}},  // twice the width does not fit
        {1024, 768, 4096, 1535, {0, 0, 1024, 768, 1.0f}},
        {801, 600, 16384, 16384, {0, 0, 801, 600, 1.0f}},  // half a side is not a whole pixel
        {800, 601, 16384, 16384, {0, 0, 800, 601, 1.0f}},
        {0, 600, 16384, 16384, {0, 0, 0, 600, 1.0f}},
    };
    for (const Case& c : cases) {
        WideViewport got = ChooseWideViewport(c.width, c.height, c.maxWidth, c.maxHeight);
        EXPECT_EQ(got.x, c.expected.x) << c.width << " x " << c.height;
        EXPECT_EQ(got.y, c.expected.y) << c.width << " x " << c.height;
        EXPECT_EQ(got.width, c.expected.width) << c.width << " x " << c.height;
        EXPECT_EQ(got.height, c.expected.height) << c.width << " x " << c.height;
        EXPECT_EQ(got.clipScale, c.expected.clipScale) << c.width << " x " << c.height;
    }
}

TEST(WideViewport, HalvedClipXYPutsEveryVertexOnTheSameWindowCoordinate) {
    float projection[16], camera[16], view[16], wide[16];
    PerspectiveMatrix(45.0, 800.0 / 600.0, 0.2f, 2500.0, projection);
    TranslationMatrix(0, 0, -40, camera);
    MultiplyMatrices(projection, camera, view);
    std::copy_n(view, 16, wide);
    ScaleClipXY(wide, 0.5f);
    WideViewport viewport = ChooseWideViewport(800, 600, 16384, 16384);
    for (float x : {-30.3f, -22.1f, 0.0f, 0.7f, 13.37f, 27.0f}) {
        for (float y : {-19.9f, -16.6f, 0.1f, 9.99f, 20.0f}) {
            const float p[4] = {x, y, 0.4f, 1};
            float clip[4], wideClip[4];
            for (int row = 0; row < 4; ++row) {
                clip[row] = wideClip[row] = 0;
                for (int k = 0; k < 4; ++k) {
                    clip[row] += view[k * 4 + row] * p[k];
                    wideClip[row] += wide[k * 4 + row] * p[k];
                }
            }
            // Window x = (x / w) × half the viewport's width + its centre, likewise y.
            float windowX = clip[0] / clip[3] * 400.0f + 400.0f;
            float wideX = wideClip[0] / wideClip[3] * float(viewport.width / 2) +
                          float(viewport.x + viewport.width / 2);
            float windowY = clip[1] / clip[3] * 300.0f + 300.0f;
            float wideY = wideClip[1] / wideClip[3] * float(viewport.height / 2) +
                          float(viewport.y + viewport.height / 2);
            EXPECT_EQ(wideX, windowX) << x << ", " << y;
            EXPECT_EQ(wideY, windowY) << x << ", " << y;
        }
    }
}

// A world with every kind of sprite on screen: shots, sparks of many colours,
// shockwaves, entities of each picture with glows and flashes, a rippled grid.
void FillWorld() {
    SetUpWorld(currentEdition, 1);
    score = 1234567;
    level = 7;
    lives = 2;
    for (int i = 0; i < SHOT_CAPACITY; ++i) {
        shots[i].active = 1;
        shots[i].pos = Vector3(-20 + 0.4 * i, 10 * std::sin(i * 0.3), 0);
        shots[i].vel = Vector3(std::cos(i * 0.7), std::sin(i * 0.7), 0);
    }
    for (int i = 0; i < SPARK_CAPACITY; ++i) {
        sparks[i].life = 1 + i % 100;
        sparks[i].pos = Vector3(15 * std::sin(i * 0.011), 12 * std::cos(i * 0.017), 0);
        sparks[i].colour = Vector3(0.3 + (i % 7) * 0.1, 0.2 + (i % 5) * 0.15, 0.1 + (i % 3) * 0.3);
    }
    for (int i = 0; i < 20; ++i) {
        shockwaves[i].age = 5 + 3 * i;
        shockwaves[i].startAge = i % 3 == 0 ? 50 : 0;
        shockwaves[i].pos = Vector3(-10 + i, -5 + (i % 4) * 3, 0);
    }
    for (int i = 0; i < ENTITY_CAPACITY; ++i) {
        Entity& e = entities[i];
        e.life = 1;
        e.texture = i % 5 == 4 ? SLOT_DROPPING : SLOT_ENEMY1 + i % 4;
        e.flash = i % 3 == 0 ? 2 : 0;
        e.pos = Vector3(-18 + 0.36 * i, 8 * std::cos(i * 0.5), 0);
        e.dir = Vector3(std::cos(i * 0.2), std::sin(i * 0.2), 0);
        e.scale = 0.8f + 0.01f * float(i);
        e.colour = Vector3(0.2 + (i % 4) * 0.2, 0.9 - (i % 3) * 0.2, 0.4);
    }
    for (int n = 0; n < gridRows * gridColumns; ++n) {
        gridPos[n].z = 0.8 * std::sin(n * 0.05);
        gridVel[n] = Vector3(0.02 * std::sin(n * 0.13), 0.03 * std::cos(n * 0.07), 0);
    }
}

struct FrameSize {
    int width, height;
};

// Frames of the world through `backend` (WIDTH × HEIGHT unless `size` says otherwise),
// all in one context, each drawn after its change to the world and read back.
std::vector<std::vector<uint8_t>> DrawFrames(const DrawBackend& backend, const std::string& dataDir,
                                             const std::vector<std::function<void()>>& changes,
                                             int32_t* draws = nullptr, FrameSize size = {WIDTH, HEIGHT}) {
    SelectDrawBackend(backend);
    OffscreenGL gl;
    std::string error;
    EXPECT_TRUE(gl.Open(size.width, size.height, error)) << error;
    SetUpGameView(size.width, size.height);
    cameraPos = Vector3(0, 0, 40);
    LoadGameTextures(dataDir);
    std::vector<std::vector<uint8_t>> frames;
    for (const std::function<void()>& change : changes) {
        change();
        DrawScene();
        frames.push_back(gl.ReadRGB());
    }
    if (draws) *draws = Gles2DrawCallsLastFrame();
    ReleaseTextures();
    gl.Close();
    SelectDrawBackend(FIXED_DRAW_BACKEND);
    return frames;
}

// One frame of the world through `backend`, read back.
std::vector<uint8_t> DrawFrame(const DrawBackend& backend, const std::string& dataDir,
                               int32_t* draws = nullptr) {
    return DrawFrames(backend, dataDir, {[] {}}, draws)[0];
}

class BackendFrames : public ::testing::Test {
protected:
    void SetUp() override {
        dataDir_ = "data/";
        mkdir(dataDir_.c_str(), 0755);
        WriteTestTextures(dataDir_);
        FillWorld();
    }
    std::string dataDir_;
};

int WorstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        worst = std::max(worst, std::abs(int(a[i]) - int(b[i])));
    return worst;
}

// Share of a frame's channels above 20.
double LitShare(const std::vector<uint8_t>& frame) {
    size_t lit = 0;
    for (uint8_t c : frame) lit += c > 20;
    return frame.empty() ? 0.0 : double(lit) / double(frame.size());
}

bool Lit(const std::vector<uint8_t>& frame) { return LitShare(frame) > 0.1; }

TEST_F(BackendFrames, Gles2DrawsTheFixedFunctionFrameWithinTwo) {
    std::vector<uint8_t> fixed = DrawFrame(FIXED_DRAW_BACKEND, dataDir_);
    std::vector<uint8_t> gles2 = DrawFrame(GLES2_DRAW_BACKEND, dataDir_);
    ASSERT_EQ(fixed.size(), size_t(WIDTH * HEIGHT * 3));
    ASSERT_EQ(gles2.size(), fixed.size());
    EXPECT_TRUE(Lit(fixed)) << "the world should fill the frame with light";
    EXPECT_LE(WorstDifference(fixed, gles2), 2);
}

// A side of odd length cannot take the widened viewport (half a side is not a whole
// pixel): the back-end draws with the window's own, clipping as fixed function does.
TEST_F(BackendFrames, Gles2DrawsTheFixedFunctionFrameAtOddSidesToo) {
    for (FrameSize size : {FrameSize{401, 300}, FrameSize{400, 301}}) {
        std::vector<uint8_t> fixed = DrawFrames(FIXED_DRAW_BACKEND, dataDir_, {[] {}}, nullptr, size)[0];
        std::vector<uint8_t> gles2 = DrawFrames(GLES2_DRAW_BACKEND, dataDir_, {[] {}}, nullptr, size)[0];
        ASSERT_EQ(fixed.size(), size_t(size.width * size.height * 3));
        ASSERT_EQ(gles2.size(), fixed.size());
        EXPECT_TRUE(Lit(fixed));
        EXPECT_LE(WorstDifference(fixed, gles2), 2) << size.width << " x " << size.height;
    }
}

TEST_F(BackendFrames, EmptySlotsDrawFlatOnBothBackEnds) {
    std::string empty = "no-pictures/";
    mkdir(empty.c_str(), 0755);
    std::vector<uint8_t> fixed = DrawFrame(FIXED_DRAW_BACKEND, empty);
    std::vector<uint8_t> gles2 = DrawFrame(GLES2_DRAW_BACKEND, empty);
    ASSERT_EQ(gles2.size(), fixed.size());
    EXPECT_TRUE(Lit(fixed));
    EXPECT_LE(WorstDifference(fixed, gles2), 2);
}

// The GLES2 back-end keeps the grid's indices between frames; a sheet whose triangles
// change must be drawn with the new ones.
TEST_F(BackendFrames, Gles2DrawsTheGridsNewTrianglesAfterTheyChange) {
    const int32_t fullCount = gridTriangleCount;
    const int32_t fewerCount = fullCount / 3;
    auto swapEnds = [fullCount] { std::swap(gridTriangles[0], gridTriangles[fullCount - 1]); };
    std::vector<std::vector<uint8_t>> frames =
        DrawFrames(GLES2_DRAW_BACKEND, dataDir_,
                   {[] {}, [fewerCount] { gridTriangleCount = fewerCount; },
                    [fullCount, swapEnds] {
                        gridTriangleCount = fullCount;
                        swapEnds();  // same count, another order
                    }});
    swapEnds();
    const std::vector<uint8_t>& full = frames[0];
    const std::vector<uint8_t>& fewer = frames[1];
    const std::vector<uint8_t>& reordered = frames[2];

    gridTriangleCount = fewerCount;
    std::vector<uint8_t> fixedFewer = DrawFrame(FIXED_DRAW_BACKEND, dataDir_);
    gridTriangleCount = fullCount;
    EXPECT_FALSE(full == fewer) << "a third of the grid should look different from all of it";
    EXPECT_LE(WorstDifference(fixedFewer, fewer), 2);
    EXPECT_LE(WorstDifference(full, reordered), 2);
}

TEST_F(BackendFrames, Gles2DrawsTheFrameInOneCallFromOneTexture) {
    int32_t draws = 0;
    DrawFrame(GLES2_DRAW_BACKEND, dataDir_, &draws);
    // The grid, then every quad of the frame after it in the same batch.
    EXPECT_EQ(draws, 1);
}

struct Picture {
    const char* file;
    uint32_t flags;  // TEX_ bits
};

// One frame drawn straight through `backend`, on black (so that no sum saturates and
// hides a difference): `pictures` loaded, then `draw` given their names between the
// frame's beginning and end; read back, with the frame's draw calls in `draws`.
std::vector<uint8_t> DrawStraight(
    const DrawBackend& backend, const std::string& dataDir, const std::vector<Picture>& pictures,
    const std::function<void(const DrawBackend&, const std::vector<uint32_t>&)>& draw, int32_t* draws) {
    SelectDrawBackend(backend);
    OffscreenGL gl;
    std::string error;
    EXPECT_TRUE(gl.Open(WIDTH, HEIGHT, error)) << error;
    SetUpGameView(WIDTH, HEIGHT);
    std::vector<Texture> textures(pictures.size());
    std::vector<uint32_t> names;
    for (size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_TRUE(textures[i].Load(dataDir + pictures[i].file, pictures[i].flags)) << pictures[i].file;
        names.push_back(textures[i].Id());
    }
    const DrawBackend& b = ActiveDrawBackend();
    b.beginFrame(Vector3(0, 0, 40));
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    draw(b, names);
    b.endFrame();
    std::vector<uint8_t> frame = gl.ReadRGB();
    if (draws) *draws = Gles2DrawCallsLastFrame();
    for (Texture& texture : textures) texture.Release();
    gl.Close();
    SelectDrawBackend(FIXED_DRAW_BACKEND);
    return frame;
}

using StraightFrame = std::function<std::vector<uint8_t>(const DrawBackend&, int32_t* draws)>;

// A frame through both back-ends, the GLES2 one within 2 of fixed function's; its
// share lit by fixed function, and GLES2's draw calls.
struct Comparison {
    double lit;
    int32_t draws;
};
Comparison CompareBackEnds(const StraightFrame& drawing) {
    std::vector<uint8_t> fixed = drawing(FIXED_DRAW_BACKEND, nullptr);
    int32_t draws = 0;
    std::vector<uint8_t> gles2 = drawing(GLES2_DRAW_BACKEND, &draws);
    EXPECT_EQ(gles2.size(), fixed.size());
    EXPECT_LE(WorstDifference(fixed, gles2), 2);
    return {LitShare(fixed), draws};
}

// Quads drawn straight through a back-end: a picture of each kind of sampling, at
// coordinates inside it and reaching far past its edges. The last two mipmapped (no
// filter flag), wrapping and clamped, drawn small so that their lower levels are read.
std::vector<uint8_t> DrawSamplingQuads(const DrawBackend& backend, const std::string& dataDir,
                                       int32_t* draws) {
    const std::vector<Picture> pictures = {{"grid6.tga", TEX_LINEAR}, {"shot.tga", TEX_LINEAR | TEX_CLAMP},
                                           {"glow.tga", TEX_NEAREST}, {"numbers.tga", TEX_LINEAR},
                                           {"glow.tga", 0},           {"player1.tga", TEX_CLAMP}};
    auto draw = [](const DrawBackend& b, const std::vector<uint32_t>& names) {
        for (int i = 0; i < int(names.size()); ++i) {
            for (int reach = 0; reach < 2; ++reach) {
                // Inside 0..1, then from -1.3 to 2.6: wrapped or clamped as the picture says.
                float low = reach ? -1.3f : 0.0f, high = reach ? 2.6f : 1.0f;
                bool small = i >= 4;
                float x = small ? 14.5f + 2.5f * float(i - 4) : -14.0f + 7.0f * float(i),
                      y = reach ? -9.0f : 1.0f;
                float width = small ? 1.1f : 6.5f, height = small ? 1.3f : 7.5f;
                const DrawVertex corners[4] = {
                    {x, y, 0, 0.9f, 0.8f, 0.7f, low, low},
                    {x + width, y, 0, 0.9f, 0.8f, 0.7f, high, low},
                    {x + width, y + height, 0, 0.9f, 0.8f, 0.7f, high, high},
                    {x, y + height, 0, 0.9f, 0.8f, 0.7f, low, high},
                };
                b.drawQuad(names[size_t(i)], corners);
            }
        }
    };
    return DrawStraight(backend, dataDir, pictures, draw, draws);
}

TEST_F(BackendFrames, Gles2SamplesEveryKindOfPictureAsFixedFunctionInsideAndPastItsEdges) {
    Comparison frames = CompareBackEnds([this](const DrawBackend& backend, int32_t* draws) {
        return DrawSamplingQuads(backend, dataDir_, draws);
    });
    EXPECT_GT(frames.lit, 0.05) << "the quads should light the frame";
    // Pictures in the atlas reaching past their edges and the one kept out of it (nearest)
    // each need a draw of their own; the rest share batches.
    EXPECT_GT(frames.draws, 3);
}

constexpr int SHEET_SIDE = 7;  // nodes along each side of a test sheet

// A sheet's triangles, two per cell as the grid's.
std::vector<Triangle> SheetTriangles() {
    std::vector<Triangle> triangles;
    for (int row = 0; row + 1 < SHEET_SIDE; ++row) {
        for (int column = 1; column < SHEET_SIDE; ++column) {
            int n = row * SHEET_SIDE + column;
            triangles.push_back({{n - 1, n + SHEET_SIDE - 1, n + SHEET_SIDE}});
            triangles.push_back({{n + SHEET_SIDE, n, n - 1}});
        }
    }
    return triangles;
}

// A rippled sheet from (x, y): its picture repeating every two cells, each triangle
// within one repeat as the grid's, or (`across`) with coordinates running across
// repeats and past the picture's edges inside triangles.
std::vector<DrawVertex> Sheet(float x, float y, bool across) {
    std::vector<DrawVertex> nodes;
    for (int row = 0; row < SHEET_SIDE; ++row) {
        for (int column = 0; column < SHEET_SIDE; ++column) {
            float z = 0.6f * std::sin(float(row * SHEET_SIDE + column));  // no two triangles in a plane
            float u = across ? -1.3f + 0.7f * float(column) : 0.5f * float(column);
            float v = across ? -0.9f + 0.6f * float(row) : 0.5f * float(row);
            float shade = 0.4f + 0.08f * float((row + column) % 7);
            nodes.push_back(
                {x + float(column) * 0.9f, y + float(row) * 1.1f, z, shade, 0.8f, 1.0f - shade, u, v});
        }
    }
    return nodes;
}

// Sheets drawn straight through a back-end's drawMesh, two for each kind of sampling
// (within repeats and across them).
std::vector<uint8_t> DrawSamplingMeshes(const DrawBackend& backend, const std::string& dataDir,
                                        int32_t* draws) {
    const std::vector<Picture> pictures = {{"grid6.tga", TEX_LINEAR},
                                           {"shot.tga", TEX_LINEAR | TEX_CLAMP},
                                           {"glow.tga", TEX_NEAREST},
                                           {"glow.tga", 0},
                                           {"player1.tga", TEX_CLAMP}};
    auto draw = [](const DrawBackend& b, const std::vector<uint32_t>& names) {
        const std::vector<Triangle> triangles = SheetTriangles();
        for (int i = 0; i < int(names.size()); ++i) {
            for (bool across : {false, true}) {
                std::vector<DrawVertex> nodes =
                    Sheet(-15.0f + 6.5f * float(i), across ? -10.0f : 1.0f, across);
                b.bindTexture(names[size_t(i)]);
                b.drawMesh(nodes.data(), int32_t(nodes.size()), triangles.data(), int32_t(triangles.size()));
            }
        }
    };
    return DrawStraight(backend, dataDir, pictures, draw, draws);
}

// A sheet as the grid is drawn, then a quad of a picture with a texture of its own
// (nearest), then one from the atlas, all over one another.
std::vector<uint8_t> DrawSheetThenQuads(const DrawBackend& backend, const std::string& dataDir,
                                        int32_t* draws) {
    const std::vector<Picture> pictures = {
        {"grid6.tga", TEX_LINEAR}, {"glow.tga", TEX_NEAREST}, {"shot.tga", TEX_LINEAR}};
    auto draw = [](const DrawBackend& b, const std::vector<uint32_t>& names) {
        const std::vector<Triangle> triangles = SheetTriangles();
        const std::vector<DrawVertex> nodes = Sheet(-3.0f, -3.0f, false);
        b.bindTexture(names[0]);
        b.drawMesh(nodes.data(), int32_t(nodes.size()), triangles.data(), int32_t(triangles.size()));
        for (size_t i = 1; i < names.size(); ++i) {
            const DrawVertex corners[4] = {{-2, -2, 0, 0.5f, 0.4f, 0.3f, 0, 0},
                                           {3, -2, 0, 0.5f, 0.4f, 0.3f, 1, 0},
                                           {3, 3, 0, 0.5f, 0.4f, 0.3f, 1, 1},
                                           {-2, 3, 0, 0.5f, 0.4f, 0.3f, 0, 1}};
            b.drawQuad(names[i], corners);
        }
    };
    return DrawStraight(backend, dataDir, pictures, draw, draws);
}

TEST_F(BackendFrames, Gles2DrawsTheWaitingGridAloneBeforeAQuadOfAnotherTexture) {
    Comparison frames = CompareBackEnds([this](const DrawBackend& backend, int32_t* draws) {
        return DrawSheetThenQuads(backend, dataDir_, draws);
    });
    EXPECT_GT(frames.lit, 0.0);
    // The sheet cannot share the nearest quad's texture: it goes alone, then each quad.
    EXPECT_EQ(frames.draws, 3);
}

TEST_F(BackendFrames, Gles2DrawsMeshesOfEveryKindOfPictureAsFixedFunction) {
    Comparison frames = CompareBackEnds([this](const DrawBackend& backend, int32_t* draws) {
        return DrawSamplingMeshes(backend, dataDir_, draws);
    });
    EXPECT_GT(frames.lit, 0.05) << "the sheets should light the frame";
    // A sheet within its repeats is one draw from the atlas (or the picture's own
    // texture); one across them needs a second for the triangles reaching over edges,
    // and so does the first sheet of a clamped picture, which reaches past 1.
    const int wrapping = 3, clamped = 2;
    EXPECT_EQ(frames.draws, wrapping * (1 + 2) + clamped * (2 + 2));
}

}  // namespace
