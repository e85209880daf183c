#include "tools/zonder_text_write.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "tools/zonder_text_parse.h"

namespace {

// Names and titles are raw bytes in the binary files; control bytes are written as
// \n, \r, \t or \xNN so that every name survives on one text line.
std::string Quote(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else if (c == '\n') {
            q += "\\n";
        } else if (c == '\r') {
            q += "\\r";
        } else if (c == '\t') {
            q += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            q += escaped;
        } else {
            q += c;
        }
    }
    return q + "\"";
}

std::string Flag(int v) {
    if (v == 0) return "no";
    if (v == 1) return "yes";
    return std::to_string(v);
}

void WriteInstrumentLines(const PackInstrument& ins, const std::string& indent, std::string& out) {
    out += indent + "name " + Quote(ins.name) + "\n";
    out += indent + "one-shot " + Flag(ins.oneShot) + "\n";
    out += indent + "noise " + Flag(ins.noise) + "\n";
    if (!ins.arpOffsets.empty()) {
        out += indent + "arpeggio speed " + std::to_string(ins.arpSpeed) + " offsets";
        for (uint8_t offset : ins.arpOffsets) out += " " + std::to_string(offset);
        out += "\n";
    }
    for (int slot = 0; slot < CURVE_SLOT_COUNT; ++slot) {
        if (!CurvePresent(ins, slot)) continue;
        const PackCurve& c = ins.curves[slot];
        out += indent + CurveName(slot) + " length " + std::to_string(c.length);
        if (c.loop != 0) out += " loop " + Flag(c.loop);
        if (c.loopPoint != 0) out += " loop-point " + std::to_string(c.loopPoint);
        out += "\n";
        for (size_t i = 0; i < c.points.size(); i += 8) {
            out += indent + "  points";
            for (size_t j = i; j < c.points.size() && j < i + 8; ++j)
                out += " " + std::to_string(c.points[j].x) + ":" + std::to_string(c.points[j].y);
            out += "\n";
        }
    }
}

// Ids the parser accepts and that are unique; names that do not qualify
// become "ins<N>".
std::vector<std::string> InstrumentIds(const PackSong& song) {
    std::vector<std::string> ids;
    std::set<std::string> used;
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        std::string id = i < song.instrumentIds.size() ? song.instrumentIds[i] : "";
        if (id.empty()) {
            for (char c : song.instruments[i].name) {
                const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                   (c >= '0' && c <= '9') || c == '_' || c == '-';
                id += plain ? c : '_';
            }
        }
        bool digitsOnly = true;
        for (char c : id)
            if (c < '0' || c > '9') digitsOnly = false;
        if (id.empty() || digitsOnly || id[0] == '-' || id == "off" || used.count(id))
            id = "ins" + std::to_string(i);
        while (used.count(id)) id += "_";
        used.insert(id);
        ids.push_back(id);
    }
    return ids;
}

bool PlainName(const std::string& s) {
    if (s.empty() || s[0] == '@' || s == "--" || s.back() == '+') return false;
    for (char c : s)
        if (c == ' ' || c == '\t' || c == '#' || c == '"' || c == '|' || c < ' ') return false;
    return true;
}

std::string PatternRef(const PackSong& song, int index) {
    const std::string& name = song.patterns[index].name;
    int same = 0;
    for (const PackPattern& p : song.patterns)
        if (p.name == name) ++same;
    if (same == 1) return PlainName(name) ? name : Quote(name);
    return "@" + std::to_string(index);
}

std::string Pad(const std::string& s, size_t width) {
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

}  // namespace

std::string InstrumentText(const PackInstrument& instrument) {
    std::string out;
    WriteInstrumentLines(instrument, "", out);
    return out;
}

std::string SongText(const PackSong& song) {
    std::string out = "title " + Quote(song.title) + "\n";
    const std::vector<std::string> ids = InstrumentIds(song);
    size_t idWidth = 1;
    for (const std::string& id : ids) idWidth = std::max(idWidth, id.size());
    for (size_t i = 0; i < song.instruments.size(); ++i) {
        out += "\ninstrument " + ids[i] + "\n";
        WriteInstrumentLines(song.instruments[i], "  ", out);
        out += "end\n";
    }
    const size_t cellWidth = 4 + 1 + idWidth;
    for (size_t i = 0; i < song.patterns.size(); ++i) {
        const PackPattern& p = song.patterns[i];
        out += "\npattern " + (PlainName(p.name) ? p.name : Quote(p.name)) + " length " +
               std::to_string(p.length) + "\n";
        for (int r = 0; r < 8 * p.length && r < PATTERN_ROWS; ++r) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d", r);
            std::string line = number;
            for (int k = 0; k < PATTERN_CHANNELS; ++k) {
                const int n = p.note[k][r];
                std::string cell = "...";
                if (n == NOTE_OFF)
                    cell = "===";
                else if (n >= 0)
                    cell = Pad(NoteName(n), 4) + " " + ids[p.instrument[k][r]];
                line += " | " + (k + 1 < PATTERN_CHANNELS ? Pad(cell, cellWidth) : cell);
            }
            out += line + "\n";
        }
        out += "end\n";
    }
    out += "\n";
    // An entry followed by the empty steps its pattern plays over is written "NAME+".
    std::vector<std::string> entries;
    for (size_t i = 0; i < song.order.size(); ++i) {
        const uint16_t entry = song.order[i];
        if (entry == ORDER_FILE_EMPTY) {
            entries.push_back("--");
            continue;
        }
        const size_t rest = static_cast<size_t>(song.patterns[entry].length) - 1;
        bool whole = rest > 0 && i + rest < song.order.size();
        for (size_t j = 1; whole && j <= rest; ++j) whole = song.order[i + j] == ORDER_FILE_EMPTY;
        std::string ref = PatternRef(song, entry);
        if (whole) {
            // A quoted name cannot carry the mark; refer by number instead.
            if (ref[0] == '"') ref = "@" + std::to_string(entry);
            ref += "+";
            i += rest;
        }
        entries.push_back(ref);
    }
    for (size_t i = 0; i < entries.size(); i += 8) {
        out += "order";
        for (size_t j = i; j < entries.size() && j < i + 8; ++j) out += " " + entries[j];
        out += "\n";
    }
    return out;
}
