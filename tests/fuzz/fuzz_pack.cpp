// zonder-pack's codec over arbitrary bytes: the text parsers and the binary
// readers. Whatever they accept must go back out and read again to the same
// record: text → record → canonical text → record, and binary → record →
// binary gives the same bytes.
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"
#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"
#include "tools/zonder_text_write.h"

namespace {
// Songs name their instrument files relative to their own folder; the game's
// own music folder gives them real files to find.
const std::string SONG_NAME = std::string(VORTANE_SOURCE_DIR) + "/assets/music/fuzz.zst";
}  // namespace

int FuzzPackInstrumentText(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    PackInstrument instrument;
    std::string error;
    if (!ParseInstrumentText(text, "fuzz.zit", instrument, error)) {
        FuzzCheck(!error.empty(), "a refused instrument text says why");
        return 0;
    }
    std::string canonical = InstrumentText(instrument);
    PackInstrument again;
    FuzzCheck(ParseInstrumentText(canonical, "canonical.zit", again, error),
              "the canonical text of an accepted instrument parses");
    FuzzCheck(InstrumentText(again) == canonical, "the canonical instrument text is stable");
    std::vector<uint8_t> binary;
    if (WriteInstrumentBinary(instrument, binary, error)) {
        PackInstrument read;
        FuzzCheck(ReadInstrumentBinary(binary, read, error), "a written instrument file reads back");
        FuzzCheck(InstrumentText(read) == canonical, "an instrument survives the binary form");
    }
    return 0;
}

int FuzzPackSongText(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    PackSong song;
    std::string error;
    if (!ParseSongText(text, SONG_NAME, song, error)) {
        FuzzCheck(!error.empty(), "a refused song text says why");
        return 0;
    }
    std::string canonical = SongText(song);
    PackSong again;
    FuzzCheck(ParseSongText(canonical, SONG_NAME, again, error),
              "the canonical text of an accepted song parses");
    FuzzCheck(SongText(again) == canonical, "the canonical song text is stable");
    std::vector<uint8_t> binary;
    if (WriteSongBinary(song, binary, error)) {
        PackSong read;
        std::vector<std::string> warnings;
        FuzzCheck(ReadSongBinary(binary, read, error, warnings), "a written song file reads back");
        std::vector<uint8_t> rewritten;
        FuzzCheck(WriteSongBinary(read, rewritten, error) && rewritten == binary,
                  "a song file read back writes the same bytes");
    }
    return 0;
}

// The first byte picks the form (even: instrument .zdi, odd: song .zds).
int FuzzPackBinary(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<uint8_t> bytes(data + 1, data + size);
    std::string error;
    std::vector<uint8_t> rewritten;
    if (data[0] % 2 == 0) {
        PackInstrument instrument;
        if (!ReadInstrumentBinary(bytes, instrument, error)) return 0;
        FuzzCheck(WriteInstrumentBinary(instrument, rewritten, error), "an accepted instrument file writes");
        FuzzCheck(rewritten == bytes, "an instrument file read and written is byte-identical");
        PackInstrument fromText;
        FuzzCheck(ParseInstrumentText(InstrumentText(instrument), "fuzz.zit", fromText, error),
                  "an accepted instrument file's text parses");
    } else {
        PackSong song;
        std::vector<std::string> warnings;
        if (!ReadSongBinary(bytes, song, error, warnings)) return 0;
        FuzzCheck(WriteSongBinary(song, rewritten, error), "an accepted song file writes");
        // Warnings list what the text form cannot carry; without any the bytes come back.
        if (warnings.empty()) FuzzCheck(rewritten == bytes, "a song file read and written is byte-identical");
        PackSong fromText;
        FuzzCheck(ParseSongText(SongText(song), SONG_NAME, fromText, error),
                  "an accepted song file's text parses");
    }
    return 0;
}
