// The built sound effects and song, loaded and played by the game's own player
// exactly as the game plays them: each effect on its voice at its notes, the
// song through the sequencer.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "assets/manifest.h"
#include "synth/instrument_file.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"

namespace {

const std::string DATA = VORTANE_RUN_DIR "/data/";
constexpr int RATE = 44100;

struct Played {
    std::vector<float> samples;  // up to the control tick at which the voice went idle
    double endSeconds = -1;      // when the voice went idle; -1: still sounding
    float peak = 0;
};

// Renders one note on an idle player until its voice goes idle (or maxSeconds).
Played PlayEffect(int slot, int note, int voice, double maxSeconds) {
    Played p;
    TriggerNote(soundEffects[slot], note, voice);
    std::vector<float> block(CONTROL_TICK_SAMPLES);
    bool started = false;
    while (p.samples.size() < maxSeconds * RATE) {
        RenderAudio(block.data(), block.size());
        for (float s : block) p.peak = std::max(p.peak, std::fabs(s));
        p.samples.insert(p.samples.end(), block.begin(), block.end());
        if (liveVoices[voice].active) started = true;
        if (started && !liveVoices[voice].active) {
            // Blocks start on a control tick, so the voice went idle at this
            // block's first sample and the block itself is silent.
            p.samples.resize(p.samples.size() - block.size());
            p.endSeconds = static_cast<double>(p.samples.size()) / RATE;
            break;
        }
    }
    return p;
}

// Sign changes per second over [from, to) seconds: a rough pitch or brightness.
double CrossingRate(const std::vector<float>& s, double from, double to) {
    const size_t a = static_cast<size_t>(from * RATE), b = std::min(s.size(), static_cast<size_t>(to * RATE));
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i)
        if ((s[i - 1] < 0) != (s[i] < 0)) ++crossings;
    return b > a ? crossings * static_cast<double>(RATE) / (b - a) : 0;
}

double Mean(const std::vector<float>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < s.size(); ++i) sum += s[i];
    return count > 0 ? sum / count : 0;
}

float PeakOf(const std::vector<float>& s, size_t from, size_t count) {
    float peak = 0;
    for (size_t i = from; i < from + count && i < s.size(); ++i) peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

// How clearly a sound has a pitch: the peak of the normalised autocorrelation
// at lags of 0.5 to 25 ms, median over the 4096-sample windows of its first
// half second. Noise scores near 0, a steady tone near 1.
double Periodicity(const std::vector<float>& s) {
    const size_t window = 4096, shortest = RATE / 2000, longest = RATE / 40;
    std::vector<double> peaks;
    for (size_t at = 0; at + window <= std::min<size_t>(s.size(), RATE / 2); at += window) {
        double best = 0;
        for (size_t lag = shortest; lag <= longest; ++lag) {
            double product = 0, early = 0, late = 0;
            for (size_t i = at; i + lag < at + window; ++i) {
                product += double(s[i]) * s[i + lag];
                early += double(s[i]) * s[i];
                late += double(s[i + lag]) * s[i + lag];
            }
            if (early > 0 && late > 0) best = std::max(best, product / std::sqrt(early * late));
        }
        peaks.push_back(best);
    }
    if (peaks.empty()) return 0;
    std::sort(peaks.begin(), peaks.end());
    return peaks[peaks.size() / 2];
}

// RMS below about 150 Hz (two one-pole low-passes) over the first `seconds`.
double LowBandRms(const std::vector<float>& s, double seconds) {
    const double a = std::exp(-2 * 3.14159265358979 * 150.0 / RATE);
    double once = 0, twice = 0, sum = 0;
    const size_t n = std::min(s.size(), static_cast<size_t>(seconds * RATE));
    for (size_t i = 0; i < n; ++i) {
        once = (1 - a) * s[i] + a * once;
        twice = (1 - a) * once + a * twice;
        sum += twice * twice;
    }
    return n > 0 ? std::sqrt(sum / n) : 0;
}

double Rms(const std::vector<float>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < s.size(); ++i) sum += s[i] * s[i];
    return std::sqrt(sum / count);
}

class SoundFiles : public testing::Test {
protected:
    void SetUp() override {
        ResetPlayerState();
        for (int slot = 0; slot < SOUND_EFFECT_COUNT; ++slot)
            ASSERT_TRUE(LoadSoundEffect(slot, (DATA + SOUND_EFFECT_FILES[slot]).c_str()))
                << SOUND_EFFECT_FILES[slot];
    }
};

struct EffectUse {
    const char* what;
    int slot;
    int note;
    int voice;
    double shortest;  // seconds the sound should last at least
    double longest;   // and at most
};

// The notes and voices the game plays (the earlier edition plays levelup at 42 on voice 2).
const EffectUse EFFECT_USES[] = {
    {"shot", 0, 37, 1, 0.05, 0.15},     {"explode 50", 1, 50, 0, 0.4, 1.0},
    {"explode 40", 1, 40, 0, 0.4, 1.0}, {"explode 30", 1, 30, 0, 0.4, 1.0},
    {"pickup", 2, 56, 2, 0.1, 0.4},     {"die", 3, 42, 2, 1.0, 1.6},
    {"levelup", 4, 42, 2, 0.3, 1.0},
};

}  // namespace

// The checks below play each use; a slot of the manifest none plays goes unheard.
TEST(SoundFilesManifest, EveryEffectSlotIsPlayedByTheChecks) {
    for (int slot = 0; slot < SOUND_EFFECT_COUNT; ++slot) {
        bool played = false;
        for (const EffectUse& use : EFFECT_USES) played = played || use.slot == slot;
        EXPECT_TRUE(played) << SOUND_EFFECT_FILES[slot] << " has no use in EFFECT_USES";
    }
    for (const EffectUse& use : EFFECT_USES) EXPECT_LT(use.slot, SOUND_EFFECT_COUNT) << use.what;
}

TEST_F(SoundFiles, EveryEffectIsOneShotAndEndsOnItsOwn) {
    // The game never releases an effect voice: anything else would sound for ever.
    for (int slot = 0; slot < 5; ++slot) {
        const Instrument& ins = *soundEffects[slot];
        EXPECT_NE(ins.oneShot, 0) << ins.name;
        EXPECT_EQ(ins.amp.loop, 0) << ins.name;
    }
}

TEST_F(SoundFiles, EachEffectIsAudibleEndsInTimeAndDoesNotClip) {
    for (const EffectUse& use : EFFECT_USES) {
        SCOPED_TRACE(use.what);
        ResetPlayerState();
        const Played p = PlayEffect(use.slot, use.note, use.voice, 3.0);
        EXPECT_GT(p.peak, 0.05f);
        EXPECT_LT(p.peak, 1.0f);
        // Full scale of the waveform times the voice's gain (noise reaches 256/255):
        // anything above means the oscillator overshot a waveform segment.
        const float gain = use.voice == 0 ? 0.4f : 0.2f;
        EXPECT_LE(p.peak, gain * 256 / 255 + 1e-4f);
        ASSERT_GT(p.endSeconds, 0) << "still sounding after 3 s";
        EXPECT_GE(p.endSeconds, use.shortest);
        EXPECT_LE(p.endSeconds, use.longest);
    }
}

TEST_F(SoundFiles, EachEffectIsCentredAndFadesOutBeforeItsVoiceStops) {
    // A waveform whose upper and lower parts do not balance round the midpoint
    // leaves a DC offset; an amp curve that has not reached 0 when the voice
    // stops leaves a click.
    for (const EffectUse& use : EFFECT_USES) {
        SCOPED_TRACE(use.what);
        ResetPlayerState();
        const Played p = PlayEffect(use.slot, use.note, use.voice, 3.0);
        ASSERT_GT(p.endSeconds, 0);
        EXPECT_NEAR(Mean(p.samples, 0, p.samples.size()), 0.0, 0.005);
        const size_t last5ms = RATE / 200;
        ASSERT_GT(p.samples.size(), last5ms);
        EXPECT_LT(PeakOf(p.samples, p.samples.size() - last5ms, last5ms), 0.003f);
    }
}

TEST_F(SoundFiles, EachEffectEndsWithoutAStepToSilence) {
    // Each segment of an amp curve ends a little short of its target, so a fade can
    // stop on a level that falls to exact silence in one sample: a faint tick.
    for (const EffectUse& use : EFFECT_USES) {
        SCOPED_TRACE(use.what);
        ResetPlayerState();
        const Played p = PlayEffect(use.slot, use.note, use.voice, 3.0);
        ASSERT_GT(p.endSeconds, 0);
        size_t last = p.samples.size();
        while (last > 0 && p.samples[last - 1] == 0.0f) --last;
        ASSERT_GT(last, 0u);
        EXPECT_LE(std::fabs(p.samples[last - 1]), 0.003f)
            << "drops to silence at " << static_cast<double>(last) / RATE << " s";
    }
}

TEST_F(SoundFiles, BigExplosionsCarryMoreLowEnd) {
    // Note 30 (a Hunter, or the player) against note 50 (an Orbiter): the same
    // burst, but with far more below 150 Hz. The earlier explosion had 0.038 at
    // note 30; this one has about a third more.
    ResetPlayerState();
    const double small = LowBandRms(PlayEffect(1, 50, 0, 2.0).samples, 0.7);
    ResetPlayerState();
    const double big = LowBandRms(PlayEffect(1, 30, 0, 2.0).samples, 0.7);
    EXPECT_GT(big, 1.4 * small);
    EXPECT_GT(big, 0.048);
}

TEST_F(SoundFiles, ExplosionsFallInPitchAndDeepenWithLowerNotes) {
    std::vector<double> early;
    for (int note : {50, 40, 30}) {
        SCOPED_TRACE(note);
        ResetPlayerState();
        const Played p = PlayEffect(1, note, 0, 2.0);
        const double start = CrossingRate(p.samples, 0.0, 0.1);
        const double later = CrossingRate(p.samples, 0.35, 0.45);
        EXPECT_GT(start, 1.5 * later);
        early.push_back(start);
    }
    EXPECT_GT(early[0], early[1]);
    EXPECT_GT(early[1], early[2]);
}

TEST_F(SoundFiles, PickupAndLevelUpRise) {
    ResetPlayerState();
    const Played pickup = PlayEffect(2, 56, 2, 1.0);
    EXPECT_GT(CrossingRate(pickup.samples, 0.12, 0.16), 1.8 * CrossingRate(pickup.samples, 0.0, 0.025));
    ResetPlayerState();
    const Played levelup = PlayEffect(4, 42, 2, 1.0);
    EXPECT_GT(CrossingRate(levelup.samples, 0.46, 0.52), 2.5 * CrossingRate(levelup.samples, 0.01, 0.08));
}

TEST_F(SoundFiles, DieIsAFallingToneHeardThroughTheExplosion) {
    // The death sounds together with an explosion, which supplies the noise;
    // the death supplies a pitch.
    ResetPlayerState();
    const Played die = PlayEffect(3, 42, 2, 3.0);
    EXPECT_GE(Periodicity(die.samples), 0.5);
    // It falls: more than an octave lower by its last second.
    EXPECT_GT(CrossingRate(die.samples, 0.0, 0.15), 2 * CrossingRate(die.samples, 0.85, 1.0));
    // Still clearly heard after a second.
    EXPECT_GT(Rms(die.samples, RATE * 9 / 10, RATE / 10), 0.01);
}

namespace {

// One sequencer tick's row of the song: the note and instrument slot of each channel.
struct Cell {
    int note = -1;
    int instrument = -1;
};
using Row = std::array<Cell, PATTERN_CHANNELS>;

// One pass through the order list as the sequencer plays it: a pattern starts at
// its entry and plays until it ends or the next entry names another one.
std::vector<Row> SongRows() {
    std::vector<Row> rows;
    const Pattern* playing = nullptr;
    int row = 0;
    for (int step = 0; step < songLength; ++step) {
        if (orderList[step] >= 0) {
            playing = patterns[orderList[step]];
            row = 0;
        }
        for (int tick = 0; tick < TICKS_PER_ORDER_STEP; ++tick, ++row) {
            Row cells;
            if (playing && row < 8 * playing->length) {
                for (int k = 0; k < PATTERN_CHANNELS; ++k)
                    cells[k] = {playing->note[PATTERN_ROWS * k + row],
                                playing->instrument[PATTERN_ROWS * k + row]};
            }
            rows.push_back(cells);
        }
    }
    return rows;
}

int InstrumentSlot(const char* name) {
    for (int i = 0; i < SONG_INSTRUMENT_SLOTS && songInstruments[i]; ++i)
        if (std::string(songInstruments[i]->name) == name) return i;
    return -1;
}

const double TICK_SECONDS = 2940.0 / RATE;

class SongFile : public testing::Test {
protected:
    void SetUp() override {
        ResetPlayerState();
        ASSERT_TRUE(LoadSongFile((DATA + "zazizer.zds").c_str()));
    }
};

}  // namespace

TEST_F(SongFile, LoadsWithItsInstrumentsPatternsAndTwoMinutesOfOrders) {
    // 8 ticks of 2940 samples per order step: at least two minutes before the song loops.
    EXPECT_GE(songLength * TICKS_PER_ORDER_STEP * TICK_SECONDS, 120.0);
    int instruments = 0;
    while (instruments < SONG_INSTRUMENT_SLOTS && songInstruments[instruments]) ++instruments;
    EXPECT_GE(instruments, 3);
    for (int i = 0; i < songLength; ++i) {
        ASSERT_GE(orderList[i], -1);
        if (orderList[i] >= 0) {
            ASSERT_NE(patterns[orderList[i]], nullptr) << "order entry " << i;
        }
    }
}

TEST_F(SongFile, MostOfTheLoopIsNewMaterial) {
    // Each pattern is entered once: the two minutes are not one minute twice.
    std::vector<int> entered;
    for (int i = 0; i < songLength; ++i)
        if (orderList[i] >= 0) entered.push_back(orderList[i]);
    std::sort(entered.begin(), entered.end());
    EXPECT_EQ(std::adjacent_find(entered.begin(), entered.end()), entered.end());
}

TEST_F(SongFile, TheLeadIsNeverAwayForLong) {
    // Across the loop (twice round, so the gap over the loop point counts too),
    // the longest stretch without a lead note.
    const int lead = InstrumentSlot("lead");
    ASSERT_GE(lead, 0);
    const std::vector<Row> once = SongRows();
    int last = -1, longest = 0;
    for (size_t t = 0; t < 2 * once.size(); ++t) {
        const Row& row = once[t % once.size()];
        for (const Cell& c : row) {
            if (c.note >= 0 && c.instrument == lead) {
                if (last >= 0) longest = std::max(longest, static_cast<int>(t) - last);
                last = static_cast<int>(t);
            }
        }
    }
    EXPECT_LE(longest * TICK_SECONDS, 10.0) << "the lead is away for " << longest * TICK_SECONDS << " s";
}

TEST_F(SongFile, BrokenChordsStepSlowlyEnoughToReadAsChords) {
    for (int i = 0; i < SONG_INSTRUMENT_SLOTS && songInstruments[i]; ++i) {
        const Instrument& ins = *songInstruments[i];
        if (ins.arpCount < 2) continue;
        SCOPED_TRACE(ins.name);
        const double stepSeconds = (105 - ins.arpSpeed) * 2 * CONTROL_TICK_SAMPLES / double(RATE);
        EXPECT_GE(stepSeconds, 0.015);
        EXPECT_LE(stepSeconds, 0.025);
    }
}

TEST_F(SongFile, NoHatCutsTheKick) {
    // The drums share one channel, and a new note there cuts the one sounding:
    // the kick lasts 0.2 s (three rows), so nothing else comes within two rows after it.
    const int kick = InstrumentSlot("kick");
    ASSERT_GE(kick, 0);
    const double kickSeconds = songInstruments[kick]->amp.length * CONTROL_TICK_SAMPLES / double(RATE);
    EXPECT_LE(kickSeconds, 3 * TICK_SECONDS + 1e-9);
    const std::vector<Row> rows = SongRows();
    int kicks = 0;
    for (size_t t = 0; t < rows.size(); ++t) {
        for (int k = 0; k < PATTERN_CHANNELS; ++k) {
            if (rows[t][k].note < 0 || rows[t][k].instrument != kick) continue;
            ++kicks;
            for (size_t after = t + 1; after <= t + 2 && after < rows.size(); ++after) {
                const Cell& next = rows[after][k];
                EXPECT_TRUE(next.note == -1 || next.instrument == kick)
                    << "row " << after << " cuts the kick of row " << t;
            }
        }
    }
    EXPECT_GT(kicks, 50);
}

TEST_F(SongFile, InstrumentsSharingAChannelHaveShapesOfOneSize) {
    // A voice that changes instrument keeps its place in the old waveform until
    // its next cycle; with fewer points in the new shape it would run past the
    // last one and overshoot. Noise drums build their own shape and are exempt.
    const std::vector<Row> rows = SongRows();
    for (int k = 0; k < PATTERN_CHANNELS; ++k) {
        int points = -1;
        for (const Row& row : rows) {
            const Cell& c = row[k];
            if (c.note < 0 || songInstruments[c.instrument]->noise) continue;
            const int count = songInstruments[c.instrument]->shapeA.count;
            if (points < 0) points = count;
            EXPECT_EQ(count, points) << "channel " << k + 1 << ": " << songInstruments[c.instrument]->name;
        }
    }
}

TEST_F(SongFile, PlaysPastItsLoopCentredWithoutGapsOrClipping) {
    PlaySong();
    const double seconds = songLength * TICKS_PER_ORDER_STEP * TICK_SECONDS + 8.0;  // across the loop point
    std::vector<float> song(static_cast<size_t>(seconds * RATE));
    bool voiceUsed[VOICE_COUNT] = {};
    for (size_t at = 0; at < song.size(); at += 1024) {
        const size_t n = std::min<size_t>(1024, song.size() - at);
        RenderAudio(song.data() + at, n);
        for (int v = 0; v < VOICE_COUNT; ++v) voiceUsed[v] = voiceUsed[v] || liveVoices[v].active;
    }
    float peak = 0;
    for (float s : song) peak = std::max(peak, std::fabs(s));
    EXPECT_LT(peak, 1.0f);
    EXPECT_LE(peak, 3 * 0.2f * 256 / 255 + 1e-4f) << "a voice overshot its waveform";
    EXPECT_GT(peak, 0.1f);
    EXPECT_TRUE(voiceUsed[3] && voiceUsed[4] && voiceUsed[5]) << "all three channels play";
    EXPECT_FALSE(voiceUsed[0] || voiceUsed[1] || voiceUsed[2]) << "the song keeps off the effect voices";

    // No DC drift: the mean of every second (in quarter-second steps) stays near 0.
    double worstMean = 0, worstAt = 0;
    for (size_t at = 2940; at + RATE <= song.size(); at += RATE / 4) {
        const double mean = Mean(song, at, RATE);
        if (std::fabs(mean) > std::fabs(worstMean)) {
            worstMean = mean;
            worstAt = static_cast<double>(at) / RATE;
        }
    }
    EXPECT_LE(std::fabs(worstMean), 0.01)
        << "mean " << worstMean << " in the second from " << worstAt << " s";

    // The longest quiet stretch, in quarter seconds, after the first tick.
    const size_t window = RATE / 4;
    int quiet = 0, longestQuiet = 0;
    for (size_t at = 2940; at + window <= song.size(); at += window) {
        quiet = Rms(song, at, window) < 0.01 ? quiet + 1 : 0;
        longestQuiet = std::max(longestQuiet, quiet);
    }
    EXPECT_LE(longestQuiet, 4) << "a silence of " << longestQuiet / 4.0 << " s";

    // Nowhere does every channel stop at once for long: exact digital silence of
    // more than 20 ms is heard as a hiccup. (The bass alone, played short, leaves
    // up to 8 ms between its notes.)
    size_t zeros = 0, longestZeros = 0, longestEnd = 0;
    for (size_t i = 2940; i < song.size(); ++i) {
        zeros = song[i] == 0.0f ? zeros + 1 : 0;
        if (zeros > longestZeros) {
            longestZeros = zeros;
            longestEnd = i;
        }
    }
    EXPECT_LE(longestZeros, static_cast<size_t>(RATE / 50))
        << static_cast<double>(longestZeros) / RATE * 1000 << " ms of digital silence ending at "
        << static_cast<double>(longestEnd) / RATE << " s";
}
