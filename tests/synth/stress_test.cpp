#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tests/synth/zonder_bytes.h"

namespace {
Instrument MakeInstrument(bool oneShot, bool noise, float pitch) {
    Instrument i{};
    i.oneShot = oneShot;
    i.noise = noise;
    i.shapeA = CurveOf(1, {{0, 0}, {0.3f, 1}, {1, 0.2f}});
    i.shapeB = CurveOf(1, {{0, 1}, {0.7f, 0}, {1, 0.5f}});
    i.amp = CurveOf(oneShot ? 30 : 200, {{0, 1}, {1, 0.5f}});
    i.release = CurveOf(20, {{0, 1}, {1, 0}});
    i.pitch = CurveOf(50, {{0, pitch}, {1, pitch}});
    i.morph = CurveOf(40, {{0, 0}, {1, 1}}, true, 0);
    i.arpCount = 3;
    i.arpSpeed = 100;
    i.arpOffsets[1] = 3;
    i.arpOffsets[2] = 7;
    return i;
}
}  // namespace

// The game thread triggers and releases voices 0..2 while the callback runs on
// another thread, as the stream's thread does. Under ThreadSanitizer this is
// the check that the hand-over has no data race; here it checks the output
// stays finite (a fast oscillator skipping segments extrapolates past the
// gains, as the one-step-per-sample rule allows) and the hand-over works afterwards.
TEST(VoiceHandOver, GameThreadTriggersWhileTheCallbackRuns) {
    ResetPlayerState();
    ZonderBytes song;
    song.Text("stress").U8(1).Append(InstrumentBytes("tone", 0, 0));
    song.U8(1).Append(PatternBytes(1, "p", {{48, 0}, {-2, 0}, {50, 0}}));
    song.U16(2).U16(0).U16(0);
    std::FILE* file = FileOf(song.data);
    ASSERT_TRUE(LoadSong(file));
    std::fclose(file);

    static Instrument instruments[4] = {MakeInstrument(true, false, 0.5f), MakeInstrument(false, false, 0.6f),
                                        MakeInstrument(true, true, 0.4f), MakeInstrument(false, true, 0.5f)};
    std::atomic<bool> gameDone{false};
    std::atomic<bool> outOfRange{false};
    std::thread audio([&] {
        std::vector<float> buffer(64);
        auto renderOnce = [&] {
            RenderAudio(buffer.data(), buffer.size());
            for (float s : buffer) {
                if (!std::isfinite(s) || std::fabs(s) > 100.0f) outOfRange.store(true);
            }
        };
        while (!gameDone.load()) renderOnce();
        renderOnce();  // whatever the game queued last
    });
    const int TRIGGERS = 40000;
    for (int i = 0; i < TRIGGERS; i++) {
        int voice = i % 3;
        if (i % 7 == 3) {
            ReleaseNote(voice);
        } else {
            TriggerNote(i % 11 == 5 ? nullptr : &instruments[i % 4], 20 + i % 60, voice);
        }
        if (i % 10000 == 0) PlaySong();
        if (i % 64 == 0) std::this_thread::yield();
    }
    gameDone.store(true);
    audio.join();
    EXPECT_FALSE(outOfRange.load());

    // The hand-over still works after the burst.
    std::vector<float> buffer(44 * 40);
    RenderAudio(buffer.data(), buffer.size());
    static Instrument held = MakeInstrument(false, false, 0.5f);
    for (int v = 0; v < 3; v++) TriggerNote(&held, 77, v);
    RenderAudio(buffer.data(), buffer.size());
    for (int v = 0; v < 3; v++) {
        EXPECT_EQ(liveVoices[v].note, 77) << v;
        EXPECT_EQ(liveVoices[v].instrument, &held);
    }
}
