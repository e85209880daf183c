#include "synth/output_volume.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A rendered stretch of the synthesizer's output, as the stream callback gets it.
std::vector<float> Samples() {
    std::vector<float> samples = {0.0f, -0.0f, 1e-38f, 0.3333333f, -0.7f, 1.5f, -2.25f, 123.456f};
    return samples;
}

class OutputVolumeTest : public ::testing::Test {
protected:
    void TearDown() override { SetOutputVolume(1.0f); }
};

}  // namespace

TEST_F(OutputVolumeTest, FullVolumeLeavesEveryBitAlone) {
    ASSERT_EQ(VolumeGain(100, false), 1.0f);
    SetOutputVolume(VolumeGain(100, false));
    std::vector<float> samples = Samples();
    std::vector<float> before = samples;
    ApplyOutputVolume(samples.data(), samples.size());
    EXPECT_EQ(std::memcmp(samples.data(), before.data(), samples.size() * sizeof(float)), 0);
}

TEST_F(OutputVolumeTest, ScalesEverySampleBelowFullAndMuteIsSilence) {
    SetOutputVolume(VolumeGain(50, false));
    EXPECT_EQ(OutputVolume(), 0.25f);
    std::vector<float> samples = Samples();
    ApplyOutputVolume(samples.data(), samples.size());
    for (size_t i = 0; i < samples.size(); ++i) EXPECT_EQ(samples[i], Samples()[i] * 0.25f) << i;

    SetOutputVolume(VolumeGain(100, true));
    samples = Samples();
    ApplyOutputVolume(samples.data(), samples.size());
    for (float sample : samples) EXPECT_EQ(sample, 0.0f);
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
    EXPECT_EQ(VolumeGain(100, true), 0.0f);
}
