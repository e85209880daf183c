#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tools/texture_canvas.h"

// Every picture the two editions load, by file name, with the code that draws it.
struct TexturePicture {
    std::string file;
    std::function<Canvas()> draw;
};

const std::vector<TexturePicture>& TexturePictures();

// The ship outlines, each drawn pointing up on a canvas whose frame is a little
// wider than [-1, 1] (so the glow keeps off the border); other pictures, such as
// an icon, can draw them at any size.
void DrawPlayerArrow(Canvas& c);    // mode 0
void DrawPlayerClaw(Canvas& c);     // mode 1
void DrawPlayerSaucer(Canvas& c);   // mode 2
void DrawPlayerClassic(Canvas& c);  // the earlier edition's ship
void DrawHunter(Canvas& c);
