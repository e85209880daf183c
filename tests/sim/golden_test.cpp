// The golden traces of both editions, byte for byte: each edition's folder under
// tests/golden holds cases.txt (NAME and the vortane-sim options) and NAME.jsonl,
// the expected trace. Every case runs in this process through the edition's
// descriptor and through the vortane-sim binary. Any change to the rules, the
// random draws or the trace format shows here; after a deliberate change, rewrite
// the traces with tests/golden/regenerate.sh and review their diff.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/sim/sim_run.h"
#include "tests/sim/trace_run.h"
#include "tools/editions.h"

namespace {

struct GoldenCase {
    std::string name;
    std::string options;
};

// One edition's golden traces: the edition as --edition names it, and its folder.
struct GoldenSet {
    const char* edition;
    const char* folder;
};

void PrintTo(const GoldenSet& set, std::ostream* out) { *out << set.edition; }

std::string FolderOf(const GoldenSet& set) {
    return std::string(VORTANE_SOURCE_DIR "/tests/golden/") + set.folder;
}

std::vector<GoldenCase> ReadCases(const std::string& folder) {
    std::vector<GoldenCase> cases;
    for (const std::string& line : Lines(ReadFile(folder + "/cases.txt"))) {
        if (line.empty() || line[0] == '#') continue;
        size_t space = line.find(' ');
        cases.push_back({line.substr(0, space), line.substr(space + 1)});
    }
    return cases;
}

// The first differing line, shortened, or "" when equal.
std::string FirstDifference(const std::string& got, const std::string& want) {
    if (got == want) return "";
    std::vector<std::string> a = Lines(got), b = Lines(want);
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return "first difference in line " + std::to_string(i + 1) +
           "\n  got:  " + (i < a.size() ? a[i].substr(0, 400) : "(end)") +
           "\n  want: " + (i < b.size() ? b[i].substr(0, 400) : "(end)");
}

class GoldenTraces : public ::testing::TestWithParam<GoldenSet> {
protected:
    void SetUp() override {
        edition = FindEdition(GetParam().edition);
        ASSERT_NE(edition, nullptr) << GetParam().edition;
        folder = FolderOf(GetParam());
        cases = ReadCases(folder);
        ASSERT_GE(cases.size(), 4u) << folder;
    }

    std::string Expected(const GoldenCase& c) const { return ReadFile(folder + "/" + c.name + ".jsonl"); }

    const Edition* edition = nullptr;
    std::string folder;
    std::vector<GoldenCase> cases;
};

}  // namespace

TEST_P(GoldenTraces, EditionReproducesEveryTraceByteForByte) {
    for (const GoldenCase& c : cases) {
        std::string expected = Expected(c);
        ASSERT_FALSE(expected.empty()) << c.name;
        EXPECT_EQ(FirstDifference(RunTrace(*edition, c.options, folder), expected), "") << c.name;
    }
}

TEST_P(GoldenTraces, SimulatorReproducesEveryTraceByteForByte) {
    for (const GoldenCase& c : cases) {
        std::string expected = Expected(c);
        ASSERT_FALSE(expected.empty()) << c.name;
        SimResult run = RunSim(c.options, folder);
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(FirstDifference(run.out, expected), "") << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, GoldenTraces,
                         ::testing::Values(GoldenSet{"current", "sim"}, GoldenSet{"classic", "classic"}),
                         [](const ::testing::TestParamInfo<GoldenSet>& info) {
                             return std::string(info.param.edition);
                         });
