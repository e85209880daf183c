// make-textures: draws every picture of the game from vector shapes and writes
// them as Targa files.
//
//   make-textures OUTPUT_DIR [FILE.tga ...]   (all pictures when none is named)

#include <cstdio>
#include <string>

#include "tools/texture_pictures.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-textures OUTPUT_DIR [FILE.tga ...]\n");
        return 2;
    }
    std::string dir = argv[1];
    if (!dir.empty() && dir.back() != '/') dir += '/';
    int failures = 0;
    int made = 0;
    for (const TexturePicture& picture : TexturePictures()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i) wanted = wanted || picture.file == argv[i];
        if (!wanted) continue;
        if (!picture.draw().WriteTarga(dir + picture.file)) {
            std::fprintf(stderr, "make-textures: %s%s: cannot be written\n", dir.c_str(),
                         picture.file.c_str());
            ++failures;
        }
        ++made;
    }
    if (made < argc - 2) {
        std::fprintf(stderr, "make-textures: some named pictures are unknown\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
