// zonder-pack: compiles the readable instrument (.zit) and song (.zst) sources
// into the player's binary .zdi and .zds files, and dumps binaries back to text.
//
//   zonder-pack FILE.zit [-o FILE.zdi]
//   zonder-pack FILE.zst [-o FILE.zds]
//   zonder-pack --dump FILE.zdi|FILE.zds [-o FILE.txt]

#include <cstdio>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "base/named_file.h"
#include "base/program_name.h"
#include "base/quoted_text.h"
#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"
#include "tools/zonder_text_write.h"

namespace {

std::string Extension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

// An input that cannot be used (missing, special, too large, refused): one line
// on stderr and EXIT_USAGE, as every program answers a named input it cannot use.
int Refuse(const std::string& message) {
    RunFailure(message);
    return EXIT_USAGE;
}

int Dump(const std::string& input, std::string output) {
    std::vector<uint8_t> data;
    std::string reason;
    if (!ReadWholeFile(input, data, &reason)) return Refuse(input + ": " + reason);
    std::string text;
    std::string error;
    const std::string ext = Extension(input);
    if (ext == ".zdi") {
        PackInstrument ins;
        if (!ReadInstrumentBinary(data, ins, error)) return Refuse(input + ": " + error);
        text = InstrumentText(ins);
    } else if (ext == ".zds") {
        PackSong song;
        std::vector<std::string> warnings;
        if (!ReadSongBinary(data, song, error, warnings)) return Refuse(input + ": " + error);
        for (const std::string& w : warnings)
            std::fprintf(stderr, "%s: %s: warning: %s\n", ProgramName(), input.c_str(),
                         QuoteUnprintable(w).c_str());
        text = SongText(song);
    } else {
        return Refuse(input + ": --dump reads .zdi or .zds files");
    }
    if (output.empty()) output = "-";
    if (!WriteWholeFile(output, std::vector<uint8_t>(text.begin(), text.end())))
        return RunFailure(OutputDisplayName(output) + ": cannot be written");
    return 0;
}

int Pack(const std::string& input, std::string output) {
    const std::string ext = Extension(input);
    std::vector<uint8_t> data;
    std::string error;
    if (ext == ".zit") {
        PackInstrument ins;
        if (!ParseInstrumentFile(input, ins, error)) return Refuse(error);
        if (!WriteInstrumentBinary(ins, data, error)) return Refuse(input + ": " + error);
        if (output.empty()) output = input.substr(0, input.size() - ext.size()) + ".zdi";
    } else if (ext == ".zst") {
        PackSong song;
        if (!ParseSongFile(input, song, error)) return Refuse(error);
        if (!WriteSongBinary(song, data, error)) return Refuse(input + ": " + error);
        if (output.empty()) output = input.substr(0, input.size() - ext.size()) + ".zds";
    } else {
        return Refuse(input + ": zonder-pack compiles .zit instruments and .zst songs");
    }
    if (!WriteWholeFile(output, data)) return RunFailure(OutputDisplayName(output) + ": cannot be written");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool dump = false;
    std::string output;
    CommandLine line;
    line.program = "zonder-pack";
    line.usage =
        "FILE.zit|FILE.zst [-o OUTPUT]\n"
        "       zonder-pack --dump FILE.zdi|FILE.zds [-o OUTPUT]";
    line.summary =
        "Compiles a text instrument (.zit) or song (.zst) into the player's .zdi or .zds\n"
        "file (beside the source unless -o names one), or prints a binary back as text.";
    CommandOption out = TextOption("output", "OUTPUT", "the file to write", &output);
    out.shortName = 'o';
    line.options = {
        FlagOption("dump", "print a .zdi or .zds file as text (to standard output unless -o)", &dump),
        out,
    };
    line.minOperands = line.maxOperands = 1;
    line.operandName = "FILE";
    line.notes =
        "Errors in a source read FILE:LINE: problem, and end with exit status 2, as does an\n"
        "input that cannot be read (missing, not a regular file, larger than 64 MiB).\n";
    std::vector<std::string> operands;
    int exitStatus = 0;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) return exitStatus;
    return dump ? Dump(operands[0], output) : Pack(operands[0], output);
}
