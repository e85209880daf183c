// "-" as the standard stream, and the reasons a named file cannot be read.
#include "base/named_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(NamedFile, AFailedWriteIsReportedAtClose) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full";
    std::fputs("more than nothing", full);
    EXPECT_FALSE(CloseNamedOutput(full));
}
