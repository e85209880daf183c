// zonder-pack's codec: every source in assets/ survives text -> binary ->
// text -> binary unchanged, matches what the build put in data/, and broken
// sources are refused with their file and line.

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"
#include "tools/zonder_text_write.h"

namespace {

const std::string SOURCE = VORTANE_SOURCE_DIR "/";
const std::string DATA = VORTANE_RUN_DIR "/data/";

std::vector<std::string> FilesIn(const std::string& dir, const std::string& prefix, const std::string& ext) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.rfind(prefix, 0) == 0 && name.size() > ext.size() &&
                name.compare(name.size() - ext.size(), ext.size(), ext) == 0)
                names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> PackInstrumentSource(const std::string& path) {
    PackInstrument ins;
    std::string error;
    EXPECT_TRUE(ParseInstrumentFile(path, ins, error)) << error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(WriteInstrumentBinary(ins, bytes, error)) << error;
    return bytes;
}

struct SoundSource {
    const char* source;  // under assets/
    const char* data;    // under data/, or "" when only the song uses it
};

const SoundSource SOUND_SOURCES[] = {
    {"sounds/shot.zit", "shot.zdi"},
    {"sounds/explode.zit", "explode.zdi"},
    {"sounds/pickup.zit", "pickup.zdi"},
    {"sounds/die.zit", "die.zdi"},
    {"sounds/levelup.zit", "levelup.zdi"},
    {"music/bass.zit", ""},
    {"music/lead.zit", ""},
    {"music/chord-minor.zit", ""},
    {"music/chord-major.zit", ""},
};

}  // namespace

TEST(PackRoundTrip, EveryInstrumentSourceComesBackByteIdentical) {
    for (const SoundSource& s : SOUND_SOURCES) {
        SCOPED_TRACE(s.source);
        const std::vector<uint8_t> first = PackInstrumentSource(SOURCE + "assets/" + s.source);
        PackInstrument read;
        std::string error;
        ASSERT_TRUE(ReadInstrumentBinary(first, read, error)) << error;
        PackInstrument again;
        ASSERT_TRUE(ParseInstrumentText(InstrumentText(read), "dump", again, error)) << error;
        std::vector<uint8_t> second;
        ASSERT_TRUE(WriteInstrumentBinary(again, second, error)) << error;
        EXPECT_EQ(first, second);
        if (*s.data) {
            std::vector<uint8_t> built;
            ASSERT_TRUE(ReadWholeFile(DATA + s.data, built)) << "missing data/" << s.data;
            EXPECT_EQ(first, built) << "data/" << s.data << " is stale";
        }
    }
}

TEST(PackRoundTrip, SongComesBackByteIdenticalAndMatchesTheBuild) {
    PackSong song;
    std::string error;
    ASSERT_TRUE(ParseSongFile(SOURCE + "assets/music/zazizer.zst", song, error)) << error;
    std::vector<uint8_t> first;
    ASSERT_TRUE(WriteSongBinary(song, first, error)) << error;

    PackSong read;
    std::vector<std::string> warnings;
    ASSERT_TRUE(ReadSongBinary(first, read, error, warnings)) << error;
    EXPECT_TRUE(warnings.empty());
    PackSong again;
    ASSERT_TRUE(ParseSongText(SongText(read), "dump.zst", again, error)) << error;
    std::vector<uint8_t> second;
    ASSERT_TRUE(WriteSongBinary(again, second, error)) << error;
    EXPECT_EQ(first, second);

    std::vector<uint8_t> built;
    ASSERT_TRUE(ReadWholeFile(DATA + "zazizer.zds", built));
    EXPECT_EQ(first, built) << "data/zazizer.zds is stale";
}

TEST(PackRoundTrip, OddButLegalFieldsSurvive) {
    // Flag and loop bytes other than 0 and 1, a loop point on a curve that does
    // not loop, names needing quotes or escapes (control and high bytes are raw
    // bytes in the binary files), a pattern named by number in the order.
    PackSong song;
    song.title = "odd \"quoted\"\ttitle\\";
    PackInstrument ins;
    const char name[] = "has spaces # and a hash\nnext line\r\x01\x7f\xcf\0end";
    ins.name = std::string(name, sizeof name - 1);
    ins.oneShot = 7;
    ins.noise = 1;
    ins.curves[CURVE_AMP] = PackCurve{12, 0, 200, {{0, 255}, {255, 0}}};
    ins.curves[CURVE_PITCH] = PackCurve{1, 3, 9, {{0, 128}}};
    song.instruments = {ins, ins};
    song.instrumentIds = {"", ""};  // the dump makes ids up
    PackPattern p;
    p.name = "same";
    p.length = 2;
    p.note[0][0] = 70;
    p.instrument[0][0] = 1;
    p.note[2][15] = NOTE_OFF;
    song.patterns = {p, p};
    song.order = {1, ORDER_FILE_EMPTY, 0};

    std::vector<uint8_t> first, second;
    std::string error;
    ASSERT_TRUE(WriteSongBinary(song, first, error)) << error;
    PackSong again;
    const std::string text = SongText(song);
    ASSERT_TRUE(ParseSongText(text, "odd.zst", again, error)) << error << "\n" << text;
    ASSERT_TRUE(WriteSongBinary(again, second, error)) << error;
    EXPECT_EQ(first, second);
    EXPECT_EQ(again.instruments[0].name, ins.name);
    EXPECT_EQ(again.title, song.title);
}

TEST(PackBinary, RefusesEveryHostileBinaryFile) {
    const std::string bad = SOURCE + "tests/bad/";
    const std::vector<std::string> instruments = FilesIn(bad, "instrument_", ".zdi");
    const std::vector<std::string> songs = FilesIn(bad, "song_", ".zds");
    ASSERT_FALSE(instruments.empty());
    ASSERT_FALSE(songs.empty());
    for (const std::string& name : instruments) {
        std::vector<uint8_t> data;
        ASSERT_TRUE(ReadWholeFile(bad + name, data));
        PackInstrument ins;
        std::string error;
        EXPECT_FALSE(ReadInstrumentBinary(data, ins, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
    for (const std::string& name : songs) {
        std::vector<uint8_t> data;
        ASSERT_TRUE(ReadWholeFile(bad + name, data));
        PackSong song;
        std::string error;
        std::vector<std::string> warnings;
        EXPECT_FALSE(ReadSongBinary(data, song, error, warnings)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

TEST(PackBinary, ReportsWhereATruncatedFileEnds) {
    const std::vector<uint8_t> whole = PackInstrumentSource(SOURCE + "assets/sounds/pickup.zit");
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
        PackInstrument ins;
        std::string error;
        ASSERT_FALSE(ReadInstrumentBinary(part, ins, error)) << "cut at " << cut;
        EXPECT_NE(error.find("file ends at byte " + std::to_string(cut)), std::string::npos) << error;
    }
    std::vector<uint8_t> longer = whole;
    longer.push_back(0);
    PackInstrument ins;
    std::string error;
    EXPECT_FALSE(ReadInstrumentBinary(longer, ins, error));
    EXPECT_NE(error.find("1 bytes follow"), std::string::npos) << error;
}

TEST(PackBinary, WarnsAboutWhatTheTextFormCannotCarry) {
    PackSong song;
    PackInstrument ins;
    ins.noise = 1;
    ins.oneShot = 1;
    ins.curves[CURVE_AMP] = PackCurve{1, 0, 0, {{0, 255}, {255, 0}}};
    ins.curves[CURVE_PITCH] = PackCurve{1, 0, 0, {{0, 128}, {255, 128}}};
    song.instruments = {ins};
    song.instrumentIds = {"a"};
    PackPattern p;
    song.patterns = {p};
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(WriteSongBinary(song, bytes, error)) << error;
    const size_t block = 1 + 1 + 0;  // title length, instrument count
    size_t patternStart = bytes.size() - 2 - PATTERN_BLOCK_SIZE;
    ASSERT_GT(patternStart, block);
    bytes[patternStart + 6] = 1;                 // reserved
    bytes[patternStart + 272 + 4 * 200] = 0x05;  // a note on row 200 of a length-1 pattern
    std::vector<std::string> warnings;
    PackSong read;
    ASSERT_TRUE(ReadSongBinary(bytes, read, error, warnings)) << error;
    EXPECT_EQ(warnings.size(), 2u);
}

struct BadText {
    const char* file;
    int line;
    const char* problem;
};

TEST(PackText, ParseErrorsNameFileLineAndProblem) {
    const BadText cases[] = {
        {"text_instrument_points_falling.zit", 6, "x must not fall"},
        {"text_instrument_release_on_one_shot.zit", 6, "release is never read"},
        {"text_instrument_missing_pitch.zit", 5, "missing curve pitch"},
        {"text_instrument_amp_length_0.zit", 4, "at least 1"},
        {"text_instrument_point_out_of_range.zit", 5, "'256:0'"},
        {"text_instrument_seven_arpeggio_offsets.zit", 4, "at most 6"},
        {"text_instrument_shapes_differ_in_count.zit", 6, "same number of points"},
        {"text_instrument_shape_ends_early.zit", 4, "end at x 255"},
        {"text_instrument_unclosed_name.zit", 2, "not closed"},
        {"text_instrument_escape_sequence_in_key.zit", 2, "unknown instrument line '\\x1b[2J\\x1b[31mname'"},
        {"text_instrument_bad_hex_escape.zit", 2, "two hex digits"},
        {"text_instrument_101_points.zit", 5, "more than 100 points"},
        {"text_instrument_empty_file.zit", 1, "missing curve shapeA"},
        {"text_song_unknown_instrument.zst", 22, "'snare' is not declared"},
        {"text_song_note_plus_arpeggio_above_119.zst", 23, "passes the top note"},
        {"text_song_row_past_pattern_end.zst", 23, "row number 0..7"},
        {"text_song_order_names_missing_pattern.zst", 24, "'q' names no pattern"},
        {"text_song_title_32_characters.zst", 1, "longer than 31"},
        {"text_song_pattern_length_33.zst", 21, "length 1..32"},
        {"text_song_pattern_name_zero_byte.zst", 21, "zero byte"},
        {"text_song_two_cells_in_row.zst", 22, "three cells"},
        {"text_song_note_too_fast_for_its_waveform.zst", 23, "narrowest waveform segment"},
        {"text_song_bad_note_name.zst", 22, "a note and an instrument"},
        {"text_song_pattern_without_end.zst", 21, "no 'end'"},
        {"text_song_instrument_file_missing.zst", 2,
         "no_such_instrument.zit: cannot open (No such file or directory)"},
        {"text_song_instrument_file_is_bad.zst", 3, "text_instrument_points_falling.zit:6: "},
    };
    for (const BadText& c : cases) {
        const std::string path = SOURCE + "tests/bad/" + c.file;
        std::string error;
        bool parsed;
        if (path.compare(path.size() - 4, 4, ".zit") == 0) {
            PackInstrument ins;
            parsed = ParseInstrumentFile(path, ins, error);
        } else {
            PackSong song;
            parsed = ParseSongFile(path, song, error);
        }
        EXPECT_FALSE(parsed) << c.file;
        const std::string where = path + ":" + std::to_string(c.line) + ": ";
        EXPECT_EQ(error.rfind(where, 0), 0u) << "want " << where << "\n got " << error;
        EXPECT_NE(error.find(c.problem), std::string::npos) << error;
    }
}

TEST(PackText, EveryHostileTextFileIsListedAbove) {
    // A new bad file without an expectation would prove nothing.
    EXPECT_EQ(FilesIn(SOURCE + "tests/bad/", "text_", ".zit").size() +
                  FilesIn(SOURCE + "tests/bad/", "text_", ".zst").size(),
              26u);
}

TEST(PackText, NoteNamesMapToTheNoteTable) {
    const struct {
        const char* name;
        int note;
    } good[] = {{"A-0", 0}, {"C-1", 3}, {"C-4", 39}, {"A-4", 48}, {"D#5", 54}, {"B-9", 110}, {"G#10", 119}};
    for (const auto& g : good) {
        int note = -1;
        EXPECT_TRUE(ParseNoteName(g.name, note)) << g.name;
        EXPECT_EQ(note, g.note) << g.name;
        EXPECT_EQ(NoteName(g.note), g.name);
    }
    for (const char* bad : {"G#0", "A-10", "H-4", "C4", "c-4", "C-", "C-4x", "C#-1"}) {
        int note = -1;
        EXPECT_FALSE(ParseNoteName(bad, note)) << bad;
    }
}

TEST(PackText, LimitsOfTheFormatAreEnforcedOnWrite) {
    PackSong song;
    song.title = std::string(32, 'x');
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(WriteSongBinary(song, bytes, error));
    song.title = "ok";
    song.order.assign(SONG_LENGTH_MAX + 1, ORDER_FILE_EMPTY);
    EXPECT_FALSE(WriteSongBinary(song, bytes, error));
    song.order = {0};  // names a pattern that does not exist
    EXPECT_FALSE(WriteSongBinary(song, bytes, error));
    song.order.clear();
    EXPECT_TRUE(WriteSongBinary(song, bytes, error)) << error;
    EXPECT_EQ(bytes, (std::vector<uint8_t>{2, 'o', 'k', 0, 0, 0, 0}));
    // A zero byte ends a pattern name in the file, so the name would come back cut.
    song.patterns.emplace_back();
    song.patterns[0].name = std::string("a\0b", 3);
    song.patterns[0].length = 1;
    EXPECT_FALSE(WriteSongBinary(song, bytes, error));
    EXPECT_NE(error.find("zero byte"), std::string::npos) << error;
}
