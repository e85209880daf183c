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
