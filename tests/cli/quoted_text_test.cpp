// Text from files shown in messages: unprintable bytes quoted, printable text kept.
#include "base/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(QuotedText, PrintableTextPassesUnchanged) {
    const std::string printable = "recording a.vrec line 4: unknown control \"FIRE\" ~ \\x1b";
    EXPECT_EQ(QuoteUnprintable(printable), printable);
}

TEST(QuotedText, ControlBytesAndHighBytesBecomeHexEscapes) {
    const struct {
        std::string raw;
        const char* shown;
    } cases[] = {
        {"\x1b[2J", "\\x1b[2J"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"tab\there", "tab\\x09here"},
        {"line\nbreak\r", "line\\x0abreak\\x0d"},
        {"\x7f", "\\x7f"},
        {"\x9b"
         "31m",
         "\\x9b31m"},
        {"\xff\x80", "\\xff\\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(QuoteUnprintable(c.raw), c.shown);
}

TEST(QuotedText, QuotingTwiceChangesNothing) {
    const std::string once = QuoteUnprintable(std::string("\x1b]0;title\x07\0", 12));
    EXPECT_EQ(QuoteUnprintable(once), once);
}
