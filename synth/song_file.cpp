#include "synth/song_file.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/named_file.h"
#include "synth/instrument_file.h"

namespace {

// A song as read, before anything is written to the player's tables.
struct SongScratch {
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<int32_t> orders;
};

int32_t LittleEndian32(const uint8_t* bytes) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 |
                                static_cast<uint32_t>(bytes[3]) << 24);
}

// The block is kept exactly as in the file; the fields the player reads are
// decoded explicitly so the layout does not depend on the host's byte order.
void DecodePattern(const uint8_t* block, Pattern& pattern) {
    std::memcpy(&pattern, block, PATTERN_BLOCK_SIZE);
    pattern.length = LittleEndian32(block + offsetof(Pattern, length));
    for (int i = 0; i < PATTERN_CHANNELS * PATTERN_ROWS; i++) {
        pattern.note[i] = LittleEndian32(block + offsetof(Pattern, note) + 4 * i);
        pattern.instrument[i] = LittleEndian32(block + offsetof(Pattern, instrument) + 4 * i);
    }
}

std::string PatternName(const Pattern& pattern) {
    return std::string(pattern.name, strnlen(pattern.name, sizeof pattern.name));
}

// Every row the sequencer can play must name a loaded instrument and, with each
// arpeggio offset the voice may add, stay a note of the table. A pattern of
// length 0 still plays its row 0.
bool CheckPattern(FileReader& reader, int index, const Pattern& pattern,
                  const std::vector<Instrument>& instruments) {
    std::string where = "pattern " + std::to_string(index);
    if (pattern.length < 0 || pattern.length > PATTERN_MAX_LENGTH) {
        return reader.Fail(where + ": length " + std::to_string(pattern.length) + " (0..32)");
    }
    int rows = pattern.length > 0 ? 8 * pattern.length : 1;
    for (int k = 0; k < PATTERN_CHANNELS; k++) {
        for (int r = 0; r < rows; r++) {
            int32_t note = pattern.note[PATTERN_ROWS * k + r];
            if (note < 0) continue;
            std::string cell = where + " channel " + std::to_string(k) + " row " + std::to_string(r);
            int32_t slot = pattern.instrument[PATTERN_ROWS * k + r];
            if (slot < 0 || slot >= static_cast<int32_t>(instruments.size())) {
                return reader.Fail(cell + ": instrument " + std::to_string(slot) +
                                   " is not in the song (it has " + std::to_string(instruments.size()) + ")");
            }
            const Instrument& instrument = instruments[slot];
            // With no arpeggio the voice still adds offset 0's entry.
            int offsets = instrument.arpCount > 0 ? instrument.arpCount : 1;
            if (offsets > ARPEGGIO_MAX) offsets = ARPEGGIO_MAX;
            for (int j = 0; j < offsets; j++) {
                int64_t played = static_cast<int64_t>(note) + instrument.arpOffsets[j];
                if (played < 0 || played >= NOTE_COUNT) {
                    return reader.Fail(cell + ": note " + std::to_string(note) + " with arpeggio offset " +
                                       std::to_string(instrument.arpOffsets[j]) + " leaves 0..119");
                }
            }
        }
    }
    return true;
}

bool ReadSong(FileReader& reader, SongScratch& song) {
    LogLine("Load song");
    uint8_t titleLength = 0;
    char title[256];
    if (!reader.Byte(titleLength)) return false;
    if (titleLength > SONG_TITLE_MAX) {
        return reader.Fail("title of " + std::to_string(titleLength) + " characters (at most 31)");
    }
    if (!reader.Bytes(title, titleLength)) return false;
    title[titleLength] = '\0';
    LogLine("Song title: \"%s\"", title);

    uint8_t instrumentCount = 0;
    if (!reader.Byte(instrumentCount)) return false;
    if (instrumentCount > SONG_INSTRUMENT_SLOTS) {
        return reader.Fail(std::to_string(instrumentCount) + " instruments (at most 100)");
    }
    LogLine("%i instruments", instrumentCount);
    // An occupied slot is read over in place, so start each from what it holds.
    song.instruments.resize(instrumentCount);
    for (int i = 0; i < instrumentCount; i++) {
        if (songInstruments[i]) song.instruments[i] = *songInstruments[i];
        if (!ReadInstrumentFrom(reader, song.instruments[i])) {
            return reader.AddContext("instrument " + std::to_string(i));
        }
        LogLine("Instrument %i: \"%s\"", i, song.instruments[i].name);
    }

    uint8_t patternCount = 0;
    if (!reader.Byte(patternCount)) return false;
    LogLine("%i patterns", patternCount);
    song.patterns.resize(patternCount);
    std::vector<uint8_t> block(PATTERN_BLOCK_SIZE);
    for (int i = 0; i < patternCount; i++) {
        if (!reader.Bytes(block.data(), block.size())) return false;
        DecodePattern(block.data(), song.patterns[i]);
        if (!CheckPattern(reader, i, song.patterns[i], song.instruments)) return false;
        LogLine("Pattern %i: \"%s\"", i, PatternName(song.patterns[i]).c_str());
    }

    int32_t length = 0;
    if (!reader.Uint16(length)) return false;
    if (length > ORDER_LIST_SIZE) {
        return reader.Fail("song length " + std::to_string(length) + " (at most 16384)");
    }
    LogLine("Song length: %i", length);
    song.orders.resize(length);
    for (int i = 0; i < length; i++) {
        int32_t entry = 0;
        if (!reader.Uint16(entry)) return false;
        LogLine("%i: %X", i, entry);
        if (entry != ORDER_FILE_EMPTY && entry >= patternCount) {
            return reader.Fail("order entry " + std::to_string(i) + " names pattern " +
                               std::to_string(entry) + ", which is not in the song (it has " +
                               std::to_string(patternCount) + ")");
        }
        song.orders[i] = entry == ORDER_FILE_EMPTY ? ORDER_EMPTY : entry;
    }
    return true;
}

void CommitSong(const SongScratch& song) {
    for (size_t i = 0; i < song.instruments.size(); i++) {
        if (!songInstruments[i]) songInstruments[i] = new Instrument();
        *songInstruments[i] = song.instruments[i];
    }
    for (size_t i = 0; i < song.patterns.size(); i++) {
        if (!patterns[i]) patterns[i] = new Pattern();
        *patterns[i] = song.patterns[i];
    }
    for (size_t i = 0; i < song.orders.size(); i++) orderList[i] = song.orders[i];
    songLength = static_cast<int32_t>(song.orders.size());
}
}  // namespace

bool LoadSong(std::FILE* file, const char* name) {
    // The audio thread reads the song's records once it plays; nothing may change
    // them under it.
    if (SongStarted()) {
        ReportRefusedFile(name, "a song is playing");
        return false;
    }
    FileReader reader(file);
    SongScratch song;
    if (!ReadSong(reader, song)) {
        ReportRefusedFile(name, reader.Reason());
        return false;
    }
    CommitSong(song);
    LogLine("Song loaded");
    return true;
}

bool LoadSong(std::FILE* file) { return LoadSong(file, "song file"); }

bool LoadSongFile(const char* path) {
    if (!path) return false;
    std::string reason;
    std::FILE* file = OpenRegularFile(path, reason);
    if (!file) {
        // A missing song is tolerated silently; a folder or a pipe in its place is not.
        if (errno != ENOENT) ReportRefusedFile(path, reason);
        return false;
    }
    bool loaded = LoadSong(file, path);
    std::fclose(file);
    return loaded;
}
