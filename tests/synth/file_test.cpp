#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/log.h"
#include "synth/instrument_file.h"
#include "synth/player.h"
#include "synth/song_file.h"
#include "tests/support/files.h"
#include "tests/support/folders.h"
#include "tests/synth/zonder_bytes.h"

namespace {
std::string ReadLog() { return ReadFile("log.txt"); }

// The song loader's log lines of one load, logging on and log.txt emptied first.
bool LoadSongLogged(const ZonderBytes& song, std::string& log) {
    std::remove("log.txt");
    LogEnable();
    std::FILE* file = FileOf(song.data);
    bool loaded = LoadSong(file);
    std::fclose(file);
    LogDisable();
    log = ReadLog();
    return loaded;
}

bool AllZero(const void* bytes, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; i++) {
        if (p[i]) return false;
    }
    return true;
}

// A song of two instruments, two patterns and three order entries.
ZonderBytes ValidSong() {
    ZonderBytes b;
    b.Text("Test song").U8(2);
    b.Append(InstrumentBytes("lead", 0, 0)).Append(InstrumentBytes("drum", 1, 1));
    b.U8(2).Append(PatternBytes(1, "intro", {{48, 0}, {-2, 0}, {50, 1}}));
    b.Append(PatternBytes(2, "verse", {{60, 1}}));
    b.U16(3).U16(0).U16(0xFFFF).U16(1);
    return b;
}

std::vector<std::string> BadFiles(const std::string& extension) {
    std::vector<std::string> names;
    std::string dir = VORTANE_SOURCE_DIR "/tests/bad/";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() > extension.size() &&
                name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
                names.push_back(dir + name);
            }
        }
        closedir(d);
    }
    return names;
}

struct SongSnapshot {
    int32_t length;
    std::vector<int32_t> orders;
    std::vector<Pattern> patternCopies;
    std::vector<Instrument> instrumentCopies;
    std::vector<const void*> slots;

    static SongSnapshot Take() {
        SongSnapshot s;
        s.length = songLength;
        s.orders.assign(orderList, orderList + 64);
        for (Pattern* p : patterns) {
            s.slots.push_back(p);
            if (p) s.patternCopies.push_back(*p);
        }
        for (Instrument* i : songInstruments) {
            s.slots.push_back(i);
            if (i) s.instrumentCopies.push_back(*i);
        }
        return s;
    }
    bool Same(const SongSnapshot& o) const {
        if (length != o.length || orders != o.orders || slots != o.slots) return false;
        if (patternCopies.size() != o.patternCopies.size()) return false;
        if (instrumentCopies.size() != o.instrumentCopies.size()) return false;
        for (size_t i = 0; i < patternCopies.size(); i++) {
            if (std::memcmp(&patternCopies[i], &o.patternCopies[i], sizeof(Pattern))) return false;
        }
        for (size_t i = 0; i < instrumentCopies.size(); i++) {
            if (std::memcmp(&instrumentCopies[i], &o.instrumentCopies[i], sizeof(Instrument))) return false;
        }
        return true;
    }
};
}  // namespace

TEST(CurveFile, DerivesSlopesWithTheSegmentPad) {
    ZonderBytes b;
    b.CurveBytes(7, {{0, 0}, {128, 255}, {255, 0}}, 1, 51);
    std::FILE* file = FileOf(b.data);
    Curve curve{};
    ASSERT_TRUE(ReadCurve(curve, file));
    std::fclose(file);
    EXPECT_EQ(curve.length, 7);
    EXPECT_EQ(curve.loop, 1);
    EXPECT_FLOAT_EQ(curve.loopPoint, 0.2f);
    ASSERT_EQ(curve.count, 3);
    EXPECT_NEAR(curve.x[1], 0.50196, 1e-5);
    EXPECT_EQ(curve.x[2], 1.0f);
    EXPECT_EQ(curve.y[1], 1.0f);
    EXPECT_NEAR(curve.slope[0], 1.96166, 1e-5);
    EXPECT_NEAR(curve.slope[1], 1.97686, 1e-5);
    EXPECT_EQ(curve.slope[2], 0.0f);
}

TEST(CurveFile, LengthIsSignedSixteenBits) {
    ZonderBytes b;
    b.U8(0xFF).U8(0xFF).U8(0).U8(0).U8(0);
    std::FILE* file = FileOf(b.data);
    Curve curve{};
    ASSERT_TRUE(ReadCurve(curve, file));
    std::fclose(file);
    EXPECT_EQ(curve.length, -1);
}

TEST(CurveFile, MoreThanHundredPointsLeavesTheCurveAlone) {
    ZonderBytes b;
    b.U16(5).U8(0).U8(0).U8(101);
    for (int i = 0; i < 101; i++) b.U8(i).U8(i);
    std::FILE* file = FileOf(b.data);
    Curve curve{};
    curve.length = 33;
    std::string reason;
    EXPECT_FALSE(ReadCurve(curve, file, &reason));
    std::fclose(file);
    EXPECT_EQ(curve.length, 33);
    EXPECT_EQ(curve.count, 0);
    EXPECT_NE(reason.find("101 points"), std::string::npos);
}

TEST(InstrumentFile, FlagsDecideWhichCurvesAreInTheFile) {
    struct Case {
        int oneShot, noise;
        int curveCount;
    };
    for (Case c : {Case{1, 1, 2}, Case{0, 0, 6}, Case{1, 0, 5}, Case{0, 1, 3}}) {
        ZonderBytes b = InstrumentBytes("x", c.oneShot, c.noise);
        // Every curve of InstrumentBytes has two points: 5 + 4 bytes.
        EXPECT_EQ(b.data.size(), 2u + 3u + 9u * c.curveCount) << c.oneShot << c.noise;
        b.U8(0xAA);  // a byte after the instrument is not read
        std::FILE* file = FileOf(b.data);
        Instrument instrument{};
        ASSERT_TRUE(ReadInstrument(instrument, file));
        EXPECT_EQ(std::fgetc(file), 0xAA);
        std::fclose(file);
        EXPECT_EQ(instrument.amp.length, 10);
        EXPECT_EQ(instrument.shapeA.count, c.noise ? 0 : 2);
        EXPECT_EQ(instrument.release.count, c.oneShot ? 0 : 2);
    }
}

TEST(InstrumentFile, ArpeggioOffsetsAndSpeed) {
    ZonderBytes b;
    b.Text("arp").U8(1).U8(1).U8(3).U8(104).U8(0).U8(4).U8(7);
    b.CurveBytes(4, {{0, 255}, {255, 0}}).CurveBytes(4, {{0, 128}, {255, 128}});
    std::FILE* file = FileOf(b.data);
    Instrument instrument{};
    ASSERT_TRUE(ReadInstrument(instrument, file));
    std::fclose(file);
    EXPECT_STREQ(instrument.name, "arp");
    EXPECT_EQ(instrument.arpCount, 3);
    EXPECT_EQ(instrument.arpSpeed, 104);
    EXPECT_EQ(instrument.arpOffsets[1], 4);
    EXPECT_EQ(instrument.arpOffsets[2], 7);
    EXPECT_EQ(instrument.pitch.length, 4);
}

TEST(InstrumentFile, EveryTruncationIsRefusedAndChangesNothing) {
    ScratchDir scratch;
    ZonderBytes whole = InstrumentBytes("arpeggio", 0, 0, 10, 100, {12, 7});
    Instrument full{};
    std::FILE* file = FileOf(whole.data);
    ASSERT_TRUE(ReadInstrument(full, file));
    std::fclose(file);
    for (size_t size = 0; size < whole.data.size(); size++) {
        std::vector<uint8_t> cut(whole.data.begin(), whole.data.begin() + size);
        Instrument instrument{};
        std::memset(&instrument, 0x5A, sizeof instrument);
        Instrument before = instrument;
        file = FileOf(cut);
        std::string reason;
        EXPECT_FALSE(ReadInstrument(instrument, file, &reason)) << size;
        std::fclose(file);
        EXPECT_EQ(std::memcmp(&instrument, &before, sizeof before), 0) << size;
        EXPECT_EQ(reason, "file is truncated");
    }
}

TEST(SoundEffectFile, MissingFileLeavesAnEmptyInstrument) {
    Instrument* before = soundEffects[3];
    EXPECT_FALSE(LoadSoundEffect(3, "no/such/file.zdi"));
    ASSERT_NE(soundEffects[3], nullptr);
    EXPECT_NE(soundEffects[3], before);
    EXPECT_TRUE(AllZero(soundEffects[3], sizeof(Instrument)));
    EXPECT_FALSE(LoadSoundEffect(100, "no/such/file.zdi"));
    EXPECT_FALSE(LoadSoundEffect(-1, "no/such/file.zdi"));
}

TEST(SoundEffectFile, LoadsIntoItsSlot) {
    ScratchDir scratch;
    ZonderBytes b = InstrumentBytes("shot", 1, 0);
    std::FILE* out = std::fopen("shot.zdi", "wb");
    std::fwrite(b.data.data(), 1, b.data.size(), out);
    std::fclose(out);
    EXPECT_TRUE(LoadSoundEffect(0, "shot.zdi"));
    ASSERT_NE(soundEffects[0], nullptr);
    EXPECT_STREQ(soundEffects[0]->name, "shot");
    EXPECT_EQ(soundEffects[0]->oneShot, 1);
}

TEST(SoundEffectFile, HostileFilesLeaveAnEmptyInstrumentAndOneMessage) {
    std::vector<std::string> files = BadFiles(".zdi");
    ASSERT_GE(files.size(), 5u);
    for (const std::string& path : files) {
        testing::internal::CaptureStderr();
        bool loaded = LoadSoundEffect(2, path.c_str());
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << path;
        ASSERT_NE(soundEffects[2], nullptr);
        EXPECT_TRUE(AllZero(soundEffects[2], sizeof(Instrument))) << path;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

// Named pipes are a POSIX thing: the Windows build of these tests leaves this one out.
#ifndef _WIN32
TEST(SoundEffectFile, APipeOrFolderInADataFilesPlaceIsRefusedWithoutWaiting) {
    ScratchDir scratch;
    ASSERT_EQ(mkfifo("shot.zdi", 0600), 0);
    ASSERT_EQ(mkfifo("song.zds", 0600), 0);
    ASSERT_EQ(mkdir("die.zdi", 0755), 0);
    // Opening a pipe no one writes to would wait forever: start-up would hang.
    for (const char* path : {"shot.zdi", "die.zdi"}) {
        testing::internal::CaptureStderr();
        bool loaded = LoadSoundEffect(1, path);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << path;
        ASSERT_NE(soundEffects[1], nullptr);
        EXPECT_TRUE(AllZero(soundEffects[1], sizeof(Instrument))) << path;
        EXPECT_NE(err.find(std::string(path) + ": is "), std::string::npos) << err;
        EXPECT_NE(err.find("; file refused"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    ResetPlayerState();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadSongFile("song.zds"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("song.zds: is not a regular file"), std::string::npos) << err;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadSongFile("no-such-song.zds"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a missing song stays silent";
}
#endif

TEST(SongFile, LogsTheListingInOrder) {
    ScratchDir scratch;
    ResetPlayerState();
    std::string log;
    ASSERT_TRUE(LoadSongLogged(ValidSong(), log));
    EXPECT_EQ(log,
              "\nLoad song\nSong title: \"Test song\"\n2 instruments\nInstrument 0: \"lead\"\n"
              "Instrument 1: \"drum\"\n2 patterns\nPattern 0: \"intro\"\nPattern 1: \"verse\"\n"
              "Song length: 3\n0: 0\n1: FFFF\n2: 1\nSong loaded");
    EXPECT_EQ(songLength, 3);
    EXPECT_EQ(orderList[0], 0);
    EXPECT_EQ(orderList[1], -1);
    EXPECT_EQ(orderList[2], 1);
    ASSERT_NE(patterns[1], nullptr);
    EXPECT_EQ(patterns[1]->length, 2);
    EXPECT_EQ(patterns[0]->note[1], -2);
    EXPECT_EQ(patterns[0]->instrument[2], 1);
    EXPECT_EQ(patterns[0]->note[256], -1);
    ASSERT_NE(songInstruments[1], nullptr);
    EXPECT_EQ(songInstruments[1]->noise, 1);
}

TEST(SongFile, EmptySongLoads) {
    ScratchDir scratch;
    ResetPlayerState();
    ZonderBytes b;
    b.Text("").U8(0).U8(0).U16(0);
    std::string log;
    ASSERT_TRUE(LoadSongLogged(b, log));
    EXPECT_EQ(log, "\nLoad song\nSong title: \"\"\n0 instruments\n0 patterns\nSong length: 0\nSong loaded");
    EXPECT_EQ(songLength, 0);
}

TEST(SongFile, OccupiedInstrumentSlotIsReadOverInPlace) {
    ScratchDir scratch;
    ResetPlayerState();
    std::string log;
    ASSERT_TRUE(LoadSongLogged(ValidSong(), log));
    Instrument* lead = songInstruments[0];
    // A one-shot noise instrument: shapes, release and morph are absent from the file.
    ZonderBytes b;
    b.Text("again").U8(1);
    b.Append(InstrumentBytes("hit", 1, 1, 3));
    b.U8(0).U16(0);
    ASSERT_TRUE(LoadSongLogged(b, log));
    EXPECT_EQ(songInstruments[0], lead);
    EXPECT_STREQ(lead->name, "hit");
    EXPECT_EQ(lead->amp.length, 3);
    EXPECT_EQ(lead->shapeA.count, 2);   // kept from the first song
    EXPECT_EQ(lead->release.count, 2);  // kept
}

TEST(SongFile, EveryTruncationIsRefusedAndChangesNothing) {
    ScratchDir scratch;
    ResetPlayerState();
    std::string log;
    ASSERT_TRUE(LoadSongLogged(ValidSong(), log));
    SongSnapshot before = SongSnapshot::Take();
    ZonderBytes other = ValidSong();
    other.data[1] = 'B';  // a different title, so a half-load would show
    for (size_t size = 0; size < other.data.size();
         size += (size < 200 || size + 300 > other.data.size()) ? 1 : 97) {
        std::vector<uint8_t> cut(other.data.begin(), other.data.begin() + size);
        std::FILE* file = FileOf(cut);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(LoadSong(file, "cut.zds")) << size;
        std::string err = testing::internal::GetCapturedStderr();
        std::fclose(file);
        EXPECT_NE(err.find("cut.zds"), std::string::npos);
        ASSERT_TRUE(before.Same(SongSnapshot::Take())) << size;
    }
}

TEST(SongFile, HostileFilesAreRefusedWhole) {
    ScratchDir scratch;
    ResetPlayerState();
    std::string log;
    ASSERT_TRUE(LoadSongLogged(ValidSong(), log));
    SongSnapshot before = SongSnapshot::Take();
    std::vector<std::string> files = BadFiles(".zds");
    ASSERT_GE(files.size(), 10u);
    for (const std::string& path : files) {
        testing::internal::CaptureStderr();
        bool loaded = LoadSongFile(path.c_str());
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << path;
        EXPECT_TRUE(before.Same(SongSnapshot::Take())) << path;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

TEST(SongFile, RefusesRowsThatLeaveTheNoteTableWithTheirArpeggio) {
    ScratchDir scratch;
    struct Case {
        int note;
        int offset;
        bool loads;
    };
    for (Case c : {Case{119, 0, true}, Case{112, 7, true}, Case{113, 7, false}, Case{120, 0, false}}) {
        ResetPlayerState();
        ZonderBytes b;
        b.Text("arp").U8(1);
        b.Text("a").U8(0).U8(0).U8(2).U8(104).U8(0).U8(c.offset);
        for (int i = 0; i < 6; i++) b.CurveBytes(4, {{0, 0}, {255, 255}});
        b.U8(1).Append(PatternBytes(1, "p", {{c.note, 0}}));
        b.U16(1).U16(0);
        std::string log;
        testing::internal::CaptureStderr();
        EXPECT_EQ(LoadSongLogged(b, log), c.loads) << c.note << "+" << c.offset;
        testing::internal::GetCapturedStderr();
    }
}
