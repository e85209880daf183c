#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim_run.h"

namespace {

const std::string GOLDEN_DIR = VORTANE_SOURCE_DIR "/tests/golden/sim";

struct GoldenCase {
    std::string name;
    std::string options;
};

std::vector<GoldenCase> ReadCases() {
    std::vector<GoldenCase> cases;
    std::ifstream in(GOLDEN_DIR + "/cases.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t space = line.find(' ');
        cases.push_back({line.substr(0, space), line.substr(space + 1)});
    }
    return cases;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Any change to the rules shows here. After a deliberate change, rewrite the
// traces with tests/golden/sim/regenerate.sh and review their diff.
TEST(GoldenTraces, SimulatorReproducesEveryTraceByteForByte) {
    std::vector<GoldenCase> cases = ReadCases();
    ASSERT_GE(cases.size(), 4u);
    for (const GoldenCase& c : cases) {
        std::string expected = ReadFile(GOLDEN_DIR + "/" + c.name + ".jsonl");
        ASSERT_FALSE(expected.empty()) << c.name;
        SimResult run = RunSim(c.options, GOLDEN_DIR);
        ASSERT_EQ(run.exitStatus, 0) << c.name << ": " << run.err;
        if (run.out == expected) continue;
        std::vector<std::string> got = Lines(run.out);
        std::vector<std::string> want = Lines(expected);
        size_t i = 0;
        while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
        ADD_FAILURE() << c.name << ": first difference in line " << i + 1
                      << "\n  got:  " << (i < got.size() ? got[i].substr(0, 400) : "(end)")
                      << "\n  want: " << (i < want.size() ? want[i].substr(0, 400) : "(end)");
    }
}

}  // namespace
