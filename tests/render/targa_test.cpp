// The Targa reader, without GL: what it keeps of the format and how it meets
// hostile files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/textures.h"
#include "tests/render/targa_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Reads `file` both from disk and from memory; both must agree.
struct ReadResult {
    bool ok = false;
    Bytes pixels;
    int32_t width = 0, height = 0, bytesPerPixel = 0;
    std::string reason;
};

ReadResult ReadBoth(const Bytes& file) {
    std::string path = "picture.tga";
    WriteBytes(path, file);
    Texture texture;
    ReadResult fromFile;
    std::unique_ptr<uint8_t[]> pixels = texture.ReadTarga(path, &fromFile.reason);
    fromFile.ok = pixels != nullptr;
    fromFile.width = texture.Width();
    fromFile.height = texture.Height();
    fromFile.bytesPerPixel = texture.BytesPerPixel();
    if (pixels) {
        size_t size = size_t(fromFile.width) * fromFile.height * fromFile.bytesPerPixel;
        fromFile.pixels.assign(pixels.get(), pixels.get() + size);
    }

    TargaPicture picture;
    bool fromMemory = DecodeTarga(file.data(), file.size(), picture);
    EXPECT_EQ(fromMemory, fromFile.ok);
    if (fromMemory && fromFile.ok) {
        EXPECT_EQ(picture.width, fromFile.width);
        EXPECT_EQ(picture.height, fromFile.height);
        EXPECT_EQ(picture.bytesPerPixel, fromFile.bytesPerPixel);
        Bytes memoryPixels(picture.pixels.get(), picture.pixels.get() + fromFile.pixels.size());
        EXPECT_EQ(memoryPixels, fromFile.pixels);
    }
    return fromFile;
}

TargaLayout Layout(int width, int height, int depth, Bytes filePixels) {
    TargaLayout layout;
    layout.width = width;
    layout.height = height;
    layout.depth = depth;
    layout.filePixels = std::move(filePixels);
    return layout;
}

TEST(TargaReader, SwapsBlueAndRedOf24BitPixels) {
    ReadResult r = ReadBoth(MakeTarga(Layout(2, 1, 24, {1, 2, 3, 4, 5, 6})));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.width, 2);
    EXPECT_EQ(r.height, 1);
    EXPECT_EQ(r.bytesPerPixel, 3);
    EXPECT_EQ(r.pixels, (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST(TargaReader, Keeps32BitAlphaAsFourthByte) {
    ReadResult r = ReadBoth(MakeTarga(Layout(2, 1, 32, {10, 20, 30, 200, 40, 50, 60, 7})));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.bytesPerPixel, 4);
    EXPECT_EQ(r.pixels, (Bytes{30, 20, 10, 200, 60, 50, 40, 7}));
}

TEST(TargaReader, Reads8BitPixelsAsTheyAre) {
    ReadResult r = ReadBoth(MakeTarga(Layout(3, 1, 8, {9, 8, 7})));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.bytesPerPixel, 1);
    EXPECT_EQ(r.pixels, (Bytes{9, 8, 7}));
}

TEST(TargaReader, SkipsTheImageIdField) {
    TargaLayout layout = Layout(1, 1, 24, {1, 2, 3});
    layout.idField = "made by the test";
    ReadResult r = ReadBoth(MakeTarga(layout));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.pixels, (Bytes{3, 2, 1}));
}

TEST(TargaReader, KeepsRowsInFileOrderWhateverTheDescriptorSays) {
    // Two rows: the file's first row (red 10) must become texture row 0 (v = 0).
    for (int descriptor : {0x00, 0x20, 0x28}) {
        TargaLayout layout = Layout(1, 2, 24, {0, 0, 10, 0, 0, 20});
        layout.descriptor = descriptor;
        ReadResult r = ReadBoth(MakeTarga(layout));
        ASSERT_TRUE(r.ok) << r.reason;
        EXPECT_EQ(r.pixels, (Bytes{10, 0, 0, 20, 0, 0})) << "descriptor " << descriptor;
    }
}

TEST(TargaReader, RefusesEveryImageTypeButUncompressedTrueColour) {
    for (int type : {0, 1, 3, 9, 10, 11, 32, 255}) {
        TargaLayout layout = Layout(1, 1, 24, {1, 2, 3});
        layout.imageType = type;
        ReadResult r = ReadBoth(MakeTarga(layout));
        EXPECT_FALSE(r.ok) << "type " << type;
        EXPECT_EQ(r.width, 0) << "a refused file must leave the size alone";
    }
}

TEST(TargaReader, RefusesDepthsOtherThan8And24And32) {
    for (int depth : {0, 1, 7, 15, 16, 23, 25, 31, 33, 40, 64, 255}) {
        ReadResult r = ReadBoth(MakeTarga(Layout(2, 2, depth, Bytes(64, 1))));
        EXPECT_FALSE(r.ok) << "depth " << depth;
    }
}

TEST(TargaReader, RefusesSizesNoTextureNeeds) {
    struct Case {
        int width, height, depth;
        bool ok;
    };
    const Case cases[] = {
        {8192, 1, 24, true},    {8193, 1, 24, false},    {1, 8193, 8, false}, {65535, 65535, 32, false},
        {8192, 2048, 32, true}, {8192, 2049, 32, false}, {0, 5, 24, false},   {5, 0, 24, false},
    };
    for (const Case& c : cases) {
        // No pixel bytes at all: the accepted ones are finished with the last header byte.
        ReadResult r = ReadBoth(MakeTarga(Layout(c.width, c.height, c.depth, {})));
        EXPECT_EQ(r.ok, c.ok) << c.width << " x " << c.height << " x " << c.depth;
    }
}

TEST(TargaReader, FinishesATruncatedPictureWithTheLastByteRead) {
    ReadResult r = ReadBoth(MakeTarga(Layout(2, 2, 24, {1, 2, 3, 4})));
    ASSERT_TRUE(r.ok) << r.reason;
    ASSERT_EQ(r.pixels.size(), 12u);
    // The stream continues 4, 4, 4, ... and each pixel's blue and red are swapped.
    EXPECT_EQ(r.pixels, (Bytes{3, 2, 1, 4, 4, 4, 4, 4, 4, 4, 4, 4}));
}

TEST(TargaReader, FinishesAPictureWithNoPixelsWithTheDescriptorByte) {
    TargaLayout layout = Layout(3, 2, 32, {});
    layout.descriptor = 0x2A;
    ReadResult r = ReadBoth(MakeTarga(layout));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.pixels, Bytes(24, 0x2A));
}

TEST(TargaReader, RefusesAMissingFile) {
    Texture texture;
    std::string reason;
    EXPECT_EQ(texture.ReadTarga("no such picture.tga", &reason), nullptr);
    EXPECT_NE(reason.find("no such picture.tga"), std::string::npos) << reason;
}

TEST(TargaReader, LeavesTheSizeOfTheLastGoodPictureOnRefusal) {
    std::string good = "good.tga", bad = "bad.tga";
    WriteBytes(good, MakeTarga(Layout(3, 2, 24, Bytes(18, 5))));
    WriteBytes(bad, MakeTarga(Layout(4, 4, 16, Bytes(32, 5))));
    Texture texture;
    ASSERT_NE(texture.ReadTarga(good), nullptr);
    EXPECT_EQ(texture.ReadTarga(bad), nullptr);
    EXPECT_EQ(texture.Width(), 3);
    EXPECT_EQ(texture.Height(), 2);
    EXPECT_EQ(texture.BytesPerPixel(), 3);
    EXPECT_EQ(texture.Id(), 0u);
}

// Every hostile file kept under tests/bad, with what the reader must make of it.
TEST(TargaReader, SurvivesEveryHostileFile) {
    struct Case {
        const char* name;
        bool ok;
        int32_t width, height, bytesPerPixel;
        int fill;
    };
    const Case cases[] = {
        {"depth_0_bits.tga", false, 0, 0, 0, 0},
        {"depth_16_bits.tga", false, 0, 0, 0, 0},
        {"depth_255_bits.tga", false, 0, 0, 0, 0},
        {"empty_file.tga", false, 0, 0, 0, 0},
        {"header_cut_after_9_bytes.tga", false, 0, 0, 0, 0},
        {"size_0x0_empty.tga", false, 0, 0, 0, 0},
        {"size_65535x65535_absurd.tga", false, 0, 0, 0, 0},
        {"size_8193_wide.tga", false, 0, 0, 0, 0},
        {"type_10_run_length.tga", false, 0, 0, 0, 0},
        {"type_1_colour_mapped.tga", false, 0, 0, 0, 0},
        // Accepted, but finished with the last byte read (-1: not checked).
        {"id_field_longer_than_file.tga", true, 4, 4, 3, 'c'},
        {"pixels_cut_after_5_bytes.tga", true, 16, 16, 3, -1},
        {"pixels_missing_entirely.tga", true, 300, 200, 4, 0},
    };
    for (const Case& c : cases) {
        std::string path = std::string(VORTANE_SOURCE_DIR) + "/tests/bad/" + c.name;
        Texture texture;
        std::string reason;
        std::unique_ptr<uint8_t[]> pixels = texture.ReadTarga(path, &reason);
        ASSERT_EQ(pixels != nullptr, c.ok) << c.name << ": " << reason;
        if (!c.ok) {
            EXPECT_FALSE(reason.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(texture.Width(), c.width) << c.name;
        EXPECT_EQ(texture.Height(), c.height) << c.name;
        EXPECT_EQ(texture.BytesPerPixel(), c.bytesPerPixel) << c.name;
        if (c.fill >= 0) {
            size_t size = size_t(c.width) * c.height * c.bytesPerPixel;
            EXPECT_EQ(Bytes(pixels.get(), pixels.get() + size), Bytes(size, uint8_t(c.fill))) << c.name;
        }
    }
}

}  // namespace
