// make-textures: draws every picture of the game from vector shapes and writes
// them as Targa files; named on the command line, it also draws the icons (the
// hicolor PNG files and the windows' Targa icons, see texture_icons.h).
//
//   make-textures OUTPUT_DIR [FILE ...]   (all game pictures when none is named)

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "tools/texture_icons.h"
#include "tools/texture_pictures.h"

int main(int argc, char** argv) {
    CommandLine line;
    line.program = "make-textures";
    line.usage = "OUTPUT_DIR [FILE ...]";
    line.summary =
        "Draws the pictures of both editions from vector shapes and writes them as Targa\n"
        "files into OUTPUT_DIR: all of them, or only the ones named. Named, it also draws\n"
        "the icons: vortane-SIZE.png and vortane-classic-SIZE.png (SIZE 32, 48, 64, 128,\n"
        "256), icon-vortane.tga and icon-vortane-classic.tga.";
    line.minOperands = 1;
    line.maxOperands = SIZE_MAX;
    line.operandName = "OUTPUT_DIR";
    std::vector<std::string> operands;
    int exitStatus = 0;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) return exitStatus;

    std::string dir = operands[0];
    if (!dir.empty() && dir.back() != '/') dir += '/';
    std::vector<std::string> named(operands.begin() + 1, operands.end());
    for (const std::string& name : named) {
        bool known = false;
        for (const TexturePicture& picture : TexturePictures()) known = known || picture.file == name;
        for (const IconFile& icon : IconFiles()) known = known || icon.file == name;
        if (!known) return UsageError("unknown picture \"" + name + "\"");
    }
    int failures = 0;
    for (const TexturePicture& picture : TexturePictures()) {
        bool wanted = named.empty();
        for (const std::string& name : named) wanted = wanted || picture.file == name;
        if (!wanted) continue;
        if (!picture.draw().WriteTarga(dir + picture.file)) {
            RunFailure(dir + picture.file + ": cannot be written");
            ++failures;
        }
    }
    for (const IconFile& icon : IconFiles()) {
        bool wanted = false;
        for (const std::string& name : named) wanted = wanted || icon.file == name;
        if (!wanted) continue;
        if (!icon.write(dir + icon.file)) {
            RunFailure(dir + icon.file + ": cannot be written");
            ++failures;
        }
    }
    return failures == 0 ? 0 : EXIT_RUN_FAILED;
}
