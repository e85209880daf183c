#include "render/primitives.h"

#include "render/draw_backend.h"
#include "render/textures.h"

Vector3 gridColour[GRID_NODE_CAPACITY];

namespace {

double ClampUnit(double value) {
    if (value < 0) return 0;
    if (value > 1) return 1;
    return value;
}

// The grid's nodes as GL is given them, rebuilt every frame.
DrawVertex gridVertices[GRID_NODE_CAPACITY];

DrawVertex Corner(const Vector3& p, float u, float v, const Vector3& colour) {
    return {float(p.x), float(p.y), float(p.z), float(colour.x), float(colour.y), float(colour.z), u, v};
}

}  // namespace

void SetGridBaseBrightness() {
    for (int i = 0; i < gridRows; ++i) {
        for (int j = 0; j < gridColumns; ++j) {
            bool edge = j == gridColumns - 1 || i == gridRows - 1;
            gridColour[i * gridColumns + j].x = edge ? 0.0 : 1.0;
        }
    }
}

void ApplyGridStretch(double rowLinkScale) {
    for (int i = 1; i < gridRows; ++i) {
        for (int j = 1; j < gridColumns; ++j) {
            int a = (i - 1) * gridColumns + (j - 1);
            int b = (i - 1) * gridColumns + j;
            int n = i * gridColumns + (j - 1);
            double f1 = ClampUnit(2 - rowLinkScale * (gridPos[a] - gridPos[b]).Length());
            gridColour[a].x *= f1;
            gridColour[b].x *= f1;
            double f2 = ClampUnit(2 - (gridPos[a] - gridPos[n]).Length());
            gridColour[a].x *= f2;
            gridColour[n].x *= f2;
        }
    }
}

void ApplyGridSpeedColour() {
    int count = gridRows * gridColumns;
    for (int n = 0; n < count; ++n) {
        double s = gridVel[n].Length();
        double k = (s * s * 80 + 1.2) * gridColour[n].x;
        k = k * k * 0.3;
        gridColour[n] = Vector3(k * 0.2, k * 0.7, k * 0.05);
    }
}

void EmitGridMesh() {
    int32_t count = gridRows * gridColumns;
    if (count < 0 || count > GRID_NODE_CAPACITY) return;
    for (int32_t n = 0; n < count; ++n) {
        gridVertices[n] = Corner(gridPos[n], gridTexCoord[n].u, gridTexCoord[n].v, gridColour[n]);
    }
    ActiveDrawBackend().drawMesh(gridVertices, count, gridTriangles, gridTriangleCount);
}

void DrawGrid() {
    // A sheet larger than the node tables cannot have been built; draw nothing
    // rather than colour past the end of gridColour.
    if (gridRows < 0 || gridColumns < 0 || gridRows * gridColumns > GRID_NODE_CAPACITY) return;
    SetGridBaseBrightness();
    ApplyGridStretch(1.0);
    ApplyGridSpeedColour();
    EmitGridMesh();
}

void DrawSprite(int32_t slot, const Vector3& pos, const Vector3& dir, float halfSize, const Vector3& colour) {
    // The direction turned a quarter turn clockwise seen from +z: the picture's u axis.
    Vector3 side(dir.y, -dir.x, 0);
    double s = halfSize;
    Vector3 along = dir * s;
    Vector3 across = side * s;

    bool known = slot >= 0 && slot < SPRITE_SLOT_COUNT;
    const DrawVertex corners[4] = {
        Corner(pos - along - across, 0, 0, colour),
        Corner(pos + along - across, 0, 1, colour),
        Corner(pos + along + across, 1, 1, colour),
        Corner(pos - along + across, 1, 0, colour),
    };
    ActiveDrawBackend().drawQuad(known ? spriteTextures[slot].Id() : 0, corners);
}

void DrawNumber(int32_t value, int32_t digitCount, const Vector3& pos) {
    // The digit strip holds 16 equal cells across; digit d is cell d.
    const float cell = 0.0625f;
    for (int i = 0; i < digitCount; ++i) {
        int32_t digit = value % 10;
        value = value / 10;
        float u0 = float(digit) * cell;

        const Vector3 colour(0.7f, 1.0f, 0.3f);
        double left = pos.x - i;
        double right = pos.x - i + 1;
        const DrawVertex corners[4] = {
            Corner(Vector3(left, pos.y + 1, pos.z), u0, 1, colour),
            Corner(Vector3(left, pos.y, pos.z), u0, 0, colour),
            Corner(Vector3(right, pos.y, pos.z), u0 + cell, 0, colour),
            Corner(Vector3(right, pos.y + 1, pos.z), u0 + cell, 1, colour),
        };
        ActiveDrawBackend().drawQuad(digitTexture.Id(), corners);

        DrawSprite(SLOT_GLOW, Vector3(pos.x - i + 0.5, pos.y + 0.5, pos.z), Vector3(1, 0, 0), 1.0f,
                   Vector3(0.4f, 0.15f, 0));
    }
}
