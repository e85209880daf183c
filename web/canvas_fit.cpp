#include "web/canvas_fit.h"

#include <cstdint>

CanvasSize FitCanvas(int roomWidth, int roomHeight, int gameWidth, int gameHeight) {
    if (roomWidth < 1) roomWidth = 1;
    if (roomHeight < 1) roomHeight = 1;
    if (gameWidth < 1 || gameHeight < 1) return {roomWidth, roomHeight};
    // Compare roomWidth / roomHeight with the game's ratio without rounding.
    int64_t wide = int64_t(roomWidth) * gameHeight;
    int64_t tall = int64_t(roomHeight) * gameWidth;
    CanvasSize size;
    if (wide > tall) {  // room wider than the game: height decides
        size.height = roomHeight;
        size.width = static_cast<int>(int64_t(roomHeight) * gameWidth / gameHeight);
    } else {
        size.width = roomWidth;
        size.height = static_cast<int>(int64_t(roomWidth) * gameHeight / gameWidth);
    }
    if (size.width < 1) size.width = 1;
    if (size.height < 1) size.height = 1;
    return size;
}
