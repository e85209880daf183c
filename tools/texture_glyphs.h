#pragma once
#include <vector>

#include "tools/texture_canvas.h"

// A chamfered stroke font for the digit strip and the game-over and paused
// signs. Each glyph is a set of polylines on a grid 4 units wide and 6 units
// high, origin at the bottom left.
constexpr double GLYPH_WIDTH = 4.0;
constexpr double GLYPH_HEIGHT = 6.0;

// The strokes of a digit or capital letter; none for characters the font lacks
// (and for the space).
std::vector<std::vector<Point>> GlyphStrokes(char c);

// Draws the glyph with its bottom left corner at origin, one glyph unit being
// scale picture units.
void DrawGlyph(Canvas& canvas, char c, Point origin, double scale, const Pen& pen);
