// The shared parser in-process: the forms of an option, the errors and what they
// print, and the two built-in options.
#include "base/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/program_name.h"

namespace {

// Captures what the parser prints.
struct Stream {
    std::FILE* file = std::tmpfile();
    ~Stream() { std::fclose(file); }
    std::string Text() {
        std::fflush(file);
        std::rewind(file);
        std::string text;
        char block[4096];
        size_t got;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
        return text;
    }
};

struct Parsed {
    bool run = false;
    int status = -1;
    std::vector<std::string> operands;
    std::string out, err;
};

// A little program with one option of each shape, parsed from `words`.
struct Sample {
    bool flag = false;
    uint32_t count = 7;
    std::string text;
    std::string choice = "left";
    double amount = 0;
    char shortValue[2] = {};

    Parsed Parse(std::vector<std::string> words, size_t minOperands = 0, size_t maxOperands = SIZE_MAX) {
        CommandLine line;
        line.program = "sample";
        line.usage = "[OPTION]... [FILE]...";
        line.summary = "A sample.";
        CommandOption output = TextOption("output", "OUT", "where", &text);
        output.shortName = 'o';
        line.options = {
            FlagOption("flag", "a flag", &flag),
            NumberOption<uint32_t>("count", "N", "a count", &count, 1, 100),
            output,
            ChoiceOption("side", "SIDE", "a side", {"left", "right", "up"}, &choice),
            DecimalOption("amount", "X", "an amount", &amount, 0, 10),
        };
        line.minOperands = minOperands;
        line.maxOperands = maxOperands;
        line.operandName = "FILE";
        std::vector<char*> argv;
        words.insert(words.begin(), "sample");
        for (std::string& w : words) argv.push_back(&w[0]);
        argv.push_back(nullptr);
        Stream out, err;
        Parsed parsed;
        parsed.run = ParseCommandLine(line, static_cast<int>(words.size()), argv.data(), parsed.operands,
                                      parsed.status, out.file, err.file);
        parsed.out = out.Text();
        parsed.err = err.Text();
        return parsed;
    }
};

}  // namespace

TEST(CommandLine, ValueJoinedOrSeparateAndPrefixesOfLongNames) {
    struct Case {
        std::vector<std::string> words;
        uint32_t count;
    };
    for (const Case& c : {Case{{"--count=12"}, 12}, Case{{"--count", "13"}, 13}, Case{{"--cou", "14"}, 14},
                          Case{{"--count=1", "--count=100"}, 100}}) {
        Sample s;
        Parsed p = s.Parse(c.words);
        EXPECT_TRUE(p.run) << p.err;
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(s.count, c.count);
        EXPECT_EQ(p.err, "");
    }
}

TEST(CommandLine, OperandsAnywhereAndDashIsAnOperandOrAValue) {
    Sample s;
    Parsed p = s.Parse({"a.txt", "--flag", "-", "-o", "-", "--side", "up", "--", "--count"});
    ASSERT_TRUE(p.run) << p.err;
    EXPECT_EQ(p.operands, (std::vector<std::string>{"a.txt", "-", "--count"}));
    EXPECT_TRUE(s.flag);
    EXPECT_EQ(s.text, "-");
    EXPECT_EQ(s.choice, "up");
    EXPECT_EQ(s.count, 7u);
}

TEST(CommandLine, UsageErrorsPrintOneLineNamingTheFaultAndExitTwo) {
    struct Case {
        std::vector<std::string> words;
        std::string line;
    };
    for (const Case& c : {
             Case{{"--bogus"}, "sample: unknown option \"--bogus\"; try --help\n"},
             Case{{"--bogus=3"}, "sample: unknown option \"--bogus\"; try --help\n"},
             Case{{"-x"}, "sample: unknown option \"-x\"; try --help\n"},
             Case{{"--count"}, "sample: option --count needs a value; try --help\n"},
             Case{{"-o"}, "sample: option --output needs a value; try --help\n"},
             Case{{"--flag=yes"}, "sample: option --flag takes no value; try --help\n"},
             Case{{"--help=me"}, "sample: option --help takes no value; try --help\n"},
             Case{{"--count", "0"},
                  "sample: bad value \"0\" for --count: expected a whole number from 1 to 100; try --help\n"},
             Case{
                 {"--count=-5"},
                 "sample: bad value \"-5\" for --count: expected a whole number from 1 to 100; try --help\n"},
             Case{{"--count", "99999999999999999999999"},
                  "sample: bad value \"99999999999999999999999\" for --count: expected a whole number from 1 "
                  "to "
                  "100; try --help\n"},
             Case{{"--side", "down"},
                  "sample: bad value \"down\" for --side: expected left, right or up; try --help\n"},
             Case{{"--amount", "nan"},
                  "sample: bad value \"nan\" for --amount: expected a number from 0 to 10; "
                  "try --help\n"},
             Case{{"--amount", "0x4"},
                  "sample: bad value \"0x4\" for --amount: expected a number from 0 to 10; "
                  "try --help\n"},
             Case{{"--output="},
                  "sample: bad value \"\" for --output: expected a value that is not empty; try --help\n"},
         }) {
        Sample s;
        Parsed p = s.Parse(c.words);
        EXPECT_FALSE(p.run);
        EXPECT_EQ(p.status, EXIT_USAGE) << c.line;
        EXPECT_EQ(p.err, c.line);
        EXPECT_EQ(p.out, "");
    }
}

TEST(CommandLine, OperandCountsAreChecked) {
    Sample few;
    Parsed p = few.Parse({"--flag"}, 1, 1);
    EXPECT_FALSE(p.run);
    EXPECT_EQ(p.status, EXIT_USAGE);
    EXPECT_EQ(p.err, "sample: missing FILE; try --help\n");
    Sample many;
    p = many.Parse({"a", "b"}, 1, 1);
    EXPECT_EQ(p.status, EXIT_USAGE);
    EXPECT_EQ(p.err, "sample: unexpected argument \"b\"; try --help\n");
}

TEST(CommandLine, HelpListsEveryOptionOnStdoutAndStops) {
    for (const char* word : {"--help", "-h", "--he"}) {
        Sample s;
        Parsed p = s.Parse({word, "--bogus"});
        EXPECT_FALSE(p.run);
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(p.err, "");
        EXPECT_EQ(p.out.rfind("usage: sample [OPTION]... [FILE]...\nA sample.\n", 0), 0u) << p.out;
        for (const char* listed : {"--flag", "--count N", "-o, --output OUT", "--side SIDE", "--amount X",
                                   "-h, --help", "--version"}) {
            EXPECT_NE(p.out.find(listed), std::string::npos) << listed << " in\n" << p.out;
        }
    }
}

TEST(CommandLine, VersionPrintsNameAndProjectVersion) {
    Sample s;
    Parsed p = s.Parse({"--version"});
    EXPECT_FALSE(p.run);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, std::string("sample ") + VortaneVersion() + "\n");
    EXPECT_STRNE(VortaneVersion(), "");
}

TEST(CommandLine, ParsingNamesTheProgramForLaterMessages) {
    Sample s;
    s.Parse({});
    EXPECT_STREQ(ProgramName(), "sample");
}

TEST(CommandLine, WholeNumbersAreDigitsOnly) {
    uint64_t value = 5;
    for (const char* bad : {"", "+1", " 1", "1 ", "1e3", "0x10", "-0", "18446744073709551616"})
        EXPECT_FALSE(ParseWholeNumber(bad, 0, UINT64_MAX, value)) << bad;
    EXPECT_EQ(value, 5u);
    EXPECT_TRUE(ParseWholeNumber("18446744073709551615", 0, UINT64_MAX, value));
    EXPECT_EQ(value, UINT64_MAX);
    EXPECT_TRUE(ParseWholeNumber("007", 0, 10, value));
    EXPECT_EQ(value, 7u);
}
