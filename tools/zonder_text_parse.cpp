#include "tools/zonder_text_parse.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "base/named_file.h"
#include "base/quoted_text.h"
#include "tools/zonder_text_binary.h"

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The escape at line[i] (a backslash): \n, \r, \t, \xNN, or any other character
// standing for itself (\" and \\). Appends the byte and moves i past the escape.
bool Unescape(const std::string& line, size_t& i, std::string& text, std::string& problem) {
    const char c = line[i + 1];
    i += 2;
    if (c == 'n') {
        text += '\n';
    } else if (c == 'r') {
        text += '\r';
    } else if (c == 't') {
        text += '\t';
    } else if (c == 'x') {
        const int high = i < line.size() ? HexDigit(line[i]) : -1;
        const int low = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
        if (high < 0 || low < 0) {
            problem = "\\x in quoted text wants two hex digits";
            return false;
        }
        text += static_cast<char>(high * 16 + low);
        i += 2;
    } else {
        text += c;
    }
    return true;
}

// One line split into words, quoted strings (with the escapes above) and the
// cell separator '|'. '#' outside quotes starts a comment, unless it is part of
// a word (note names like C#4).
bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& problem) {
    tokens.clear();
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '|') {
            tokens.push_back({"|", false});
            ++i;
        } else if (c == '"') {
            Token t;
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    if (!Unescape(line, i, t.text, problem)) return false;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    t.text += line[i++];
                }
            }
            if (!closed) {
                problem = "quoted text is not closed";
                return false;
            }
            tokens.push_back(t);
        } else {
            Token t;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '|' && line[i] != '"')
                t.text += line[i++];
            tokens.push_back(t);
        }
    }
    return true;
}

bool ParseInt(const std::string& s, long low, long high, int& value) {
    if (s.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

bool IsCurveName(const std::string& word, int& slot) {
    for (int s = 0; s < CURVE_SLOT_COUNT; ++s) {
        if (word == CurveName(s)) {
            slot = s;
            return true;
        }
    }
    return false;
}

// Builds one instrument from its lines, in any order; the checks that need the
// whole record run in Finish.
class InstrumentBuilder {
public:
    explicit InstrumentBuilder(PackInstrument& ins) : ins_(ins) { ins_ = PackInstrument(); }

    // Returns false with problem set when the line is not an instrument line.
    bool Line(const std::vector<Token>& t, int lineNumber, std::string& problem) {
        const std::string& key = t[0].text;
        int slot = 0;
        if (key == "name") {
            if (t.size() != 2) return Fail(problem, "name wants one quoted text: name \"bass\"");
            if (t[1].text.size() > INSTRUMENT_NAME_MAX)
                return Fail(problem, "name is longer than 255 characters");
            return Once("name", problem) && Set(ins_.name, t[1].text);
        }
        if (key == "one-shot" || key == "noise") {
            int v = 0;
            if (t.size() != 2 || !ParseFlag(t[1].text, v))
                return Fail(problem, key + " wants yes, no or a byte value");
            if (!Once(key, problem)) return false;
            (key == "noise" ? ins_.noise : ins_.oneShot) = static_cast<uint8_t>(v);
            return true;
        }
        if (key == "arpeggio") return Arpeggio(t, problem);
        if (IsCurveName(key, slot)) return CurveHeader(slot, t, lineNumber, problem);
        if (key == "points") return Points(t, problem);
        return Fail(problem, "unknown instrument line '" + key + "'");
    }

    // Whole-record checks, reported at the line of the curve concerned.
    bool Finish(int endLine, int& problemLine, std::string& problem) {
        problemLine = endLine;
        for (int s = 0; s < CURVE_SLOT_COUNT; ++s) {
            const bool wanted = CurvePresent(ins_, s);
            if (wanted && curveLine_[s] == 0) {
                problem = std::string("missing curve ") + CurveName(s) + Why(s, true);
                return false;
            }
            if (!wanted && curveLine_[s] != 0) {
                problemLine = curveLine_[s];
                problem = std::string("curve ") + CurveName(s) + " is never read" + Why(s, false);
                return false;
            }
        }
        problem = CheckInstrument(ins_);
        if (problem.empty()) return true;
        for (int s = 0; s < CURVE_SLOT_COUNT; ++s) {
            if (problem.find(std::string("curve ") + CurveName(s) + ":") == 0) problemLine = curveLine_[s];
        }
        if (problem.find("shapeA and shapeB") == 0) problemLine = curveLine_[CURVE_SHAPE_B];
        return false;
    }

private:
    static bool Fail(std::string& problem, const std::string& text) {
        problem = text;
        return false;
    }
    static bool Set(std::string& field, const std::string& value) {
        field = value;
        return true;
    }
    bool Once(const std::string& key, std::string& problem) {
        if (seen_[key]) return Fail(problem, key + " is given twice");
        seen_[key] = true;
        return true;
    }
    static bool ParseFlag(const std::string& s, int& v) {
        if (s == "yes")
            v = 1;
        else if (s == "no")
            v = 0;
        else
            return ParseInt(s, 0, 255, v);
        return true;
    }
    std::string Why(int slot, bool missing) const {
        if (slot == CURVE_RELEASE)
            return missing ? " (needed unless one-shot)" : " (the instrument is one-shot)";
        if (slot == CURVE_AMP || slot == CURVE_PITCH) return "";
        return missing ? " (needed unless noise)" : " (the instrument is noise)";
    }

    bool Arpeggio(const std::vector<Token>& t, std::string& problem) {
        const char* usage = "arpeggio wants: arpeggio speed 0..255 offsets N [N ...] (1 to 6 offsets)";
        int speed = 0;
        if (t.size() < 5 || t[1].text != "speed" || !ParseInt(t[2].text, 0, 255, speed) ||
            t[3].text != "offsets")
            return Fail(problem, usage);
        if (t.size() - 4 > ARPEGGIO_MAX) return Fail(problem, "at most 6 arpeggio offsets");
        if (!Once("arpeggio", problem)) return false;
        ins_.arpSpeed = static_cast<uint8_t>(speed);
        for (size_t i = 4; i < t.size(); ++i) {
            int offset = 0;
            if (!ParseInt(t[i].text, 0, NOTE_MAX, offset))
                return Fail(problem, "arpeggio offset '" + t[i].text + "' is not a number 0..119");
            ins_.arpOffsets.push_back(static_cast<uint8_t>(offset));
        }
        return true;
    }

    bool CurveHeader(int slot, const std::vector<Token>& t, int lineNumber, std::string& problem) {
        if (curveLine_[slot] != 0)
            return Fail(problem, std::string("curve ") + CurveName(slot) + " is given twice");
        curveLine_[slot] = lineNumber;
        current_ = slot;
        PackCurve& c = ins_.curves[slot];
        bool haveLength = false;
        for (size_t i = 1; i < t.size(); i += 2) {
            if (i + 1 >= t.size()) return Fail(problem, "'" + t[i].text + "' wants a value");
            const std::string& key = t[i].text;
            const std::string& value = t[i + 1].text;
            int v = 0;
            if (key == "length") {
                if (!ParseInt(value, -32768, 32767, v))
                    return Fail(problem, "length wants -32768..32767 control ticks");
                c.length = static_cast<int16_t>(v);
                haveLength = true;
            } else if (key == "loop") {
                if (!ParseFlag(value, v)) return Fail(problem, "loop wants yes, no or a byte value");
                c.loop = static_cast<uint8_t>(v);
            } else if (key == "loop-point") {
                if (!ParseInt(value, 0, 255, v)) return Fail(problem, "loop-point wants 0..255");
                c.loopPoint = static_cast<uint8_t>(v);
            } else {
                return Fail(problem, "unknown curve setting '" + key + "' (length, loop, loop-point)");
            }
        }
        if (!haveLength) return Fail(problem, std::string("curve ") + CurveName(slot) + " wants a length");
        return true;
    }

    bool Points(const std::vector<Token>& t, std::string& problem) {
        if (current_ < 0) return Fail(problem, "points before any curve");
        PackCurve& c = ins_.curves[current_];
        for (size_t i = 1; i < t.size(); ++i) {
            const std::string& s = t[i].text;
            const size_t colon = s.find(':');
            int x = 0, y = 0;
            if (colon == std::string::npos || !ParseInt(s.substr(0, colon), 0, 255, x) ||
                !ParseInt(s.substr(colon + 1), 0, 255, y))
                return Fail(problem, "point '" + s + "' is not x:y with both 0..255");
            if (static_cast<int>(c.points.size()) == CURVE_MAX_POINTS)
                return Fail(problem,
                            std::string("curve ") + CurveName(current_) + " has more than 100 points");
            if (!c.points.empty() && x < c.points.back().x)
                return Fail(problem, "point '" + s + "' lies before the point ahead of it (x must not fall)");
            c.points.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        }
        return true;
    }

    PackInstrument& ins_;
    std::map<std::string, bool> seen_;
    int curveLine_[CURVE_SLOT_COUNT] = {};
    int current_ = -1;
};

class SongParser {
public:
    SongParser(const std::string& fileName, PackSong& song) : file_(fileName), song_(song) {
        song_ = PackSong();
    }

    bool Run(const std::string& text, std::string& error) {
        lines_ = SplitLines(text);
        bool haveTitle = false;
        for (line_ = 0; line_ < lines_.size(); ++line_) {
            if (!TokenizeLine()) return Report(error);
            if (tokens_.empty()) continue;
            const std::string& key = tokens_[0].text;
            if (key == "title") {
                if (haveTitle) return Problem("title is given twice", error);
                if (tokens_.size() != 2) return Problem("title wants one quoted text", error);
                if (tokens_[1].text.size() > SONG_TITLE_MAX)
                    return Problem("title is longer than 31 characters", error);
                song_.title = tokens_[1].text;
                haveTitle = true;
            } else if (key == "instrument") {
                if (!Instrument(error)) return false;
            } else if (key == "pattern") {
                if (!Pattern(error)) return false;
            } else if (key == "order") {
                if (!Order(error)) return false;
            } else {
                return Problem("unknown song line '" + key + "' (title, instrument, pattern, order)", error);
            }
        }
        const std::string problem = CheckSong(song_);
        if (!problem.empty()) return Problem(problem, error);
        return true;
    }

private:
    bool TokenizeLine() {
        problem_.clear();
        return Tokenize(lines_[line_], tokens_, problem_);
    }
    bool Report(std::string& error) const {
        error = file_ + ":" + std::to_string(line_ + 1) + ": " + problem_;
        return false;
    }
    bool Problem(const std::string& text, std::string& error) {
        problem_ = text;
        return Report(error);
    }

    static bool ValidId(const std::string& s) {
        if (s.empty() || s == "--" || s == "..." || s == "===" || s == "off" || s[0] == '@') return false;
        bool digitsOnly = true;
        for (char c : s) {
            if (c == ':' || c == '|') return false;
            if (c < '0' || c > '9') digitsOnly = false;
        }
        return !digitsOnly;  // a number names an instrument by its slot
    }

    bool Instrument(std::string& error) {
        if (song_.instruments.size() == SONG_INSTRUMENTS_MAX)
            return Problem("more than 100 instruments", error);
        if (tokens_.size() < 2 || !ValidId(tokens_[1].text))
            return Problem("instrument wants an id: instrument bass file \"bass.zit\", or an inline block",
                           error);
        const std::string id = tokens_[1].text;
        if (instrumentIndex_.count(id)) return Problem("instrument '" + id + "' is declared twice", error);
        PackInstrument ins;
        if (tokens_.size() == 4 && tokens_[2].text == "file") {
            const std::string path = DirectoryOf(file_) + tokens_[3].text;
            std::string nested;
            if (!ParseInstrumentFile(path, ins, nested)) {
                error = file_ + ":" + std::to_string(line_ + 1) + ": in instrument '" + id + "': " + nested;
                return false;
            }
        } else if (tokens_.size() == 2) {
            if (!InlineInstrument(ins, error)) return false;
        } else {
            return Problem(
                "instrument wants: instrument ID file \"PATH\", or instrument ID and lines up to 'end'",
                error);
        }
        instrumentIndex_[id] = static_cast<int>(song_.instruments.size());
        song_.instruments.push_back(ins);
        song_.instrumentIds.push_back(id);
        return true;
    }

    bool InlineInstrument(PackInstrument& ins, std::string& error) {
        InstrumentBuilder builder(ins);
        const size_t header = line_;
        for (++line_; line_ < lines_.size(); ++line_) {
            if (!TokenizeLine()) return Report(error);
            if (tokens_.empty()) continue;
            if (tokens_[0].text == "end" && tokens_.size() == 1) {
                int problemLine = 0;
                if (!builder.Finish(static_cast<int>(line_) + 1, problemLine, problem_)) {
                    line_ = problemLine - 1;
                    return Report(error);
                }
                return true;
            }
            if (!builder.Line(tokens_, static_cast<int>(line_) + 1, problem_)) return Report(error);
        }
        line_ = header;
        return Problem("instrument block has no 'end'", error);
    }

    bool Pattern(std::string& error) {
        if (song_.patterns.size() == SONG_PATTERNS_MAX) return Problem("more than 255 patterns", error);
        int length = 0;
        if (tokens_.size() != 4 || tokens_[2].text != "length" ||
            !ParseInt(tokens_[3].text, 1, PATTERN_MAX_LENGTH, length))
            return Problem("pattern wants: pattern NAME length 1..32", error);
        if (tokens_[1].text.size() > PATTERN_NAME_MAX)
            return Problem("pattern name is longer than 259 characters", error);
        if (tokens_[1].text.find('\0') != std::string::npos)
            return Problem("pattern name holds a zero byte, which ends a name in the song file", error);
        song_.patterns.emplace_back();
        PackPattern& p = song_.patterns.back();
        p.name = tokens_[1].text;
        p.length = length;
        const size_t header = line_;
        int lastRow = -1;
        for (++line_; line_ < lines_.size(); ++line_) {
            if (!TokenizeLine()) return Report(error);
            if (tokens_.empty()) continue;
            if (tokens_[0].text == "end" && tokens_.size() == 1) return true;
            if (!Row(p, lastRow, error)) return false;
        }
        line_ = header;
        return Problem("pattern '" + p.name + "' has no 'end'", error);
    }

    // "RR | cell | cell | cell"; a cell is "...", "===" (note-off) or "NOTE INSTRUMENT".
    bool Row(PackPattern& p, int& lastRow, std::string& error) {
        int row = 0;
        if (!ParseInt(tokens_[0].text, 0, 8 * p.length - 1, row))
            return Problem("row '" + tokens_[0].text + "' is not a row number 0.." +
                               std::to_string(8 * p.length - 1) + " of this pattern",
                           error);
        if (row <= lastRow)
            return Problem("row " + std::to_string(row) + " does not follow row " + std::to_string(lastRow),
                           error);
        lastRow = row;
        size_t i = 1;
        for (int k = 0; k < PATTERN_CHANNELS; ++k) {
            if (i >= tokens_.size() || tokens_[i].text != "|")
                return Problem("row wants three cells, each after a '|'", error);
            ++i;
            std::vector<std::string> cell;
            while (i < tokens_.size() && tokens_[i].text != "|") cell.push_back(tokens_[i++].text);
            if (!Cell(cell, k, row, p, error)) return false;
        }
        if (i != tokens_.size()) return Problem("row has more than three cells", error);
        return true;
    }

    bool Cell(const std::vector<std::string>& cell, int k, int row, PackPattern& p, std::string& error) {
        const std::string where = "channel " + std::to_string(k + 1) + ": ";
        if (cell.size() == 1 && cell[0] == "...") return true;
        if (cell.size() == 1 && (cell[0] == "===" || cell[0] == "off")) {
            p.note[k][row] = NOTE_OFF;
            return true;
        }
        int note = 0;
        if (cell.size() != 2 || !ParseNoteName(cell[0], note))
            return Problem(where + "a cell is '...', '===' or a note and an instrument ('C-4 bass')", error);
        int instrument = -1;
        auto found = instrumentIndex_.find(cell[1]);
        if (found != instrumentIndex_.end()) {
            instrument = found->second;
        } else if (!ParseInt(cell[1], 0, static_cast<long>(song_.instruments.size()) - 1, instrument)) {
            return Problem(where + "instrument '" + cell[1] + "' is not declared above", error);
        }
        const PackInstrument& ins = song_.instruments[instrument];
        for (uint8_t offset : ins.arpOffsets) {
            if (note + offset > NOTE_MAX)
                return Problem(where + NoteName(note) + " with arpeggio offset " + std::to_string(offset) +
                                   " passes the top note G#10",
                               error);
        }
        const std::string problem = CheckNote(ins, note);
        if (!problem.empty()) return Problem(where + NoteName(note) + ": " + problem, error);
        p.note[k][row] = note;
        p.instrument[k][row] = instrument;
        return true;
    }

    bool Order(std::string& error) {
        for (size_t i = 1; i < tokens_.size(); ++i) {
            const std::string& s = tokens_[i].text;
            if (song_.order.size() == SONG_LENGTH_MAX)
                return Problem("song is longer than 16384 steps", error);
            if (s == "--" && !tokens_[i].quoted) {
                song_.order.push_back(ORDER_FILE_EMPTY);
                continue;
            }
            // "NAME+" is the entry followed by the empty steps its pattern plays over.
            std::string ref = s;
            const bool whole = !tokens_[i].quoted && ref.size() > 1 && ref.back() == '+';
            if (whole) ref.pop_back();
            int index = -1;
            if (!ref.empty() && ref[0] == '@' && !tokens_[i].quoted) {
                if (!ParseInt(ref.substr(1), 0, static_cast<long>(song_.patterns.size()) - 1, index))
                    return Problem("order entry '" + s + "' is not the number of a pattern above", error);
            } else {
                for (size_t j = 0; j < song_.patterns.size(); ++j) {
                    if (song_.patterns[j].name != ref) continue;
                    if (index >= 0)
                        return Problem("pattern name '" + ref + "' is ambiguous; use @NUMBER", error);
                    index = static_cast<int>(j);
                }
                if (index < 0) return Problem("order entry '" + s + "' names no pattern above", error);
            }
            song_.order.push_back(static_cast<uint16_t>(index));
            for (int step = 1; whole && step < song_.patterns[index].length; ++step) {
                if (song_.order.size() == SONG_LENGTH_MAX)
                    return Problem("song is longer than 16384 steps", error);
                song_.order.push_back(ORDER_FILE_EMPTY);
            }
        }
        return true;
    }

    std::string file_;
    PackSong& song_;
    std::vector<std::string> lines_;
    size_t line_ = 0;
    std::vector<Token> tokens_;
    std::string problem_;
    std::map<std::string, int> instrumentIndex_;
};

}  // namespace

bool ParseNoteName(const std::string& token, int& note) {
    static const int semitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (token.size() < 3 || token[0] < 'A' || token[0] > 'G') return false;
    int s = semitone[token[0] - 'A'];
    if (token[1] == '#')
        s += 1;
    else if (token[1] != '-')
        return false;
    int octave = 0;
    if (!ParseInt(token.substr(2), 0, 10, octave) || token.size() > 4) return false;
    const int n = (octave + 1) * 12 + s - 21;  // note 0 is A-0
    if (n < 0 || n > NOTE_MAX) return false;
    note = n;
    return true;
}

std::string NoteName(int note) {
    static const char* const names[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                          "F#", "G-", "G#", "A-", "A#", "B-"};
    const int midi = note + 21;
    return std::string(names[midi % 12]) + std::to_string(midi / 12 - 1);
}

bool ParseInstrumentText(const std::string& text, const std::string& fileName, PackInstrument& instrument,
                         std::string& error) {
    const std::vector<std::string> lines = SplitLines(text);
    InstrumentBuilder builder(instrument);
    std::vector<Token> tokens;
    std::string problem;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        if (!Tokenize(lines[i], tokens, problem) ||
            (!tokens.empty() && !builder.Line(tokens, lineNumber, problem))) {
            error = QuoteUnprintable(fileName + ":" + std::to_string(lineNumber) + ": " + problem);
            return false;
        }
    }
    int problemLine = 0;
    if (!builder.Finish(std::max(1, static_cast<int>(lines.size())), problemLine, problem)) {
        error = QuoteUnprintable(fileName + ":" + std::to_string(problemLine) + ": " + problem);
        return false;
    }
    return true;
}

bool ParseSongText(const std::string& text, const std::string& fileName, PackSong& song, std::string& error) {
    SongParser parser(fileName, song);
    if (parser.Run(text, error)) return true;
    error = QuoteUnprintable(error);
    return false;
}

bool ParseInstrumentFile(const std::string& path, PackInstrument& instrument, std::string& error) {
    std::string text, reason;
    if (!ReadWholeFile(path, text, reason)) {
        error = QuoteUnprintable(path + ": " + reason);
        return false;
    }
    return ParseInstrumentText(text, path, instrument, error);
}

bool ParseSongFile(const std::string& path, PackSong& song, std::string& error) {
    std::string text, reason;
    if (!ReadWholeFile(path, text, reason)) {
        error = QuoteUnprintable(path + ": " + reason);
        return false;
    }
    return ParseSongText(text, path, song, error);
}
