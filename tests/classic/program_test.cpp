// The earlier edition's program frame: a full-screen request that the display
// refuses becomes a 1024 × 768 window without a word, start-up loads the ten
// textures into their slots and resets the world, and shutdown shows the cursor.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/message_box.h"
#include "app/run_game.h"
#include "app/window.h"
#include "classic/edition.h"
#include "classic/update.h"
#include "classic/world.h"
#include "render/textures.h"
#include "tests/classic/test_pictures.h"
#include "tests/support/folders.h"

namespace {

struct ModeRequest {
    int width, height, bits, refreshRate;
};
std::vector<ModeRequest> requests;
std::vector<std::string> boxes;

bool RefuseMode(int width, int height, int bits, int refreshRate, SDL_DisplayMode*) {
    requests.push_back({width, height, bits, refreshRate});
    return false;
}

void RecordBox(const char* text, const char* caption, BoxIcon) {
    boxes.push_back(std::string(caption) + ": " + text);
}

// Offers a mode no display has (one pixel short each way), so the full-screen
// request is taken while the window is hidden and fails only when it shows.
bool OfferModeTheDisplayLacks(int width, int height, int bits, int refreshRate, SDL_DisplayMode* mode) {
    requests.push_back({width, height, bits, refreshRate});
    *mode = SDL_DisplayMode{SDL_PIXELFORMAT_RGB888, width - 1, height - 1, refreshRate, nullptr};
    return true;
}

// What the first step saw.
struct Seen {
    bool fullscreen = true;
    Uint32 windowFlags = 0;
    int width = 0, height = 0;
    bool gridLoaded = false, digitsLoaded = false;
    std::vector<bool> slotLoaded;
    int lives = 0, fireLatch = 0;
    bool stepped = false;
    int cursorAtRelease = -1;
};
Seen seen;

bool ProbeStep(Controls& controls) {
    seen.fullscreen = fullscreen;
    seen.windowFlags = SDL_GetWindowFlags(appWindow);
    SDL_GetWindowSize(appWindow, &seen.width, &seen.height);
    seen.gridLoaded = gridTexture.Id() != 0;
    seen.digitsLoaded = digitTexture.Id() != 0;
    for (const Texture& t : spriteTextures) seen.slotLoaded.push_back(t.Id() != 0);
    seen.lives = classic::lives;
    seen.fireLatch = classic::fireLatch;
    seen.stepped = classic::UpdateWorld(controls);
    return false;  // one step is enough: end as Escape does
}

void ProbeRelease() {
    ReleaseTextures();
    seen.cursorAtRelease = SDL_ShowCursor(SDL_QUERY);
}

// The earlier edition run with the probes for its step and release, its message
// boxes recorded and `request` answering its display-mode request; RunGame's status.
int RunProbedGame(DisplayModeRequest request) {
    MessageBoxHandler previousBoxes = SetMessageBoxHandler(RecordBox);
    DisplayModeRequest previousRequest = SetDisplayModeRequest(request);
    Edition edition = classic::edition;
    edition.updateWorld = ProbeStep;
    edition.releaseGraphics = ProbeRelease;
    int status = RunGame(edition);
    SetDisplayModeRequest(previousRequest);
    SetMessageBoxHandler(previousBoxes);
    return status;
}

}  // namespace

TEST(ClassicProgram, RefusedDisplayModeFallsBackToAWindowAndStartsUp) {
    ScratchDir folder;
    mkdir("data", 0755);
    WriteClassicTestPictures("data/");
    ASSERT_TRUE(classic::edition.fullscreen) << "the refusal needs an edition that asks for full screen";
    EXPECT_EQ(RunProbedGame(RefuseMode), 0);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].width, 1024);
    EXPECT_EQ(requests[0].height, 768);
    EXPECT_EQ(requests[0].bits, 32);
    EXPECT_EQ(requests[0].refreshRate, 75);
    EXPECT_FALSE(seen.fullscreen);
    EXPECT_FALSE(seen.windowFlags & SDL_WINDOW_FULLSCREEN);
    EXPECT_EQ(seen.width, 1024);
    EXPECT_EQ(seen.height, 768);
    for (const std::string& box : boxes) EXPECT_EQ(box.find("ERROR"), std::string::npos) << box;

    EXPECT_TRUE(seen.gridLoaded);
    EXPECT_TRUE(seen.digitsLoaded);
    ASSERT_EQ(seen.slotLoaded.size(), size_t(SPRITE_SLOT_COUNT));
    for (int slot = 0; slot < SPRITE_SLOT_COUNT; ++slot) {
        EXPECT_EQ(seen.slotLoaded[slot], slot <= classic::SLOT_GAMEOVER) << "slot " << slot;
    }
    EXPECT_EQ(seen.lives, 2);
    EXPECT_EQ(seen.fireLatch, 1) << "NewGame arms the latch";
    EXPECT_TRUE(seen.stepped);
    EXPECT_EQ(seen.cursorAtRelease, SDL_ENABLE);
}

TEST(ClassicProgram, FullScreenRefusedOnShowingFallsBackToAWindow) {
    ScratchDir folder;
    EXPECT_EQ(RunProbedGame(OfferModeTheDisplayLacks), 0);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(seen.fullscreen);
    EXPECT_FALSE(seen.windowFlags & SDL_WINDOW_FULLSCREEN);
    EXPECT_EQ(seen.width, 1024);
    EXPECT_EQ(seen.height, 768);
    for (const std::string& box : boxes) EXPECT_EQ(box.find("ERROR"), std::string::npos) << box;
    EXPECT_TRUE(seen.stepped);
    EXPECT_EQ(seen.cursorAtRelease, SDL_ENABLE);
}
