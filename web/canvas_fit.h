#pragma once

struct CanvasSize {
    int width;
    int height;
};

// The largest size of the game's aspect (gameWidth : gameHeight) that fits in
// room × roomHeight, in whole CSS pixels; at least 1 × 1.
CanvasSize FitCanvas(int roomWidth, int roomHeight, int gameWidth, int gameHeight);
