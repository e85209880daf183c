#include "tools/zonder_text_binary.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/named_file.h"

double PhaseStep(int note, int pitchByte) { return 2.0 * (pitchByte * BYTE_SCALE) * NotePhaseStep(note); }

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string CheckCurve(const PackInstrument& instrument, int slot) {
    const PackCurve& c = instrument.curves[slot];
    const std::string where = std::string("curve ") + CurveName(slot) + ": ";
    if (static_cast<int>(c.points.size()) > CURVE_MAX_POINTS)
        return where + Format("%i points, at most %i", static_cast<int>(c.points.size()), CURVE_MAX_POINTS);
    for (size_t i = 1; i < c.points.size(); ++i) {
        if (c.points[i].x < c.points[i - 1].x)
            return where + Format("point %i lies before point %i (x must not fall)", static_cast<int>(i) + 1,
                                  static_cast<int>(i));
    }
    if (CurvePlayed(instrument, slot) && c.length < 1)
        return where + "length must be at least 1 for a curve that is played";
    if (slot == CURVE_SHAPE_A || slot == CURVE_SHAPE_B) {
        // The oscillator runs from 0 to 1 over one cycle and must never pass the last point.
        if (c.points.size() < 2) return where + "a waveform needs at least 2 points";
        if (c.points.front().x != 0) return where + "a waveform must start at x 0";
        if (c.points.back().x != 255) return where + "a waveform must end at x 255";
    }
    return "";
}

}  // namespace

std::string CheckInstrument(const PackInstrument& instrument) {
    if (instrument.name.size() > INSTRUMENT_NAME_MAX)
        return Format("name is %i characters, at most %i", static_cast<int>(instrument.name.size()),
                      INSTRUMENT_NAME_MAX);
    if (static_cast<int>(instrument.arpOffsets.size()) > ARPEGGIO_MAX)
        return Format("%i arpeggio offsets, at most %i", static_cast<int>(instrument.arpOffsets.size()),
                      ARPEGGIO_MAX);
    for (uint8_t offset : instrument.arpOffsets) {
        if (offset > NOTE_MAX) return Format("arpeggio offset %i is above %i", offset, NOTE_MAX);
    }
    for (int slot = 0; slot < CURVE_SLOT_COUNT; ++slot) {
        if (!CurvePresent(instrument, slot)) continue;
        std::string problem = CheckCurve(instrument, slot);
        if (!problem.empty()) return problem;
    }
    if (instrument.noise == 0 &&
        instrument.curves[CURVE_SHAPE_A].points.size() != instrument.curves[CURVE_SHAPE_B].points.size())
        return "shapeA and shapeB must have the same number of points (they are blended point by point)";
    return "";
}

double NarrowestSegment(const PackInstrument& ins) {
    if (ins.noise != 0) return 1.0 / 20;  // noise cycles have 20 equal segments
    double narrowest = 1.0;
    for (int slot : {CURVE_SHAPE_A, CURVE_SHAPE_B}) {
        const std::vector<PackPoint>& p = ins.curves[slot].points;
        for (size_t i = 1; i < p.size(); ++i)
            narrowest = std::min(narrowest, (p[i].x - p[i - 1].x) * static_cast<double>(0.003921569f));
    }
    return narrowest;
}

// A note cell is playable when its note, raised by every arpeggio offset and by
// the highest point of the pitch curve, stays in the note table and keeps the
// oscillator's step below one cycle per sample.
std::string CheckNoteRange(const PackInstrument& ins, int note) {
    if (note < 0 || note > NOTE_MAX) return Format("note %i is outside 0..%i", note, NOTE_MAX);
    for (uint8_t offset : ins.arpOffsets) {
        if (note + offset > NOTE_MAX)
            return Format("note %i plus arpeggio offset %i passes note 119", note, offset);
    }
    return "";
}

std::string CheckNote(const PackInstrument& ins, int note) {
    std::string outside = CheckNoteRange(ins, note);
    if (!outside.empty()) return outside;
    int highest = note;
    for (uint8_t offset : ins.arpOffsets) highest = std::max(highest, note + offset);
    int pitchPeak = 0;
    for (const PackPoint& p : ins.curves[CURVE_PITCH].points)
        if (p.y > pitchPeak) pitchPeak = p.y;
    // The oscillator moves to the next waveform segment at most once per
    // sample; a step wider than a segment skips past it and the voice
    // extrapolates far beyond full scale.
    const double narrowest = NarrowestSegment(ins);
    const double step = PhaseStep(highest, pitchPeak);
    if (step > narrowest)
        return Format(
            "note %i at the pitch curve's peak %i steps %.4f of a cycle per sample, more than the "
            "narrowest waveform segment (%.4f); widen the segments or play it lower",
            highest, pitchPeak, step, narrowest);
    return "";
}

namespace {

// The title, the number of instruments and each instrument by `check`.
std::string CheckSongInstruments(const PackSong& song, std::string (*check)(const PackInstrument&)) {
    if (song.title.size() > SONG_TITLE_MAX)
        return Format("title is %i characters, at most %i", static_cast<int>(song.title.size()),
                      SONG_TITLE_MAX);
    if (song.instruments.size() > SONG_INSTRUMENTS_MAX)
        return Format("%i instruments, at most %i", static_cast<int>(song.instruments.size()),
                      SONG_INSTRUMENTS_MAX);
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        std::string problem = check(song.instruments[i]);
        if (!problem.empty()) return Format("instrument %i: ", static_cast<int>(i)) + problem;
    }
    return "";
}

// The first of a pattern's first `rows` rows whose note names no instrument of the
// song or breaks `checkNote`, as "row R channel K: why"; "" when none does.
std::string CheckCells(const PackSong& song, const PackPattern& p, int rows,
                       std::string (*checkNote)(const PackInstrument&, int)) {
    for (int k = 0; k < PATTERN_CHANNELS; ++k) {
        for (int r = 0; r < rows; ++r) {
            const int n = p.note[k][r];
            if (n < 0) continue;
            const int ins = p.instrument[k][r];
            std::string problem = ins < 0 || ins >= static_cast<int>(song.instruments.size())
                                      ? Format("instrument %i is not in the song (it has %i)", ins,
                                               static_cast<int>(song.instruments.size()))
                                      : checkNote(song.instruments[ins], n);
            if (!problem.empty()) return Format("row %i channel %i: ", r, k + 1) + problem;
        }
    }
    return "";
}

// The order list's length, and every entry empty or a pattern of the song.
std::string CheckOrderList(const PackSong& song) {
    if (song.order.size() > SONG_LENGTH_MAX)
        return Format("song length %i, at most %i", static_cast<int>(song.order.size()), SONG_LENGTH_MAX);
    for (size_t i = 0; i < song.order.size(); ++i) {
        if (song.order[i] != ORDER_FILE_EMPTY && song.order[i] >= song.patterns.size())
            return Format("order entry %i names pattern %i, which does not exist", static_cast<int>(i),
                          song.order[i]);
    }
    return "";
}

}  // namespace

std::string CheckSong(const PackSong& song) {
    std::string instruments = CheckSongInstruments(song, CheckInstrument);
    if (!instruments.empty()) return instruments;
    if (song.patterns.size() > SONG_PATTERNS_MAX)
        return Format("%i patterns, at most %i", static_cast<int>(song.patterns.size()), SONG_PATTERNS_MAX);
    for (size_t i = 0; i < song.patterns.size(); ++i) {
        const PackPattern& p = song.patterns[i];
        const std::string where = Format("pattern %i \"%s\": ", static_cast<int>(i), p.name.c_str());
        if (p.name.size() > PATTERN_NAME_MAX)
            return where + Format("name is longer than %i characters", PATTERN_NAME_MAX);
        if (p.name.find('\0') != std::string::npos)
            return where + "name holds a zero byte, which would end it in the file";
        if (p.length < 1 || p.length > PATTERN_MAX_LENGTH)
            return where + Format("length %i is outside 1..%i", p.length, PATTERN_MAX_LENGTH);
        std::string cells = CheckCells(song, p, 8 * p.length, CheckNote);
        if (!cells.empty()) return where + cells;
    }
    return CheckOrderList(song);
}

std::string CheckInstrumentLimits(const PackInstrument& instrument) {
    if (static_cast<int>(instrument.arpOffsets.size()) > ARPEGGIO_MAX)
        return Format("%i arpeggio offsets, at most %i", static_cast<int>(instrument.arpOffsets.size()),
                      ARPEGGIO_MAX);
    for (int slot = 0; slot < CURVE_SLOT_COUNT; ++slot) {
        if (!CurvePresent(instrument, slot)) continue;
        const PackCurve& c = instrument.curves[slot];
        if (static_cast<int>(c.points.size()) > CURVE_MAX_POINTS)
            return std::string("curve ") + CurveName(slot) +
                   Format(": %i points, at most %i", static_cast<int>(c.points.size()), CURVE_MAX_POINTS);
        if (CurvePlayed(instrument, slot) && c.length < 1)
            return std::string("curve ") + CurveName(slot) +
                   ": length must be at least 1 for a curve that is played";
    }
    return "";
}

std::string CheckSongLimits(const PackSong& song) {
    std::string instruments = CheckSongInstruments(song, CheckInstrumentLimits);
    if (!instruments.empty()) return instruments;
    for (size_t i = 0; i < song.patterns.size(); ++i) {
        const PackPattern& p = song.patterns[i];
        if (p.length < 0 || p.length > PATTERN_MAX_LENGTH)
            return Format("pattern %i: length %i is outside 0..%i", static_cast<int>(i), p.length,
                          PATTERN_MAX_LENGTH);
        // A pattern of length 0 still plays its row 0.
        const int rows = p.length > 0 ? 8 * p.length : 1;
        std::string cells = CheckCells(song, p, rows, CheckNoteRange);
        if (!cells.empty()) return Format("pattern %i: ", static_cast<int>(i)) + cells;
    }
    return CheckOrderList(song);
}

namespace {

void PutU8(std::vector<uint8_t>& out, int v) { out.push_back(static_cast<uint8_t>(v)); }
void PutU16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void PutI32(std::vector<uint8_t>& out, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((u >> (8 * i)) & 0xFF));
}

void PutInstrument(const PackInstrument& ins, std::vector<uint8_t>& out) {
    PutU8(out, static_cast<int>(ins.name.size()));
    out.insert(out.end(), ins.name.begin(), ins.name.end());
    PutU8(out, ins.oneShot);
    PutU8(out, ins.noise);
    PutU8(out, static_cast<int>(ins.arpOffsets.size()));
    if (!ins.arpOffsets.empty()) {
        PutU8(out, ins.arpSpeed);
        for (uint8_t offset : ins.arpOffsets) PutU8(out, offset);
    }
    for (int slot = 0; slot < CURVE_SLOT_COUNT; ++slot) {
        if (!CurvePresent(ins, slot)) continue;
        const PackCurve& c = ins.curves[slot];
        PutU16(out, static_cast<uint16_t>(c.length));
        PutU8(out, c.loop);
        PutU8(out, c.loopPoint);
        PutU8(out, static_cast<int>(c.points.size()));
        for (const PackPoint& p : c.points) {
            PutU8(out, p.x);
            PutU8(out, p.y);
        }
    }
}

// Reads fields in order and remembers the first place the data ran out.
class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& data) : data_(data) {}
    bool Ok() const { return ok_; }
    size_t Offset() const { return pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }
    size_t Size() const { return data_.size(); }
    const std::string& Missing() const { return missing_; }

    bool Need(size_t n, const char* what) {
        if (!ok_) return false;
        if (data_.size() - pos_ < n) {
            ok_ = false;
            missing_ = what;
            return false;
        }
        return true;
    }
    int U8(const char* what) {
        if (!Need(1, what)) return 0;
        return data_[pos_++];
    }
    int U16(const char* what) {
        if (!Need(2, what)) return 0;
        const int v = data_[pos_] | (data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    int32_t I32(const char* what) {
        if (!Need(4, what)) return 0;
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(data_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return static_cast<int32_t>(u);
    }
    std::string Text(size_t n, const char* what) {
        if (!Need(n, what)) return "";
        std::string s(data_.begin() + pos_, data_.begin() + pos_ + n);
        pos_ += n;
        return s;
    }
    const uint8_t* Block(size_t n, const char* what) {
        if (!Need(n, what)) return nullptr;
        const uint8_t* p = data_.data() + pos_;
        pos_ += n;
        return p;
    }

private:
    const std::vector<uint8_t>& data_;
    size_t pos_ = 0;
    bool ok_ = true;
    std::string missing_;
};

std::string Truncated(const ByteReader& in) {
    return Format("file ends at byte %i, in the %s", static_cast<int>(in.Size()), in.Missing().c_str());
}

bool GetInstrument(ByteReader& in, PackInstrument& ins) {
    const int nameLength = in.U8("instrument name length");
    ins.name = in.Text(nameLength, "instrument name");
    ins.oneShot = static_cast<uint8_t>(in.U8("one-shot flag"));
    ins.noise = static_cast<uint8_t>(in.U8("noise flag"));
    const int arpCount = in.U8("arpeggio count");
    ins.arpOffsets.clear();
    if (arpCount > 0) {
        ins.arpSpeed = static_cast<uint8_t>(in.U8("arpeggio speed"));
        // The count is checked before anything is kept, so a bad count cannot
        // run far; offsets past the limit are kept only to be reported.
        for (int i = 0; i < arpCount && in.Ok(); ++i)
            ins.arpOffsets.push_back(static_cast<uint8_t>(in.U8("arpeggio offsets")));
    }
    for (int slot = 0; slot < CURVE_SLOT_COUNT && in.Ok(); ++slot) {
        PackCurve& c = ins.curves[slot];
        c = PackCurve();
        if (!CurvePresent(ins, slot)) continue;
        c.length = static_cast<int16_t>(static_cast<uint16_t>(in.U16("curve length")));
        c.loop = static_cast<uint8_t>(in.U8("curve loop flag"));
        c.loopPoint = static_cast<uint8_t>(in.U8("curve loop point"));
        const int count = in.U8("curve point count");
        for (int i = 0; i < count && in.Ok(); ++i) {
            PackPoint p;
            p.x = static_cast<uint8_t>(in.U8("curve points"));
            p.y = static_cast<uint8_t>(in.U8("curve points"));
            if (in.Ok()) c.points.push_back(p);
        }
    }
    return in.Ok();
}

// An instrument file's fields in file order; false (with the reason) when the data runs out.
bool GetWholeInstrument(ByteReader& in, PackInstrument& instrument, std::string& error) {
    instrument = PackInstrument();
    if (GetInstrument(in, instrument)) return true;
    error = Truncated(in);
    return false;
}

bool AllZero(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != 0) return false;
    return true;
}

int32_t BlockI32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void PutPattern(const PackPattern& p, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    PutI32(out, p.length);
    out.resize(start + PATTERN_NAME_OFFSET, 0);
    out.insert(out.end(), p.name.begin(), p.name.end());
    out.resize(start + PATTERN_NOTES_OFFSET, 0);
    for (int k = 0; k < PATTERN_CHANNELS; ++k)
        for (int r = 0; r < PATTERN_ROWS; ++r) PutI32(out, p.note[k][r]);
    for (int k = 0; k < PATTERN_CHANNELS; ++k)
        for (int r = 0; r < PATTERN_ROWS; ++r) PutI32(out, p.instrument[k][r]);
    out.resize(start + PATTERN_BLOCK_SIZE, 0);
}

void GetPattern(const uint8_t* block, int index, PackPattern& p, std::vector<std::string>& warnings) {
    const std::string where = Format("pattern %i: ", index);
    p.length = BlockI32(block);
    const char* name = reinterpret_cast<const char*>(block + PATTERN_NAME_OFFSET);
    const size_t nameLength = strnlen(name, PATTERN_NAME_SIZE);
    p.name.assign(name, nameLength < PATTERN_NAME_SIZE ? nameLength : PATTERN_NAME_SIZE - 1);
    if (nameLength == PATTERN_NAME_SIZE)
        warnings.push_back(where + "name has no terminator; cut to 259 characters");
    if (!AllZero(block + 4, 8) ||
        (nameLength < PATTERN_NAME_SIZE &&
         !AllZero(block + PATTERN_NAME_OFFSET + nameLength, PATTERN_NAME_SIZE - nameLength)) ||
        !AllZero(block + PATTERN_TAIL_OFFSET, PATTERN_BLOCK_SIZE - PATTERN_TAIL_OFFSET))
        warnings.push_back(where + "reserved bytes are not zero; the text form drops them");
    bool strayInstrument = false;
    bool rowsPastEnd = false;
    bool oddEmpty = false;
    const int rows = p.length >= 1 && p.length <= PATTERN_MAX_LENGTH ? 8 * p.length : PATTERN_ROWS;
    for (int k = 0; k < PATTERN_CHANNELS; ++k) {
        for (int r = 0; r < PATTERN_ROWS; ++r) {
            const int i = k * PATTERN_ROWS + r;
            int32_t n = BlockI32(block + PATTERN_NOTES_OFFSET + 4 * i);
            int32_t ins = BlockI32(block + PATTERN_INSTRUMENTS_OFFSET + 4 * i);
            if (r >= rows) {
                if (n != NOTE_EMPTY || ins != 0) rowsPastEnd = true;
                continue;
            }
            if (n < NOTE_OFF) {
                oddEmpty = true;
                n = NOTE_EMPTY;
            }
            if (n < 0 && ins != 0) {
                strayInstrument = true;
                ins = 0;
            }
            p.note[k][r] = n;
            p.instrument[k][r] = ins;
        }
    }
    if (rowsPastEnd) warnings.push_back(where + "cells past the pattern's last row are not empty; dropped");
    if (strayInstrument) warnings.push_back(where + "empty or note-off cells carry an instrument; dropped");
    if (oddEmpty) warnings.push_back(where + "empty cells other than -1 are written as -1");
}

}  // namespace

bool WriteInstrumentBinary(const PackInstrument& instrument, std::vector<uint8_t>& out, std::string& error) {
    error = CheckInstrument(instrument);
    if (!error.empty()) return false;
    out.clear();
    PutInstrument(instrument, out);
    return true;
}

bool WriteSongBinary(const PackSong& song, std::vector<uint8_t>& out, std::string& error) {
    error = CheckSong(song);
    if (!error.empty()) return false;
    out.clear();
    PutU8(out, static_cast<int>(song.title.size()));
    out.insert(out.end(), song.title.begin(), song.title.end());
    PutU8(out, static_cast<int>(song.instruments.size()));
    for (const PackInstrument& ins : song.instruments) PutInstrument(ins, out);
    PutU8(out, static_cast<int>(song.patterns.size()));
    for (const PackPattern& p : song.patterns) PutPattern(p, out);
    PutU16(out, static_cast<int>(song.order.size()));
    for (uint16_t entry : song.order) PutU16(out, entry);
    return true;
}

bool ReadInstrumentBinary(const std::vector<uint8_t>& data, PackInstrument& instrument, std::string& error) {
    ByteReader in(data);
    if (!GetWholeInstrument(in, instrument, error)) return false;
    if (!in.AtEnd()) {
        error = Format("%i bytes follow the instrument", static_cast<int>(data.size() - in.Offset()));
        return false;
    }
    error = CheckInstrument(instrument);
    return error.empty();
}

namespace {

// The song's fields in file order; false (with the reason) when the data runs out.
bool GetSong(ByteReader& in, PackSong& song, std::string& error, std::vector<std::string>& warnings) {
    song = PackSong();
    const int titleLength = in.U8("title length");
    song.title = in.Text(titleLength, "title");
    const int instrumentCount = in.U8("instrument count");
    for (int i = 0; i < instrumentCount && in.Ok(); ++i) {
        PackInstrument ins;
        if (GetInstrument(in, ins)) {
            song.instruments.push_back(ins);
            song.instrumentIds.push_back("");
        }
    }
    const int patternCount = in.U8("pattern count");
    for (int i = 0; i < patternCount && in.Ok(); ++i) {
        const uint8_t* block = in.Block(PATTERN_BLOCK_SIZE, "pattern blocks");
        if (!block) break;
        song.patterns.emplace_back();
        GetPattern(block, i, song.patterns.back(), warnings);
    }
    const int length = in.U16("song length");
    for (int i = 0; i < length && in.Ok(); ++i) {
        const int entry = in.U16("order list");
        if (in.Ok()) song.order.push_back(static_cast<uint16_t>(entry));
    }
    if (!in.Ok()) error = Truncated(in);
    return in.Ok();
}

}  // namespace

bool ReadSongBinary(const std::vector<uint8_t>& data, PackSong& song, std::string& error,
                    std::vector<std::string>& warnings) {
    ByteReader in(data);
    if (!GetSong(in, song, error, warnings)) return false;
    if (!in.AtEnd()) {
        error = Format("%i bytes follow the order list", static_cast<int>(data.size() - in.Offset()));
        return false;
    }
    error = CheckSong(song);
    return error.empty();
}

bool ReadInstrumentFormat(const std::vector<uint8_t>& data, PackInstrument& instrument, std::string& error) {
    ByteReader in(data);
    if (!GetWholeInstrument(in, instrument, error)) return false;
    error = CheckInstrumentLimits(instrument);
    return error.empty();
}

bool ReadSongFormat(const std::vector<uint8_t>& data, PackSong& song, std::string& error) {
    ByteReader in(data);
    std::vector<std::string> warnings;
    if (!GetSong(in, song, error, warnings)) return false;
    error = CheckSongLimits(song);
    return error.empty();
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string* reason) {
    std::string text, why;
    bool read = ReadWholeFile(path, text, why);
    data.assign(text.begin(), text.end());
    if (reason) *reason = why;
    return read;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::FILE* f = OpenNamedOutput(path);
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = CloseNamedOutput(f) && ok;
    return ok;
}
