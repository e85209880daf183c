#include "store/settings.h"

#include <gtest/gtest.h>

namespace {

Settings Parse(const std::string& text, std::vector<std::string>& problems) {
    Settings settings;
    ParseSettings(text, "settings.conf", settings, problems);
    return settings;
}

}  // namespace

TEST(Settings, DefaultsAreTheGameAsWritten) {
    Settings settings;
    EXPECT_EQ(settings.controlMode, 3);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_TRUE(settings.classicFullscreen);
    EXPECT_EQ(settings.effectsVolume, 100);
    EXPECT_EQ(settings.musicVolume, 100);
    EXPECT_FALSE(settings.mute);
    EXPECT_EQ(settings.fps, SETTINGS_FPS_DISPLAY);
    EXPECT_EQ(settings.keys[ACTION_FIRE], "Z");
    EXPECT_EQ(settings.keys[ACTION_LEFT], "Left");
}

TEST(Settings, WrittenFileReadsBackTheSame) {
    Settings changed;
    changed.controlMode = 1;
    changed.fullscreen = true;
    changed.classicFullscreen = false;
    changed.effectsVolume = 40;
    changed.musicVolume = 70;
    changed.mute = true;
    changed.fps = 144;
    changed.keys[ACTION_FIRE] = "Left Ctrl";
    changed.keys[ACTION_VOLUME_UP] = "=";
    std::vector<std::string> problems;
    Settings read = Parse(FormatSettings(changed), problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_TRUE(read == changed);
    EXPECT_EQ(read.keys[ACTION_FIRE], "Left Ctrl");
    EXPECT_EQ(read.keys[ACTION_VOLUME_UP], "=");
}

TEST(Settings, DefaultFileIsCommentedAndReadsAsDefaults) {
    std::string text = FormatSettings(Settings());
    EXPECT_NE(text.find("# "), std::string::npos);
    std::vector<std::string> problems;
    EXPECT_TRUE(Parse(text, problems) == Settings());
    EXPECT_TRUE(problems.empty());
}

struct BadLine {
    const char* text;
    const char* reported;  // a piece of the one line that tells of it
};

void PrintTo(const BadLine& line, std::ostream* out) { *out << "\"" << line.text << "\""; }

class SettingsBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(SettingsBadLine, IsReportedOnceAndIgnored) {
    std::vector<std::string> problems;
    std::string text = std::string("effects-volume = 30\n") + GetParam().text + "\nmute = yes\n";
    Settings settings = Parse(text, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("settings.conf line 2: "), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(GetParam().reported), std::string::npos) << problems[0];
    // The lines around it still count; the bad one changed nothing.
    EXPECT_EQ(settings.effectsVolume, 30);
    EXPECT_TRUE(settings.mute);
    Settings expected;
    expected.effectsVolume = 30;
    expected.mute = true;
    EXPECT_TRUE(settings == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsBadLine,
    ::testing::Values(BadLine{"volume = 101", "bad value \"101\" for volume"},
                      BadLine{"music-volume = 200", "bad value \"200\" for music-volume"},
                      BadLine{"effects-volume = half", "bad value \"half\" for effects-volume"},
                      BadLine{"volume = -5", "bad value \"-5\" for volume"},
                      BadLine{"volume = loud", "expected a whole number from 0 to 100"},
                      BadLine{"control-mode = 4", "expected 1, 2 or 3"},
                      BadLine{"fullscreen = maybe", "expected yes or no"},
                      BadLine{"fps = 1001", "bad value \"1001\" for fps"},
                      BadLine{"fps = fast", "display or a whole number"},
                      BadLine{"key-fire =", "bad value \"\" for key-fire"},
                      BadLine{"colour = red", "unknown setting \"colour\""},
                      BadLine{"just some words", "not a \"name = value\" line"},
                      BadLine{"= 3", "not a \"name = value\" line"}));

TEST(Settings, CommentsBlankLinesAndWindowsLineEndsAreFine) {
    std::vector<std::string> problems;
    Settings settings = Parse(
        "# a comment\r\n\r\n   # indented comment\r\nmusic-volume=70\r\n  fps =  display  \r\n", problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(settings.musicVolume, 70);
    EXPECT_EQ(settings.fps, SETTINGS_FPS_DISPLAY);
}

TEST(Settings, LaterLineWinsAndEveryKeyActionIsNamed) {
    std::vector<std::string> problems;
    std::string text = "effects-volume = 10\neffects-volume = 20\n";
    for (int action = 0; action < ACTION_COUNT; ++action)
        text += std::string(KEY_ACTIONS[action].setting) + " = K" + std::to_string(action) + "\n";
    Settings settings = Parse(text, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(settings.effectsVolume, 20);
    for (int action = 0; action < ACTION_COUNT; ++action)
        EXPECT_EQ(settings.keys[action], "K" + std::to_string(action)) << KEY_ACTIONS[action].setting;
}

// A file written before the two volumes were apart says `volume`: both take it,
// and a later line for one of them still wins for that one.
TEST(Settings, VolumeSetsBothAndEachHasItsOwn) {
    std::vector<std::string> problems;
    Settings settings = Parse("volume = 40\nmusic-volume = 90\n", problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(settings.effectsVolume, 40);
    EXPECT_EQ(settings.musicVolume, 90);
    std::string text = FormatSettings(settings);
    EXPECT_NE(text.find("\neffects-volume = 40\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nmusic-volume = 90\n"), std::string::npos) << text;
}

TEST(Settings, VolumeKeysStepOneVolumeWithinItsRangeAndUnmute) {
    Settings settings;
    StepVolume(settings, VOLUME_KEY_DOWN, false);
    EXPECT_EQ(settings.effectsVolume, 100 - VOLUME_STEP);
    EXPECT_EQ(settings.musicVolume, 100);
    StepVolume(settings, VOLUME_KEY_UP, false);
    StepVolume(settings, VOLUME_KEY_UP, false);
    EXPECT_EQ(settings.effectsVolume, VOLUME_MAX);
    for (int i = 0; i < 12; ++i) StepVolume(settings, VOLUME_KEY_DOWN, true);
    EXPECT_EQ(settings.musicVolume, 0);
    EXPECT_EQ(settings.effectsVolume, VOLUME_MAX);

    StepVolume(settings, VOLUME_KEY_MUTE, false);
    EXPECT_TRUE(settings.mute);
    EXPECT_EQ(settings.effectsVolume, VOLUME_MAX);  // kept for when the sound comes back
    StepVolume(settings, VOLUME_KEY_MUTE, true);
    EXPECT_FALSE(settings.mute);
    StepVolume(settings, VOLUME_KEY_MUTE, false);
    StepVolume(settings, VOLUME_KEY_UP, true);
    EXPECT_FALSE(settings.mute);
    EXPECT_EQ(settings.musicVolume, VOLUME_STEP);
}

TEST(Settings, PadVolumeButtonsStepOncePerPressNotPerHeldStep) {
    PadVolumeButtons pad;
    VolumeKey key = VOLUME_KEY_MUTE;
    EXPECT_FALSE(pad.Pressed(false, false, key));
    ASSERT_TRUE(pad.Pressed(true, false, key));
    EXPECT_EQ(key, VOLUME_KEY_DOWN);
    // Held down over the next steps: no repeat.
    EXPECT_FALSE(pad.Pressed(true, false, key));
    EXPECT_FALSE(pad.Pressed(true, false, key));
    ASSERT_TRUE(pad.Pressed(true, true, key));
    EXPECT_EQ(key, VOLUME_KEY_UP);
    EXPECT_FALSE(pad.Pressed(false, true, key));
    // Released and pressed again: a second step.
    EXPECT_FALSE(pad.Pressed(false, false, key));
    ASSERT_TRUE(pad.Pressed(true, false, key));
    EXPECT_EQ(key, VOLUME_KEY_DOWN);
}
