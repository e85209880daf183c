// The paused sign over a frozen frame of each edition: drawn only while shown, only
// added to the picture (the frame stays visible under it), across the middle, and
// below the game-over sign when the game is over too.

#include "render/paused_sign.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/edition_frame.h"
#include "current/world.h"
#include "tools/editions.h"

namespace {

const std::string DATA = VORTANE_RUN_DIR "/data/";

struct Change {
    int changed = 0;    // pixels that differ
    int darker = 0;     // channels the sign made darker
    int top = 1 << 30;  // the rows the changes span, counted from the top
    int bottom = -1;
};

Change Compare(const std::vector<uint8_t>& plain, const std::vector<uint8_t>& signed_, int width) {
    Change c;
    for (size_t i = 0; i + 2 < plain.size() && i + 2 < signed_.size(); i += 3) {
        bool differs = false;
        for (int k = 0; k < 3; ++k) {
            differs = differs || plain[i + k] != signed_[i + k];
            c.darker += signed_[i + k] < plain[i + k];
        }
        if (!differs) continue;
        ++c.changed;
        int row = static_cast<int>(i / 3) / width;
        c.top = std::min(c.top, row);
        c.bottom = std::max(c.bottom, row);
    }
    return c;
}

class PausedSign : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        edition = FindEdition(GetParam());
        ASSERT_NE(edition, nullptr);
        SetUpWorld(*edition, 11);
    }
    void TearDown() override { ShowPausedSign(false); }

    std::vector<uint8_t> Frame(bool sign) {
        ShowPausedSign(sign);
        std::vector<uint8_t> rgb;
        std::string error;
        EXPECT_TRUE(DrawEditionFrame(*edition, DATA, rgb, error)) << error;
        return rgb;
    }

    const Edition* edition = nullptr;
};

TEST_P(PausedSign, LiesOverTheFrozenFrameAcrossTheMiddle) {
    const std::vector<uint8_t> plain = Frame(false);
    EXPECT_EQ(Frame(false), plain) << "nothing while the sign is not shown";
    const std::vector<uint8_t> paused = Frame(true);
    ASSERT_EQ(paused.size(), plain.size());
    Change c = Compare(plain, paused, edition->width);
    const int middle = edition->height / 2;
    EXPECT_GT(c.changed, edition->width * edition->height / 50) << "the sign shows";
    EXPECT_EQ(c.darker, 0) << "the sign only adds light: the frame stays under it";
    EXPECT_LT(c.top, middle);
    EXPECT_GT(c.bottom, middle);
    // Its glow reaches a little further than the sign; the rest of the frame stays.
    EXPECT_LT(c.bottom - c.top, edition->height * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, PausedSign, ::testing::Values("current", "classic"));

TEST(PausedSignOverGameOver, SitsBelowTheGameOverSign) {
    const Edition& current = *FindEdition("current");
    SetUpWorld(current, 11);
    lives = -1;
    std::vector<uint8_t> over, overAndPaused;
    std::string error;
    ASSERT_TRUE(DrawEditionFrame(current, DATA, over, error)) << error;
    ShowPausedSign(true);
    ASSERT_TRUE(DrawEditionFrame(current, DATA, overAndPaused, error)) << error;
    ShowPausedSign(false);
    // The sign's letters (not its wide glow): the brightest change lies well below the middle.
    int brightestRow = -1, brightest = 0;
    for (size_t i = 0; i < over.size(); ++i) {
        int gain = int(overAndPaused[i]) - int(over[i]);
        if (gain > brightest) {
            brightest = gain;
            brightestRow = static_cast<int>(i / 3) / current.width;
        }
    }
    EXPECT_GT(brightest, 100);
    EXPECT_GT(brightestRow, current.height / 2 + current.height / 20);
}

}  // namespace
