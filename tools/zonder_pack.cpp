// zonder-pack: compiles the readable instrument (.zit) and song (.zst) sources
// into the player's binary .zdi and .zds files, and dumps binaries back to text.
//
//   zonder-pack FILE.zit [-o FILE.zdi]
//   zonder-pack FILE.zst [-o FILE.zds]
//   zonder-pack --dump FILE.zdi|FILE.zds [-o FILE.txt]

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"
#include "tools/zonder_text_write.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: zonder-pack FILE.zit|FILE.zst [-o OUTPUT]\n"
                 "       zonder-pack --dump FILE.zdi|FILE.zds [-o OUTPUT]\n");
    return 2;
}

std::string Extension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zonder-pack: %s\n", message.c_str());
    return 1;
}

int Dump(const std::string& input, const std::string& output) {
    std::vector<uint8_t> data;
    if (!ReadWholeFile(input, data)) return Fail(input + ": cannot be read");
    std::string text;
    std::string error;
    const std::string ext = Extension(input);
    if (ext == ".zdi") {
        PackInstrument ins;
        if (!ReadInstrumentBinary(data, ins, error)) return Fail(input + ": " + error);
        text = InstrumentText(ins);
    } else if (ext == ".zds") {
        PackSong song;
        std::vector<std::string> warnings;
        if (!ReadSongBinary(data, song, error, warnings)) return Fail(input + ": " + error);
        for (const std::string& w : warnings)
            std::fprintf(stderr, "zonder-pack: %s: warning: %s\n", input.c_str(), w.c_str());
        text = SongText(song);
    } else {
        return Fail(input + ": --dump reads .zdi or .zds files");
    }
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (!WriteWholeFile(output, std::vector<uint8_t>(text.begin(), text.end())))
        return Fail(output + ": cannot be written");
    return 0;
}

int Pack(const std::string& input, std::string output) {
    const std::string ext = Extension(input);
    std::vector<uint8_t> data;
    std::string error;
    if (ext == ".zit") {
        PackInstrument ins;
        if (!ParseInstrumentFile(input, ins, error)) return Fail(error);
        if (!WriteInstrumentBinary(ins, data, error)) return Fail(input + ": " + error);
        if (output.empty()) output = input.substr(0, input.size() - ext.size()) + ".zdi";
    } else if (ext == ".zst") {
        PackSong song;
        if (!ParseSongFile(input, song, error)) return Fail(error);
        if (!WriteSongBinary(song, data, error)) return Fail(input + ": " + error);
        if (output.empty()) output = input.substr(0, input.size() - ext.size()) + ".zds";
    } else {
        return Fail(input + ": zonder-pack compiles .zit instruments and .zst songs");
    }
    if (!WriteWholeFile(output, data)) return Fail(output + ": cannot be written");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool dump = false;
    std::string input;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dump") == 0) {
            dump = true;
        } else if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            output = argv[++i];
        } else if (argv[i][0] == '-' || !input.empty()) {
            return Usage();
        } else {
            input = argv[i];
        }
    }
    if (input.empty()) return Usage();
    return dump ? Dump(input, output) : Pack(input, output);
}
