// "-" as the standard stream, and the reasons a named file cannot be read.
#include "base/named_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

TEST(NamedFile, DashIsTheStandardStreamAndNamedSo) {
    EXPECT_TRUE(IsStandardStream("-"));
    EXPECT_FALSE(IsStandardStream("./-"));
    EXPECT_EQ(InputDisplayName("-"), "standard input");
    EXPECT_EQ(OutputDisplayName("-"), "standard output");
    EXPECT_EQ(InputDisplayName("a.txt"), "a.txt");
    EXPECT_EQ(OpenNamedOutput("-"), stdout);
}

TEST(NamedFile, ReadsAWholeFileAndRefusesFoldersAndMissingFiles) {
    std::string bytes("one\0two\n", 8);
    std::FILE* f = OpenNamedOutput("data.bin");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    ASSERT_TRUE(CloseNamedOutput(f));
    std::string text, reason;
    ASSERT_TRUE(ReadNamedInput("data.bin", text, reason)) << reason;
    EXPECT_EQ(text, bytes);

    ASSERT_EQ(mkdir("folder", 0755), 0);
    EXPECT_FALSE(ReadNamedInput("folder", text, reason));
    EXPECT_EQ(reason, "is a folder, not a file");
    EXPECT_FALSE(ReadNamedInput("missing.txt", text, reason));
    EXPECT_EQ(reason, "cannot open (No such file or directory)");
}

TEST(NamedFile, RefusesWhatIsNotARegularFileWithoutWaitingOnIt) {
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    ASSERT_EQ(mkdir("folder", 0755), 0);
    std::string text, reason;
    // Opening a pipe no one writes to would wait forever; it is refused at once.
    EXPECT_FALSE(ReadNamedInput("pipe", text, reason));
    EXPECT_EQ(reason, "is not a regular file (a pipe, device or socket)");
    EXPECT_FALSE(ReadNamedInput("/dev/zero", text, reason));
    EXPECT_EQ(reason, "is not a regular file (a pipe, device or socket)");
    EXPECT_TRUE(text.empty());
    std::FILE* file = OpenRegularFile("folder", reason);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(reason, "is a folder, not a file");
    file = OpenRegularFile("missing.bin", reason);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(errno, ENOENT) << "a missing file is told apart from a refused one";
}

TEST(NamedFile, RefusesAFileLargerThanTheLimit) {
    std::FILE* f = OpenNamedOutput("big.txt");
    ASSERT_NE(f, nullptr);
    std::fputs(std::string(1000, 'x').c_str(), f);
    ASSERT_TRUE(CloseNamedOutput(f));
    std::string text, reason;
    EXPECT_TRUE(ReadWholeFile("big.txt", text, reason, 1000)) << reason;
    EXPECT_EQ(text.size(), 1000u);
    EXPECT_FALSE(ReadWholeFile("big.txt", text, reason, 999));
    EXPECT_EQ(reason, "is larger than 999 bytes, more than any real file");
    EXPECT_TRUE(text.empty());
    EXPECT_GE(NAMED_INPUT_MAX_BYTES, size_t(16) << 20) << "far above any real file";
}

TEST(NamedFile, AFailedWriteIsReportedAtClose) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full";
    std::fputs("more than nothing", full);
    EXPECT_FALSE(CloseNamedOutput(full));
}
