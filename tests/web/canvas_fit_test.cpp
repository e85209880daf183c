#include "web/canvas_fit.h"

#include <gtest/gtest.h>

TEST(CanvasFit, KeepsTheGamesAspectInAnyRoom) {
    struct Case {
        int roomWidth, roomHeight, gameWidth, gameHeight, width, height;
    };
    const Case cases[] = {
        {800, 600, 800, 600, 800, 600},       // exactly the game
        {1920, 1080, 800, 600, 1440, 1080},   // wide room: the height decides
        {1000, 2000, 1024, 768, 1000, 750},   // tall room: the width decides
        {1600, 1200, 1024, 768, 1600, 1200},  // larger, same aspect
        {333, 1000, 800, 600, 333, 249},      // rounds down, never overflows the room
        {0, 0, 800, 600, 1, 1},               // a hidden page still gets a canvas
        {5, 1000, 800, 600, 5, 3},
    };
    for (const Case& c : cases) {
        CanvasSize size = FitCanvas(c.roomWidth, c.roomHeight, c.gameWidth, c.gameHeight);
        EXPECT_EQ(size.width, c.width) << c.roomWidth << "x" << c.roomHeight;
        EXPECT_EQ(size.height, c.height) << c.roomWidth << "x" << c.roomHeight;
        EXPECT_LE(size.width, c.roomWidth < 1 ? 1 : c.roomWidth);
        EXPECT_LE(size.height, c.roomHeight < 1 ? 1 : c.roomHeight);
    }
}
