#include "synth/output_volume.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/voices.h"
#include "tests/synth/zonder_bytes.h"

namespace {

constexpr int SAMPLES = 3000;

const Instrument EFFECT = SustainedSaw(0.5f);
const Instrument TUNE = SustainedSaw(0.37f);

// A fresh player at the given volumes with notes on the effects' voices 0 and 2
// and on the song's voices 3 and 5, as chosen; SAMPLES of its output.
std::vector<float> Render(OutputGains gains, bool effects, bool music) {
    SetOutputVolume(gains.effects, gains.music);
    ResetPlayerState();
    std::vector<float> out(SAMPLES);
    RenderAudio(out.data(), 1);  // the first control tick
    if (effects) {
        TriggerNote(&EFFECT, 40, 0);
        TriggerNote(&EFFECT, 47, 2);
    }
    if (music) {
        TriggerNote(&TUNE, 52, SONG_VOICE_FIRST);
        TriggerNote(&TUNE, 59, VOICE_COUNT - 1);
    }
    RenderAudio(out.data(), SAMPLES);
    return out;
}

OutputGains Gains(float effects, float music) {
    OutputGains gains;
    gains.effects = effects;
    gains.music = music;
    return gains;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class OutputVolumeTest : public ::testing::Test {
protected:
    void TearDown() override { SetOutputVolume(1.0f, 1.0f); }
};

}  // namespace

// Full volume is the mix as written: the voices summed in order, 0 to 5, by hand.
TEST_F(OutputVolumeTest, FullVolumeIsTheSumOfTheVoicesInOrder) {
    ASSERT_EQ(VolumeGain(100, false), 1.0f);
    std::vector<float> mixed = Render(Gains(1.0f, 1.0f), true, true);
    SetOutputVolume(1.0f, 1.0f);
    ResetPlayerState();
    std::vector<float> one(1);
    RenderAudio(one.data(), 1);
    TriggerNote(&EFFECT, 40, 0);
    TriggerNote(&EFFECT, 47, 2);
    TriggerNote(&TUNE, 52, SONG_VOICE_FIRST);
    TriggerNote(&TUNE, 59, VOICE_COUNT - 1);
    DrainVoiceRequests();
    float loudest = 0.0f;
    for (int i = 0; i < SAMPLES; ++i) {
        controlCounter += 1;
        if (controlCounter >= CONTROL_TICK_SAMPLES) {
            controlCounter = 0;
            VoiceControlTick();
        }
        float sum = 0.0f;
        for (int v = 0; v < VOICE_COUNT; v++) {
            if (liveVoices[v].active) sum += VoiceSample(liveVoices[v]);
        }
        ASSERT_EQ(std::memcmp(&sum, &mixed[i], sizeof sum), 0) << "sample " << i;
        loudest = sum > loudest ? sum : loudest;
    }
    EXPECT_GT(loudest, 0.3f);
}

// Each volume reaches only its own voices: silencing one side leaves exactly what
// the other side plays alone, and a gain scales its side's sum.
TEST_F(OutputVolumeTest, EffectsAndMusicEachTakeTheirOwnGain) {
    std::vector<float> effectsAlone = Render(Gains(1.0f, 1.0f), true, false);
    std::vector<float> musicAlone = Render(Gains(1.0f, 1.0f), false, true);
    EXPECT_TRUE(SameBits(Render(Gains(0.0f, 1.0f), true, true), musicAlone));
    EXPECT_TRUE(SameBits(Render(Gains(1.0f, 0.0f), true, true), effectsAlone));

    const float effectsGain = VolumeGain(60, false), musicGain = VolumeGain(30, false);
    std::vector<float> both = Render(Gains(effectsGain, musicGain), true, true);
    for (int i = 0; i < SAMPLES; ++i) {
        float expected = effectsAlone[i] * effectsGain + musicAlone[i] * musicGain;
        ASSERT_EQ(both[i], expected) << "sample " << i;
    }
}

TEST_F(OutputVolumeTest, MuteIsSilenceAndTheVolumesComeBackAfter) {
    std::vector<float> full = Render(Gains(1.0f, 1.0f), true, true);
    std::vector<float> muted = Render(Gains(VolumeGain(100, true), VolumeGain(100, true)), true, true);
    for (float sample : muted) ASSERT_EQ(sample, 0.0f);
    EXPECT_TRUE(SameBits(Render(Gains(1.0f, 1.0f), true, true), full));
}

TEST_F(OutputVolumeTest, GainRisesWithEveryStepFromSilenceToOne) {
    EXPECT_EQ(VolumeGain(0, false), 0.0f);
    float previous = 0.0f;
    for (int percent = 10; percent <= 100; percent += 10) {
        float gain = VolumeGain(percent, false);
        EXPECT_GT(gain, previous) << percent;
        EXPECT_LE(gain, 1.0f);
        previous = gain;
    }
    EXPECT_EQ(VolumeGain(50, false), 0.25f);
    EXPECT_EQ(VolumeGain(100, true), 0.0f);
}
