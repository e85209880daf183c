#include "tools/texture_glyphs.h"

namespace {

using Strokes = std::vector<std::vector<Point>>;

// The chamfered box shared by 0, O and (open) G.
const std::vector<Point> BOX = {{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};

}  // namespace

std::vector<std::vector<Point>> GlyphStrokes(char c) {
    switch (c) {
        case '0':
            return {BOX, {{1, 1.5}, {3, 4.5}}};
        case '1':
            return {{{0.8, 4.8}, {2, 6}, {2, 0}}, {{0.8, 0}, {3.2, 0}}};
        case '2':
            return {{{0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3.8}, {0, 0}, {4, 0}}};
        case '3':
            return {{{0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {4, 2}, {4, 1}, {3, 0}, {1, 0}, {0, 1}},
                    {{1.4, 3}, {3, 3}}};
        case '4':
            return {{{3, 0}, {3, 6}, {0, 2}, {4, 2}}};
        case '5':
            return {{{4, 6}, {0, 6}, {0, 3.4}, {3, 3.4}, {4, 2.4}, {4, 1}, {3, 0}, {1, 0}, {0, 1}}};
        case '6':
            return {{{4, 5},
                     {3, 6},
                     {1, 6},
                     {0, 5},
                     {0, 1},
                     {1, 0},
                     {3, 0},
                     {4, 1},
                     {4, 2.4},
                     {3, 3.4},
                     {0, 3.4}}};
        case '7':
            return {{{0, 6}, {4, 6}, {4, 5}, {1.5, 0}}};
        case '8':
            return {{{1, 3}, {0, 4}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {1, 3}},
                    {{1, 3}, {0, 2}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}}};
        case '9':
            return {{{0, 1},
                     {1, 0},
                     {3, 0},
                     {4, 1},
                     {4, 5},
                     {3, 6},
                     {1, 6},
                     {0, 5},
                     {0, 3.6},
                     {1, 2.6},
                     {4, 2.6}}};
        case 'A':
            return {{{0, 0}, {0, 4}, {2, 6}, {4, 4}, {4, 0}}, {{0, 2.4}, {4, 2.4}}};
        case 'E':
            return {{{4, 6}, {0, 6}, {0, 0}, {4, 0}}, {{0, 3}, {3, 3}}};
        case 'D':
            return {{{0, 0}, {0, 6}, {2.6, 6}, {4, 4.6}, {4, 1.4}, {2.6, 0}, {0, 0}}};
        case 'G':
            return {{{4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 3}, {2.2, 3}}};
        case 'M':
            return {{{0, 0}, {0, 6}, {2, 3.2}, {4, 6}, {4, 0}}};
        case 'O':
            return {BOX};
        case 'P':
            return {{{0, 0}, {0, 6}, {3, 6}, {4, 5}, {4, 3.8}, {3, 2.8}, {0, 2.8}}};
        case 'R':
            return {{{0, 0}, {0, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}}, {{2, 3}, {4, 0}}};
        case 'S':
            return {{{4, 5},
                     {3, 6},
                     {1, 6},
                     {0, 5},
                     {0, 4},
                     {1, 3},
                     {3, 3},
                     {4, 2},
                     {4, 1},
                     {3, 0},
                     {1, 0},
                     {0, 1}}};
        case 'U':
            return {{{0, 6}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 6}}};
        case 'V':
            return {{{0, 6}, {0, 2.5}, {2, 0}, {4, 2.5}, {4, 6}}};
        default:
            return {};
    }
}

void DrawGlyph(Canvas& canvas, char c, Point origin, double scale, const Pen& pen) {
    for (const std::vector<Point>& stroke : GlyphStrokes(c)) {
        std::vector<Point> placed;
        for (const Point& p : stroke) placed.push_back({origin.x + p.x * scale, origin.y + p.y * scale});
        canvas.Polyline(placed, false, pen);
    }
}
