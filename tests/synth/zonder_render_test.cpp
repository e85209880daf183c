#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "synth/instrument_file.h"
#include "synth/noise.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/voices.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/support/programs.h"
#include "tests/synth/zonder_bytes.h"

namespace {
const std::string TOOL = VORTANE_RUN_DIR "/zonder-render";

// Runs the tool with the arguments; returns its exit status, stderr in err.
int RunRender(const std::string& args, std::string* err = nullptr) {
    ShellResult run = RunShell(TOOL + " " + args);
    if (err) *err = run.err;
    return run.status;
}

void WriteBytes(const std::string& path, const ZonderBytes& b) { ::WriteBytes(path, b.data); }

struct Wav {
    std::vector<uint8_t> header;
    std::vector<float> samples;
};

Wav ReadWav(const std::string& path) {
    std::vector<uint8_t> all = ReadBytes(path);
    Wav wav;
    if (all.size() < 58) return wav;
    wav.header.assign(all.begin(), all.begin() + 58);
    wav.samples.resize((all.size() - 58) / 4);
    // An empty render has no samples, and memcpy must not see vector's null data().
    if (!wav.samples.empty()) std::memcpy(wav.samples.data(), all.data() + 58, wav.samples.size() * 4);
    return wav;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The noise instrument the seed tests play, and a sustained tone.
ZonderBytes NoiseBytes() { return InstrumentBytes("hiss", 1, 1, 200); }
ZonderBytes ToneBytes() { return InstrumentBytes("tone", 0, 0, 50); }
}  // namespace

TEST(ZonderRender, BadArgumentsAndFilesExitWithTwo) {
    ScratchDir scratch;
    WriteFile("ok.events", "0 trigger 0 48 1\n");
    WriteFile("bad.events", "# a comment\n100 trigger 0 48 9\n");
    WriteFile("junk.events", "100 sing loudly\n");
    struct Case {
        std::string args;
        std::string said;  // part of the message
    };
    for (const Case& c : {
             Case{"", "--samples"},
             Case{"--samples 10", "--out"},
             Case{"--samples ten --out x.wav", "--samples"},
             Case{"--samples 10 --out x.wav --buffer 0", "--buffer"},
             Case{"--samples 10 --out x.wav --volume 3", "unknown"},
             Case{"--samples 10 --out x.wav --effect 100=a.zdi", "slot"},
             Case{"--samples 10 --out x.wav --effect 0=missing.zdi", "missing.zdi"},
             Case{"--samples 10 --out x.wav --song missing.zds", "missing.zds"},
             Case{"--samples 10 --out x.wav --events missing.events", "missing.events"},
             Case{"--samples 10 --out x.wav --events bad.events", "bad.events:2"},
             Case{"--samples 10 --out x.wav --events junk.events", "junk.events:1"},
             Case{"--samples 10 --out x.wav --song " VORTANE_SOURCE_DIR "/tests/bad/song_note_120.zds",
                  "note 120"},
             Case{"--samples 10 --out x.wav --effect 1=" VORTANE_SOURCE_DIR
                  "/tests/bad/instrument_amp_length_0.zdi",
                  "amp curve length 0"},
         }) {
        std::string err;
        EXPECT_EQ(RunRender(c.args, &err), 2) << c.args;
        EXPECT_NE(err.find(c.said), std::string::npos) << c.args << "\n" << err;
    }
}

TEST(ZonderRender, WritesFloatWavExactlyAsTheCallbackRenders) {
    ScratchDir scratch;
    WriteBytes("tone.zdi", ToneBytes());
    WriteFile("tone.events",
              "# two notes and a release\n0 trigger 3 48 1\n1000 trigger 3 55 1\n3000 release 1\n");
    ASSERT_EQ(RunRender("--effect 3=tone.zdi --events tone.events --samples 5000 --buffer 1 --out tone.wav"),
              0);
    Wav wav = ReadWav("tone.wav");
    ASSERT_EQ(wav.header.size(), 58u);
    EXPECT_EQ(std::string(wav.header.begin(), wav.header.begin() + 4), "RIFF");
    EXPECT_EQ(U32(wav.header, 4), 50u + 4 * 5000);
    EXPECT_EQ(U32(wav.header, 16), 18u);
    EXPECT_EQ(wav.header[20] | wav.header[21] << 8, 3);  // IEEE float
    EXPECT_EQ(wav.header[22] | wav.header[23] << 8, 1);  // mono
    EXPECT_EQ(U32(wav.header, 24), 44100u);
    EXPECT_EQ(wav.header[34] | wav.header[35] << 8, 32);  // bits
    EXPECT_EQ(U32(wav.header, 54), 4u * 5000);
    ASSERT_EQ(wav.samples.size(), 5000u);

    // The same in-process, with each request made right before its sample.
    ResetPlayerState();
    ASSERT_TRUE(LoadSoundEffect(3, "tone.zdi"));
    std::vector<float> expected(5000);
    TriggerNote(soundEffects[3], 48, 1);
    RenderAudio(expected.data(), 1000);
    TriggerNote(soundEffects[3], 55, 1);
    RenderAudio(expected.data() + 1000, 2000);
    ReleaseNote(1);
    RenderAudio(expected.data() + 3000, 2000);
    EXPECT_EQ(wav.samples, expected);
    EXPECT_NE(expected[500], 0.0f);

    // Larger buffers move the events to the next buffer start: 1000 lands at 1024.
    ASSERT_EQ(
        RunRender("--effect 3=tone.zdi --events tone.events --samples 5000 --buffer 512 --out tone512.wav"),
        0);
    Wav coarse = ReadWav("tone512.wav");
    ASSERT_EQ(coarse.samples.size(), 5000u);
    EXPECT_TRUE(std::equal(coarse.samples.begin(), coarse.samples.begin() + 1000, expected.begin()));
    EXPECT_NE(coarse.samples, expected);
}

TEST(ZonderRender, EventsDueTogetherRunInFileOrder) {
    ScratchDir scratch;
    WriteBytes("tone.zdi", ToneBytes());
    WriteBytes("hiss.zdi", NoiseBytes());
    // Both become due at the buffer starting at 1024; file order puts hiss last.
    WriteFile("order.events", "900 trigger 0 40 2\n100 trigger 1 60 2\n");
    ASSERT_EQ(
        RunRender(
            "--effect 0=tone.zdi --effect 1=hiss.zdi --events order.events --samples 3000 --out order.wav"),
        0);
    ResetPlayerState();
    ASSERT_TRUE(LoadSoundEffect(0, "tone.zdi"));
    ASSERT_TRUE(LoadSoundEffect(1, "hiss.zdi"));
    std::vector<float> expected(3000);
    RenderAudio(expected.data(), 1024);
    TriggerNote(soundEffects[0], 40, 2);
    TriggerNote(soundEffects[1], 60, 2);
    RenderAudio(expected.data() + 1024, 1024);
    RenderAudio(expected.data() + 2048, 952);
    EXPECT_EQ(ReadWav("order.wav").samples, expected);
}

TEST(ZonderRender, SeedChoosesTheNoise) {
    ScratchDir scratch;
    WriteBytes("hiss.zdi", NoiseBytes());
    WriteFile("hiss.events", "0 trigger 0 60 0\n");
    std::string common = "--effect 0=hiss.zdi --events hiss.events --samples 4000 ";
    ASSERT_EQ(RunRender(common + "--out a.wav"), 0);
    ASSERT_EQ(RunRender(common + "--seed 1 --out b.wav"), 0);
    ASSERT_EQ(RunRender(common + "--seed 7 --out c.wav"), 0);
    std::vector<float> a = ReadWav("a.wav").samples, c = ReadWav("c.wav").samples;
    EXPECT_EQ(a, ReadWav("b.wav").samples);
    EXPECT_NE(a, c);
    ResetPlayerState();
    SeedSynthNoise(7);
    ASSERT_TRUE(LoadSoundEffect(0, "hiss.zdi"));
    std::vector<float> expected(4000);
    TriggerNote(soundEffects[0], 60, 0);
    RenderAudio(expected.data(), 4000);
    EXPECT_EQ(c, expected);
}

TEST(ZonderRender, PlaysTheSongFromPlayEvent) {
    ScratchDir scratch;
    ZonderBytes song;
    song.Text("tune").U8(1).Append(ToneBytes());
    song.U8(1).Append(PatternBytes(1, "p", {{48, 0}}));
    song.U16(1).U16(0);
    WriteBytes("tune.zds", song);
    WriteFile("play.events", "0 play\n");
    ASSERT_EQ(RunRender("--song tune.zds --samples 6000 --out silent.wav"), 0);
    ASSERT_EQ(RunRender("--song tune.zds --events play.events --samples 6000 --out tune.wav"), 0);
    std::vector<float> silent = ReadWav("silent.wav").samples, tune = ReadWav("tune.wav").samples;
    ASSERT_EQ(tune.size(), 6000u);
    EXPECT_EQ(silent, std::vector<float>(6000, 0.0f));
    // Nothing before the first sequencer tick at 2940 and its control tick.
    for (int i = 0; i < 2940; i++) ASSERT_EQ(tune[i], 0.0f) << i;
    bool sounds = false;
    for (int i = 2940; i < 6000; i++) sounds = sounds || tune[i] != 0.0f;
    EXPECT_TRUE(sounds);
}

// --- For authors: text sources, seconds, note names, the segment warning, --play.

namespace {
const std::string SOUNDS = VORTANE_SOURCE_DIR "/assets/sounds/";
const std::string MUSIC = VORTANE_SOURCE_DIR "/assets/music/";
const std::string BUILT = VORTANE_RUN_DIR "/data/";
const std::string BAD = VORTANE_SOURCE_DIR "/tests/bad/";

bool Audible(const Wav& wav) {
    for (float s : wav.samples)
        if (s != 0.0f) return true;
    return false;
}
}  // namespace

TEST(ZonderRender, TextSourcesRenderAsTheirCompiledFiles) {
    ScratchDir scratch;
    WriteFile("shot.events", "0 trigger 0 37 1\n");
    ASSERT_EQ(
        RunRender("--effect 0=" + SOUNDS + "shot.zit --events shot.events --samples 8000 --out text.wav"), 0);
    ASSERT_EQ(
        RunRender("--effect 0=" + BUILT + "shot.zdi --events shot.events --samples 8000 --out built.wav"), 0);
    EXPECT_TRUE(Audible(ReadWav("text.wav")));
    EXPECT_EQ(ReadFile("text.wav"), ReadFile("built.wav"));

    WriteFile("song.events", "0 play\n");
    ASSERT_EQ(
        RunRender("--song " + MUSIC + "zazizer.zst --events song.events --samples 100000 --out text.wav"), 0);
    ASSERT_EQ(
        RunRender("--song " + BUILT + "zazizer.zds --events song.events --samples 100000 --out built.wav"),
        0);
    EXPECT_TRUE(Audible(ReadWav("text.wav")));
    EXPECT_EQ(ReadFile("text.wav"), ReadFile("built.wav"));
}

TEST(ZonderRender, BrokenTextSourceIsRefusedByFileAndLine) {
    ScratchDir scratch;
    for (const std::string& option : {"--effect 0=" + BAD + "text_instrument_missing_pitch.zit",
                                      "--effect 0=" + BAD + "text_instrument_points_falling.zit",
                                      "--song " + BAD + "text_song_bad_note_name.zst",
                                      "--song " + BAD + "text_song_note_too_fast_for_its_waveform.zst",
                                      std::string("--effect 0=no-such-source.zit")}) {
        std::string err;
        EXPECT_EQ(RunRender(option + " --samples 10 --out x.wav", &err), 2) << option;
        EXPECT_EQ(err.rfind("zonder-render: ", 0), 0u) << err;
        std::string file = option.substr(option.find_last_of("= ") + 1);
        EXPECT_NE(err.find(file + ":"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(std::ifstream("x.wav").good()) << option;
    }
}

TEST(ZonderRender, SecondsCountSamplesAtTheOutputRate) {
    ScratchDir scratch;
    struct Case {
        const char* seconds;
        size_t samples;
    };
    for (const Case& c :
         {Case{"0.5", 22050}, Case{"1", 44100}, Case{"0", 0}, Case{"0.00001", 0}, Case{"2e-3", 88}}) {
        ASSERT_EQ(RunRender(std::string("--seconds ") + c.seconds + " --out s.wav"), 0) << c.seconds;
        Wav wav = ReadWav("s.wav");
        EXPECT_EQ(U32(wav.header, 54), 4 * c.samples) << c.seconds;
        EXPECT_EQ(wav.samples.size(), c.samples) << c.seconds;
    }
    for (const char* bad :
         {"--seconds -1", "--seconds abc", "--seconds 1 --samples 10", "--seconds inf", "--seconds 30000"}) {
        std::string err;
        EXPECT_EQ(RunRender(std::string(bad) + " --out bad.wav", &err), 2) << bad;
        EXPECT_NE(err.find("--s"), std::string::npos) << err;
    }
}

TEST(ZonderRender, NoteNamesAreTheNumbersTheyName) {
    ScratchDir scratch;
    WriteBytes("tone.zdi", ToneBytes());
    struct Case {
        const char* name;
        int number;
    };
    for (const Case& c : {Case{"A-0", 0}, Case{"B-0", 2}, Case{"C-1", 3}, Case{"C-4", 39}, Case{"A-4", 48},
                          Case{"A#4", 49}, Case{"G#10", 119}}) {
        WriteFile("named.events", std::string("0 trigger 1 ") + c.name + " 2\n");
        WriteFile("numbered.events", "0 trigger 1 " + std::to_string(c.number) + " 2\n");
        ASSERT_EQ(RunRender("--effect 1=tone.zdi --events named.events --samples 3000 --out named.wav"), 0)
            << c.name;
        ASSERT_EQ(RunRender("--effect 1=tone.zdi --events numbered.events --samples 3000 --out numbered.wav"),
                  0);
        EXPECT_TRUE(Audible(ReadWav("named.wav"))) << c.name;
        EXPECT_EQ(ReadFile("named.wav"), ReadFile("numbered.wav")) << c.name;
    }
    for (const char* bad : {"H-4", "a-4", "A-11", "C-0", "A4", "A-4x", "120", "-1"}) {
        WriteFile("bad.events", std::string("# a comment\n0 trigger 1 ") + bad + " 2\n");
        std::string err;
        EXPECT_EQ(RunRender("--effect 1=tone.zdi --events bad.events --samples 10 --out bad.wav", &err), 2)
            << bad;
        EXPECT_NE(err.find("bad.events:2: note must be"), std::string::npos) << err;
    }
}

TEST(ZonderRender, WarnsWhenATriggeredNoteJumpsAWaveformSegment) {
    ScratchDir scratch;
    // The shot a little below the note the game plays it at is safe (its pitch
    // sweep starts an octave up, plus two octaves of arpeggio); at A-4 its
    // narrow pulse segment is jumped over.
    WriteFile("safe.events", "0 trigger 0 30 1\n");
    std::string err;
    ASSERT_EQ(RunRender("--effect 0=" + SOUNDS + "shot.zit --events safe.events --samples 100 --out safe.wav",
                        &err),
              0);
    EXPECT_EQ(err, "");
    WriteFile("high.events", "0 trigger 0 30 1\n100 trigger 0 A-4 1\n");
    ASSERT_EQ(RunRender("--effect 0=" + SOUNDS + "shot.zit --events high.events --samples 300 --out high.wav",
                        &err),
              0);
    EXPECT_EQ(err.rfind("zonder-render: high.events:2: warning: effect 0, A-4: ", 0), 0u) << err;
    EXPECT_NE(err.find("which it can skip"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(ReadWav("high.wav").samples.size(), 300u);
    // A binary effect is checked the same way.
    ASSERT_EQ(
        RunRender("--effect 0=" + BUILT + "shot.zdi --events high.events --samples 300 --out high.wav", &err),
        0);
    EXPECT_NE(err.find("high.events:2: warning"), std::string::npos) << err;
}

TEST(ZonderRender, TheGamesOwnNotesRenderWithoutAWarning) {
    // The shot starts an octave up (plus two octaves of arpeggio) but on wide
    // segments, and has fallen by the time its shape narrows; the death's falling
    // arpeggio never outruns its segments. Neither can skip one, so neither warns.
    ScratchDir scratch;
    struct Use {
        const char* file;
        const char* events;
    };
    const Use uses[] = {{"shot.zit", "0 trigger 0 37 1\n"},
                        {"die.zit", "0 trigger 0 42 2\n"},
                        {"levelup.zit", "0 trigger 0 42 2\n"},
                        {"pickup.zit", "0 trigger 0 56 2\n"},
                        {"explode.zit", "0 trigger 0 50 0\n100 trigger 0 40 0\n200 trigger 0 30 0\n"}};
    for (const Use& use : uses) {
        WriteFile("game.events", use.events);
        std::string err;
        EXPECT_EQ(RunRender("--effect 0=" + SOUNDS + use.file +
                                " --events game.events --samples 300 --out game.wav",
                            &err),
                  0);
        EXPECT_EQ(err, "") << use.file;
    }
}

TEST(ZonderRender, WarnsOnlyWhileTheStepOutrunsTheSegmentItMeets) {
    // One narrow segment, in shapeB only: the morph reaches it at the end of the
    // note. A pitch that falls away before then never skips it; the same pitch held
    // high to the end does.
    ScratchDir scratch;
    const std::string shapes =
        "name \"probe\"\none-shot yes\nnoise no\n"
        "shapeA length 1\n  points 0:128 60:255 120:128 180:0 255:128\n"
        "shapeB length 1\n  points 0:128 60:255 63:128 180:0 255:128\n"
        "amp length 200\n  points 0:0 5:255 250:0 255:0\n"
        "morph length 200\n  points 0:0 200:0 255:255\n";
    WriteFile("falling.zit", shapes + "pitch length 200\n  points 0:255 100:40 255:40\n");
    WriteFile("held.zit", shapes + "pitch length 200\n  points 0:255 255:255\n");
    WriteFile("probe.events", "0 trigger 0 60 1\n");
    std::string err;
    ASSERT_EQ(RunRender("--effect 0=falling.zit --events probe.events --samples 100 --out probe.wav", &err),
              0);
    EXPECT_EQ(err, "");
    ASSERT_EQ(RunRender("--effect 0=held.zit --events probe.events --samples 100 --out probe.wav", &err), 0);
    EXPECT_EQ(err.rfind("zonder-render: probe.events:1: warning: effect 0, ", 0), 0u) << err;
    EXPECT_NE(err.find("segment 1 "), std::string::npos) << err;
}

// Whatever the machine has: with an output device the render is heard and nothing
// is written; without one the tool says so and ends with status 1.
TEST(ZonderRender, PlayTakesTheDeviceInsteadOfAFile) {
    ScratchDir scratch;
    for (const char* bad :
         {"--play --out x.wav --samples 10", "--play", "--samples 10", "--play=yes --samples 10"}) {
        std::string err;
        EXPECT_EQ(RunRender(bad, &err), 2) << bad;
        EXPECT_NE(err.find("try --help"), std::string::npos) << err;
    }
    WriteFile("shot.events", "0 trigger 0 37 1\n");
    std::string err;
    int status = RunRender(
        "--effect 0=" + BUILT + "shot.zdi --events shot.events --seconds 0.2 --play > out.bin", &err);
    EXPECT_TRUE(status == 0 || status == 1) << status << "\n" << err;
    if (status == 1) {
        EXPECT_NE(err.find("zonder-render: no audio output device to play on\n"), std::string::npos) << err;
    }
    EXPECT_EQ(ReadFile("out.bin"), "");
}
