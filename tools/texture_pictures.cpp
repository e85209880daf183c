#include "tools/texture_pictures.h"

#include <cmath>
#include <utility>

#include "tools/texture_glyphs.h"

// Sprites are drawn on a square of picture coordinates [-1, 1] (a sprite of
// half-size 1 covers two world units), top edge = heading. Everything keeps
// clear of the border: the game samples with GL_REPEAT, so anything at one
// edge would bleed into the opposite one.

namespace {

Canvas SpriteCanvas(int size) { return Canvas(size, size, -1, -1, 1, 1); }
// Outlined shapes keep their glow off the border: they are drawn on a slightly
// wider frame, so a point at 1.0 sits a little inside the edge.
Canvas ShapeCanvas(int size) { return Canvas(size, size, -1.15, -1.15, 1.15, 1.15); }

Pen Outline(double width, double glowRadius, double brightness = 1.0, double glow = 0.4) {
    Pen pen;
    pen.width = width;
    pen.glowRadius = glowRadius;
    pen.brightness = brightness;
    pen.glow = glow;
    return pen;
}

// Ship and enemy outlines: a little bolder, as they are seen at 20 to 45 pixels.
Pen Bold(double width, double glowRadius, double brightness = 1.0) {
    return Outline(width * 1.3, glowRadius * 1.15, brightness, 0.45);
}

std::vector<Point> Mirror(const std::vector<Point>& half) {
    // Right half from top to bottom, mirrored into a closed outline.
    std::vector<Point> all = half;
    for (size_t i = half.size(); i-- > 0;) {
        if (half[i].x != 0) all.push_back({-half[i].x, half[i].y});
    }
    return all;
}

Canvas Grid(bool crossings) {
    // 2 × 2 cells; lines on every cell edge. The lines at 0 and 2 are halves of
    // the same line, joined by the texture's repeat.
    //
    // At rest a cell is about 18 pixels across at 800 × 600 and 23 at
    // 1024 × 768, so 16 texels a cell map close to one texel per pixel. Each
    // line runs between two texel columns, which get the same brightness: the
    // game's bilinear sampling draws that pair as a flat top at least a pixel
    // wide, so every line reaches the same peak wherever it falls between
    // screen pixels, and the sheet does not shimmer as it moves. A bell-shaped
    // falloff and a faint wider halo keep the lines thin and neon.
    Canvas c(32, 32, 0, 0, 2, 2);
    const double texel = 2.0 / 32;
    for (double at : {0.0, 1.0, 2.0}) {
        for (const auto& [sigma, brightness] : {std::pair{0.6 * texel, 0.96}, std::pair{2.0 * texel, 0.07}}) {
            c.SoftLine({at, -0.5}, {at, 2.5}, sigma, brightness);
            c.SoftLine({-0.5, at}, {2.5, at}, sigma, brightness);
        }
    }
    if (crossings) {
        // A soft glowing node where the lines cross.
        for (double x : {0.0, 1.0, 2.0})
            for (double y : {0.0, 1.0, 2.0}) c.SoftDot({x, y}, 1.1 * texel, 1.25);
    }
    return c;
}

Canvas Numbers() {
    // 16 cells of one unit across the strip; digit d in cell d.
    Canvas c(512, 32, 0, 0, 16, 1);
    const double scale = 0.115;  // glyph 0.46 wide, 0.69 high
    const Pen pen = Outline(0.075, 0.09, 1.0, 0.35);
    for (int d = 0; d <= 9; ++d) {
        const Point origin{d + 0.5 - GLYPH_WIDTH * scale / 2, 0.5 - GLYPH_HEIGHT * scale / 2};
        DrawGlyph(c, static_cast<char>('0' + d), origin, scale, pen);
    }
    return c;
}

Canvas Shot() {
    // A bright streak along the heading, hottest at its head.
    Canvas c = SpriteCanvas(64);
    c.Line({0, -0.45}, {0, 0.55}, Outline(0.07, 0.14, 0.75, 0.35));
    c.Line({0, 0.05}, {0, 0.6}, Outline(0.11, 0.14, 1.0, 0.4));
    return c;
}

Canvas GlowPicture() {
    Canvas c = SpriteCanvas(128);
    c.Falloff({0, 0}, 1.0, 1.0, 1.0, 2.5);
    return c;
}

Canvas ShotGlow() {
    // A soft halo stretched along the heading.
    Canvas c = SpriteCanvas(64);
    c.Falloff({0, 0}, 0.4, 0.95, 1.0, 2.0);
    return c;
}

Canvas Spark() {
    // A soft glow round a soft bright point (no hard-edged core: at its few
    // pixels on screen a disc reads as a square).
    Canvas c = SpriteCanvas(32);
    c.Falloff({0, 0}, 0.45, 0.45, 0.6, 3.0);
    c.Falloff({0, 0}, 0.24, 0.24, 1.0, 2.0);
    return c;
}

Canvas Dropping() {
    // A cut gem: hexagonal outline, facets to a bright core.
    Canvas c = ShapeCanvas(64);
    const std::vector<Point> hex = RegularPolygon({0, 0}, 0.62, 6, 90);
    c.FillPolygon(hex, 0.12);
    c.Polyline(hex, true, Bold(0.07, 0.16));
    const std::vector<Point> inner = RegularPolygon({0, 0}, 0.3, 6, 90);
    c.Polyline(inner, true, Bold(0.05, 0.08, 0.8));
    for (size_t i = 0; i < hex.size(); ++i) c.Line(inner[i], hex[i], Bold(0.035, 0.05, 0.6));
    c.FillCircle({0, 0}, 0.12, 1.0);
    return c;
}

// A wide sign across the middle of the square: the words between two rails.
Canvas Sign(const char* text) {
    Canvas c = SpriteCanvas(256);
    const double spacing = 1.7;  // glyph units between letters
    const double wordGap = 4.5;  // glyph units for the space
    double units = 0;
    for (const char* p = text; *p; ++p) units += (*p == ' ' ? wordGap : GLYPH_WIDTH + spacing);
    units -= spacing;
    const double scale = 1.7 / units;
    const Pen pen = Outline(0.035, 0.07, 1.0, 0.4);
    double x = -units * scale / 2;
    const double y = -GLYPH_HEIGHT * scale / 2;
    for (const char* p = text; *p; ++p) {
        if (*p == ' ') {
            x += wordGap * scale;
            continue;
        }
        DrawGlyph(c, *p, {x, y}, scale, pen);
        x += (GLYPH_WIDTH + spacing) * scale;
    }
    const double rail = GLYPH_HEIGHT * scale / 2 + 0.11;
    const Pen railPen = Outline(0.022, 0.06, 0.75, 0.4);
    for (double side : {-1.0, 1.0}) {
        c.Polyline({{-0.9, side * (rail - 0.05)},
                    {-0.85, side * rail},
                    {0.85, side * rail},
                    {0.9, side * (rail - 0.05)}},
                   false, railPen);
    }
    return c;
}

Canvas GameOver() { return Sign("GAME OVER"); }

// The game-over sign's letters and rails, so a pause reads as the game's own.
Canvas Paused() { return Sign("PAUSED"); }

Canvas Tail() {
    // An engine trail: bright at the top (where the ship is), fading down.
    Canvas c = SpriteCanvas(64);
    for (int i = 0; i < 12; ++i) {
        const double y0 = 0.7 - i * 0.12;
        const double fade = 1.0 - i / 12.0;
        c.Line({0, y0}, {0, y0 - 0.12}, Outline(0.04 + 0.1 * fade, 0.1, fade, 0.35));
    }
    return c;
}

}  // namespace

// Player ships, one per control mode, all pointing up. The mode-0 ship and the
// Hunter share a colour, so their outlines differ in kind: a broad arrowhead
// against a round body with two jaws.

void DrawPlayerArrow(Canvas& c) {
    // Mode 0: a swept arrowhead with a notched tail and a cockpit line.
    const std::vector<Point> hull = Mirror({{0, 0.86}, {0.62, -0.62}, {0.22, -0.4}, {0, -0.58}});
    c.FillPolygon(hull, 0.14);
    c.Polyline(hull, true, Bold(0.07, 0.14));
    c.Line({0, 0.45}, {0, -0.2}, Bold(0.05, 0.08, 0.8));
}

void DrawPlayerClaw(Canvas& c) {
    // Mode 1: a twin-pronged claw around a long central nose that leads it, with
    // a diamond core.
    const std::vector<Point> hull = Mirror({{0, 0.94},
                                            {0.15, 0.34},
                                            {0.24, 0.2},
                                            {0.4, 0.4},
                                            {0.6, 0.16},
                                            {0.64, -0.26},
                                            {0.34, -0.72},
                                            {0, -0.54}});
    c.FillPolygon(hull, 0.12);
    c.Polyline(hull, true, Bold(0.065, 0.13));
    c.Polyline({{0, 0.08}, {0.14, -0.16}, {0, -0.4}, {-0.14, -0.16}}, true, Bold(0.05, 0.08, 0.9));
}

void DrawPlayerSaucer(Canvas& c) {
    // Mode 2: a round hull with a pointer nose and two rear fins (its glow sits behind it).
    c.FillCircle({0, -0.12}, 0.46, 0.1);
    c.Circle({0, -0.12}, 0.46, Bold(0.065, 0.13));
    c.Polyline({{-0.24, 0.36}, {0, 0.88}, {0.24, 0.36}}, false, Bold(0.065, 0.12));
    c.Polyline({{0.3, -0.48}, {0.58, -0.8}}, false, Bold(0.06, 0.1));
    c.Polyline({{-0.3, -0.48}, {-0.58, -0.8}}, false, Bold(0.06, 0.1));
    c.FillCircle({0, -0.12}, 0.13, 0.95);
}

void DrawPlayerClassic(Canvas& c) {
    // The earlier edition's ship: a plain chevron.
    const std::vector<Point> hull = Mirror({{0, 0.84}, {0.7, -0.66}, {0, -0.2}});
    c.FillPolygon(hull, 0.12);
    c.Polyline(hull, true, Bold(0.07, 0.14));
}

void DrawHunter(Canvas& c) {
    // A round-bodied hunter with two hooked jaws reaching forward, open at the
    // front: nothing like the player's arrowhead, though it has the same colour.
    c.FillCircle({0, -0.26}, 0.4, 0.12);
    c.Circle({0, -0.26}, 0.4, Bold(0.065, 0.13));
    for (double side : {-1.0, 1.0}) {
        c.Polyline({{side * 0.26, 0.02},
                    {side * 0.52, 0.34},
                    {side * 0.48, 0.68},
                    {side * 0.28, 0.9},
                    {side * 0.16, 0.76}},
                   false, Bold(0.065, 0.12));
    }
    c.Polyline(RegularPolygon({0, -0.26}, 0.16, 3, 90), true, Bold(0.05, 0.08, 0.9));
}

namespace {

Canvas ShipPicture(void (*draw)(Canvas&)) {
    Canvas c = ShapeCanvas(64);
    draw(c);
    return c;
}

// Enemies. The Wanderer and the Orbiter are always drawn turned a quarter
// (their direction is +x); Hunter and Gunner face where they fly.

Canvas Wanderer() {
    // A square in a diamond, like a spinning tile.
    Canvas c = ShapeCanvas(64);
    const std::vector<Point> diamond = {{0, 0.82}, {0.82, 0}, {0, -0.82}, {-0.82, 0}};
    c.FillPolygon(diamond, 0.1);
    c.Polyline(diamond, true, Bold(0.07, 0.14));
    c.Polyline({{-0.36, 0.36}, {0.36, 0.36}, {0.36, -0.36}, {-0.36, -0.36}}, true, Bold(0.06, 0.1, 0.85));
    return c;
}

Canvas Orbiter() {
    // A small ring with a bright hub and four spokes.
    Canvas c = ShapeCanvas(64);
    c.Circle({0, 0}, 0.36, Bold(0.07, 0.14));
    c.FillCircle({0, 0}, 0.12, 1.0);
    for (int i = 0; i < 4; ++i) {
        const double a = i * 3.14159265358979 / 2 + 0.785398;
        c.Line({0.5 * std::cos(a), 0.5 * std::sin(a)}, {0.68 * std::cos(a), 0.68 * std::sin(a)},
               Bold(0.06, 0.1, 0.9));
    }
    return c;
}

Canvas Gunner() {
    // An octagonal turret with a twin barrel along its heading.
    Canvas c = ShapeCanvas(64);
    const std::vector<Point> body = RegularPolygon({0, -0.12}, 0.58, 8, 22.5);
    c.FillPolygon(body, 0.1);
    c.Polyline(body, true, Bold(0.065, 0.13));
    c.Circle({0, -0.12}, 0.22, Bold(0.055, 0.09, 0.9));
    c.Line({-0.12, 0.12}, {-0.12, 0.86}, Bold(0.06, 0.1));
    c.Line({0.12, 0.12}, {0.12, 0.86}, Bold(0.06, 0.1));
    return c;
}

Canvas EnemyShot() {
    // A hot pellet: drawn only 0.6 units wide, so a bright core and a soft rim.
    Canvas c = SpriteCanvas(32);
    c.Falloff({0, 0}, 0.85, 0.85, 0.55, 2.0);
    c.FillCircle({0, 0}, 0.34, 1.0);
    return c;
}

}  // namespace

const std::vector<TexturePicture>& TexturePictures() {
    static const std::vector<TexturePicture> pictures = {
        {"grid6.tga", [] { return Grid(true); }},
        {"numbers.tga", Numbers},
        {"shot.tga", Shot},
        {"glow.tga", GlowPicture},
        {"shotglow.tga", ShotGlow},
        {"spark.tga", Spark},
        {"dropping.tga", Dropping},
        {"gameover.tga", GameOver},
        {"paused.tga", Paused},
        {"tail.tga", Tail},
        {"player1.tga", [] { return ShipPicture(DrawPlayerArrow); }},
        {"player2.tga", [] { return ShipPicture(DrawPlayerClaw); }},
        {"player3.tga", [] { return ShipPicture(DrawPlayerSaucer); }},
        {"enemy1.tga", Wanderer},
        {"enemy2.tga", [] { return ShipPicture(DrawHunter); }},
        {"enemy3.tga", Orbiter},
        {"enemy4.tga", Gunner},
        {"enemyshot.tga", EnemyShot},
        // The earlier edition's own two; it shares the rest.
        {"grid.tga", [] { return Grid(false); }},
        {"player.tga", [] { return ShipPicture(DrawPlayerClassic); }},
    };
    return pictures;
}
