// The grid mesh, sprite and number primitives, drawn off-screen and read back.

#include <GL/gl.h>

#include <string>
#include <vector>

#include "current/world.h"
#include "game/grid.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "tests/render/gl_fixture.h"
#include "tests/render/targa_files.h"

namespace {

// The dim green of a node at rest with full brightness.
const Vector3 REST_GREEN(0.0864, 0.3024, 0.0216);

// A small sheet of 5 columns × 4 rows at rest: x from -2 to 2, y from -1.5 to 1.5.
void BuildSmallGrid() {
    ResetWorld();
    gridColumns = 5;
    gridRows = 4;
    BuildGrid();
    for (int n = 0; n < gridNodeCount; ++n) gridVel[n] = Vector3();
}

Vector3 NodeColour(int row, int column) { return gridColour[row * gridColumns + column]; }

void ExpectColour(const Vector3& actual, const Vector3& expected, const std::string& where) {
    EXPECT_NEAR(actual.x, expected.x, 1e-12) << where;
    EXPECT_NEAR(actual.y, expected.y, 1e-12) << where;
    EXPECT_NEAR(actual.z, expected.z, 1e-12) << where;
}

class GridDrawing : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        BuildSmallGrid();
        UseOrtho(-2.5, 2.5, -2, 2);
        glBindTexture(GL_TEXTURE_2D, 0);  // flat vertex colours
    }
    void TearDown() override { ResetWorld(); }
    // World position of node (row, column) of the small sheet at rest.
    static double X(int column) { return column - 2.0; }
    static double Y(int row) { return row - 1.5; }
};

TEST_F(GridDrawing, RestingSheetIsDimGreenButTheLastRowAndColumnAreBlack) {
    DrawGrid();
    for (int i = 0; i < gridRows; ++i) {
        for (int j = 0; j < gridColumns; ++j) {
            bool edge = i == gridRows - 1 || j == gridColumns - 1;
            ExpectColour(NodeColour(i, j), edge ? Vector3() : REST_GREEN,
                         "node " + std::to_string(i) + "," + std::to_string(j));
        }
    }
    // Cells whose four corners are all inside are flat green on screen.
    std::array<int, 3> green = ByteColour(REST_GREEN.x, REST_GREEN.y, REST_GREEN.z);
    for (int i = 0; i + 2 < gridRows; ++i) {
        for (int j = 0; j + 2 < gridColumns; ++j) {
            EXPECT_TRUE(ColourNear(PixelAt(X(j) + 0.5, Y(i) + 0.5), green)) << i << "," << j;
        }
    }
    // At the last column's and last row's nodes the picture is black.
    for (int i = 0; i < gridRows; ++i) {
        EXPECT_TRUE(ColourNear(PixelAt(X(4) - 0.01, Y(i) + 0.01), {0, 0, 0}, 2)) << "row " << i;
    }
    for (int j = 0; j < gridColumns; ++j) {
        EXPECT_TRUE(ColourNear(PixelAt(X(j) + 0.01, Y(3) - 0.01), {0, 0, 0}, 2)) << "col " << j;
    }
    // Nothing outside the sheet.
    EXPECT_TRUE(ColourNear(PixelAt(-2.4, 0), {0, 0, 0}, 0));
}

TEST_F(GridDrawing, StretchedLinksDarkenBothEnds) {
    // Columns 2.. moved right: every link between columns 1 and 2 has the given
    // length; brightness is 2 - length clamped to 0..1, and the colour goes with its square.
    struct Case {
        double length;
        double brightness;
    };
    const Case cases[] = {{1.5, 0.5}, {1.25, 0.75}, {2.0, 0.0}, {3.0, 0.0}, {0.5, 1.0}, {1.0, 1.0}};
    for (const Case& c : cases) {
        BuildSmallGrid();
        for (int n = 0; n < gridNodeCount; ++n) {
            if (n % gridColumns >= 2) gridPos[n].x += c.length - 1;
        }
        UseOrtho(-2.5, 2.5, -2, 2);
        DrawGrid();
        double b2 = c.brightness * c.brightness;
        for (int i = 0; i + 1 < gridRows; ++i) {
            std::string where = "length " + std::to_string(c.length) + " row " + std::to_string(i);
            ExpectColour(NodeColour(i, 0), REST_GREEN, where + " column 0");
            ExpectColour(NodeColour(i, 1), REST_GREEN * b2, where + " column 1");
            ExpectColour(NodeColour(i, 2), REST_GREEN * b2, where + " column 2");
            ExpectColour(NodeColour(i, 3), REST_GREEN, where + " column 3");
        }
        // On screen: the cell between the two darkened columns, rows 0 and 1.
        Vector3 dark = REST_GREEN * b2;
        double middle = (X(1) + X(2) + c.length - 1) / 2;
        EXPECT_TRUE(ColourNear(PixelAt(middle, Y(0) + 0.5), ByteColour(dark.x, dark.y, dark.z)))
            << "length " << c.length;
    }
}

TEST_F(GridDrawing, SpeedBrightensANodeSteeply) {
    gridVel[1 * gridColumns + 1] = Vector3(0.06, -0.08, 0);  // 0.1 units per step
    DrawGrid();
    ExpectColour(NodeColour(1, 1), Vector3(0.24, 0.84, 0.06), "moving node");
    ExpectColour(NodeColour(1, 2), REST_GREEN, "its resting neighbour");
}

// Feedback mode reports every vertex as GL received it, in order.
struct FedVertex {
    float x, y, r, g, b, s, t;
};

std::vector<FedVertex> CaptureVertices(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    int used = glRenderMode(GL_RENDER);
    std::vector<FedVertex> vertices;
    for (int i = 0; i < used;) {
        int token = int(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        int count = int(buffer[i++]);
        for (int v = 0; v < count; ++v, i += 11) {
            vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 3], buffer[i + 4], buffer[i + 5],
                                buffer[i + 7], buffer[i + 8]});
        }
    }
    return vertices;
}

TEST_F(GridDrawing, EmitsTrianglesInStoredOrderWithEachNodesTexCoordAndColour) {
    gridVel[6] = Vector3(0.05, 0, 0);
    std::vector<FedVertex> fed = CaptureVertices(DrawGrid);
    ASSERT_EQ(fed.size(), size_t(gridTriangleCount) * 3);
    for (int t = 0; t < gridTriangleCount; ++t) {
        for (int corner = 0; corner < 3; ++corner) {
            int n = gridTriangles[t].node[corner];
            const FedVertex& v = fed[size_t(t) * 3 + corner];
            // Window x of a world x in the 5-unit wide view of 320 pixels.
            EXPECT_NEAR(v.x, (gridPos[n].x + 2.5) * 64, 1e-3) << t << "/" << corner;
            EXPECT_NEAR(v.y, (gridPos[n].y + 2) * 40, 1e-3) << t << "/" << corner;
            EXPECT_FLOAT_EQ(v.s, gridTexCoord[n].u);
            EXPECT_FLOAT_EQ(v.t, gridTexCoord[n].v);
            EXPECT_NEAR(v.g, gridColour[n].y, 1e-6);
        }
    }
}

// Sprites and digits use textures of their own, made by the tests.
class SpriteDrawing : public GLTest {
protected:
    static constexpr int EMPTY_SLOT = 5;

    static void SetUpTestSuite() {
        GLTest::SetUpTestSuite();
        if (!gl) return;
        // Top row first: blue, white over red, green.
        WriteRgbTarga("quadrants.tga", 2, 2, {0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0});
        ASSERT_TRUE(spriteTextures[SLOT_PLAYER1].Load("quadrants.tga", TEX_NEAREST));
        // Digit strip: 16 cells of 2 texels; the lower half of cell d is green
        // (d + 1) × 20, the upper half red, so a glyph drawn upside down shows.
        std::vector<uint8_t> strip;
        for (int row = 0; row < 4; ++row) {
            for (int texel = 0; texel < 32; ++texel) {
                bool upper = row < 2;  // rows are given top first
                uint8_t code = uint8_t((texel / 2 + 1) * 20);
                strip.insert(strip.end(), {upper ? uint8_t(200) : uint8_t(0), upper ? uint8_t(0) : code, 0});
            }
        }
        WriteRgbTarga("digits.tga", 32, 4, strip);
        ASSERT_TRUE(digitTexture.Load("digits.tga", TEX_NEAREST));
    }
    static void TearDownTestSuite() {
        ReleaseTextures();
        GLTest::TearDownTestSuite();
    }
    // The glow behind digits: black (adds nothing) or white (shows its colour).
    static void UseGlow(uint8_t level) {
        WriteRgbTarga("glow.tga", 1, 1, {level, level, level});
        ASSERT_TRUE(spriteTextures[SLOT_GLOW].Load("glow.tga", TEX_NEAREST));
    }

    // Reads the digits drawn by DrawNumber at the origin, leftmost first; '.' for none.
    std::string ReadDigits(int positions) const {
        std::string digits;
        for (int i = positions - 1; i >= 0; --i) {
            std::array<int, 3> c = PixelAt(-i + 0.5, 0.25);
            std::array<int, 3> top = PixelAt(-i + 0.5, 0.75);
            int d = (c[1] + 10) / 20 - 1;
            if (c[1] == 0) {
                digits += '.';
            } else if (top[1] != 0 || top[0] == 0) {
                digits += '?';  // not upright
            } else {
                digits += char('0' + d);
            }
        }
        return digits;
    }
};

struct Quadrants {
    std::array<int, 3> topLeft, topRight, bottomLeft, bottomRight;
};

const std::array<int, 3> RED{255, 0, 0}, GREEN{0, 255, 0}, BLUE{0, 0, 255}, WHITE{255, 255, 255},
    BLACK{0, 0, 0};

TEST_F(SpriteDrawing, TopEdgeFacesTheDirection) {
    struct Case {
        Vector3 dir;
        Quadrants seen;
        const char* what;
    };
    const Case cases[] = {
        {Vector3(0, 1, 0), {BLUE, WHITE, RED, GREEN}, "upright and unmirrored"},
        {Vector3(1, 0, 0), {RED, BLUE, GREEN, WHITE}, "a quarter turn clockwise"},
        {Vector3(0, -1, 0), {GREEN, RED, WHITE, BLUE}, "upside down"},
        {Vector3(-1, 0, 0), {WHITE, GREEN, BLUE, RED}, "a quarter turn anticlockwise"},
    };
    for (const Case& c : cases) {
        UseOrtho(-2, 2, -1, 1);
        DrawSprite(SLOT_PLAYER1, Vector3(0, 0, 0), c.dir, 0.8f, Vector3(1, 1, 1));
        EXPECT_TRUE(ColourNear(PixelAt(-0.4, 0.4), c.seen.topLeft)) << c.what;
        EXPECT_TRUE(ColourNear(PixelAt(0.4, 0.4), c.seen.topRight)) << c.what;
        EXPECT_TRUE(ColourNear(PixelAt(-0.4, -0.4), c.seen.bottomLeft)) << c.what;
        EXPECT_TRUE(ColourNear(PixelAt(0.4, -0.4), c.seen.bottomRight)) << c.what;
        EXPECT_TRUE(ColourNear(PixelAt(-0.9, 0), BLACK, 0)) << c.what << ": square too wide";
        EXPECT_TRUE(ColourNear(PixelAt(0, 0.9), BLACK, 0)) << c.what << ": square too tall";
    }
}

TEST_F(SpriteDrawing, ColourModulatesThePicture) {
    UseOrtho(-2, 2, -1, 1);
    DrawSprite(SLOT_PLAYER1, Vector3(1, 0, 0), Vector3(0, 1, 0), 0.5f, Vector3(0.5, 0.25, 1.0));
    EXPECT_TRUE(ColourNear(PixelAt(1.25, 0.25), ByteColour(0.5, 0.25, 1.0)));  // white texel
    EXPECT_TRUE(ColourNear(PixelAt(0.75, -0.25), ByteColour(0.5, 0, 0)));      // red texel
    EXPECT_TRUE(ColourNear(PixelAt(0.4, 0), BLACK, 0));
}

TEST_F(SpriteDrawing, LongerDirectionStretchesTheSquareAlongIt) {
    UseOrtho(-2, 2, -1, 1);
    DrawSprite(SLOT_PLAYER1, Vector3(0, 0, 0), Vector3(2, 0, 0), 0.4f, Vector3(1, 1, 1));
    // Along x the square reaches 0.8 either side; across it, 2 × 0.4 = 0.8 as well
    // because the side vector is (0, -2, 0).
    EXPECT_FALSE(ColourNear(PixelAt(0.7, 0.1), BLACK, 0));
    EXPECT_FALSE(ColourNear(PixelAt(0.1, 0.7), BLACK, 0));
    EXPECT_TRUE(ColourNear(PixelAt(0.9, 0.1), BLACK, 0));
}

TEST_F(SpriteDrawing, EmptyOrUnknownSlotDrawsAFlatSquareInItsColour) {
    for (int slot : {EMPTY_SLOT, 0, 19, -1, 20, 1000}) {
        UseOrtho(-2, 2, -1, 1);
        DrawSprite(slot, Vector3(0, 0, 0), Vector3(0, 1, 0), 0.5f, Vector3(0.5, 0.25, 1.0));
        std::array<int, 3> flat = ByteColour(0.5, 0.25, 1.0);
        EXPECT_TRUE(ColourNear(PixelAt(-0.4, 0.4), flat)) << "slot " << slot;
        EXPECT_TRUE(ColourNear(PixelAt(0.4, -0.4), flat)) << "slot " << slot;
        EXPECT_TRUE(ColourNear(PixelAt(0.6, 0), BLACK, 0)) << "slot " << slot;
    }
}

TEST_F(SpriteDrawing, EachCornerCarriesItsTexCoord) {
    UseOrtho(-2, 2, -1, 1);
    std::vector<FedVertex> fed = CaptureVertices(
        [] { DrawSprite(SLOT_PLAYER1, Vector3(0.5, 0, 0), Vector3(0, 1, 0), 0.5f, Vector3(1, 1, 1)); });
    // GL may hand the quad on as two triangles; every vertex must still pair its
    // texture coordinate with its corner: (0,0) at p - d - side, (0,1) at p + d - side,
    // (1,1) at p + d + side, (1,0) at p - d + side, with side = (1, 0, 0) here.
    ASSERT_GE(fed.size(), 4u);
    int seen[2][2] = {};
    for (const FedVertex& v : fed) {
        ASSERT_TRUE((v.s == 0 || v.s == 1) && (v.t == 0 || v.t == 1)) << v.s << "," << v.t;
        float x = 0.5f + (v.s == 0 ? -0.5f : 0.5f);
        float y = v.t == 0 ? -0.5f : 0.5f;
        EXPECT_NEAR(v.x, (x + 2) * 80, 1e-3) << v.s << "," << v.t;
        EXPECT_NEAR(v.y, (y + 1) * 80, 1e-3) << v.s << "," << v.t;
        seen[int(v.s)][int(v.t)] += 1;
    }
    for (int s = 0; s < 2; ++s) {
        for (int t = 0; t < 2; ++t) EXPECT_GT(seen[s][t], 0) << s << "," << t;
    }
}

TEST_F(SpriteDrawing, NumbersShowExactlyTheirDigitCountLeastSignificantRightmost) {
    UseGlow(0);
    struct Case {
        int32_t value;
        int32_t count;
        const char* shown;
    };
    const Case cases[] = {
        {1234, 8, "00001234"},      {123, 2, "......23"}, {0, 1, ".......0"},
        {123456789, 8, "23456789"}, {7, 0, "........"},   {1, 2, "......01"},
    };
    for (const Case& c : cases) {
        UseOrtho(-8, 2, -1, 2);
        DrawNumber(c.value, c.count, Vector3(0, 0, 0));
        EXPECT_EQ(ReadDigits(8), c.shown) << c.value << " with " << c.count << " digits";
    }
}

TEST_F(SpriteDrawing, DigitsAreOneUnitSquaresOnAnOrangeGlow) {
    UseGlow(255);
    UseOrtho(-8, 2, -1, 2);
    DrawNumber(5, 1, Vector3(0, 0, 0));
    // Right of the digit only its glow: two units wide, centred on the digit.
    EXPECT_TRUE(ColourNear(PixelAt(1.25, 0.5), ByteColour(0.4, 0.15, 0)));
    EXPECT_TRUE(ColourNear(PixelAt(0.5, 1.25), ByteColour(0.4, 0.15, 0)));
    EXPECT_TRUE(ColourNear(PixelAt(1.6, 0.5), BLACK, 0));
    // The digit itself: cell 5's green times the digit colour's 1.0, plus the glow.
    EXPECT_TRUE(ColourNear(PixelAt(0.5, 0.25), ByteColour(0.4, 120 / 255.0 + 0.15, 0)));
}

}  // namespace
