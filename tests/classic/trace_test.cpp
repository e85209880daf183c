// The earlier edition's traces: their form, and the golden traces under
// tests/golden/classic, byte for byte, both from this edition's functions and from
// vortane-sim --edition classic once the simulator offers it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/classic/trace_run.h"

namespace {

const std::string GOLDEN_DIR = VORTANE_SOURCE_DIR "/tests/golden/classic";

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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
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

// The text of the array that follows "key": in a line, brackets included.
std::string ArrayAfter(const std::string& line, const std::string& key) {
    size_t at = line.find("\"" + key + "\":[");
    if (at == std::string::npos) return "";
    size_t begin = line.find('[', at), depth = 0, i = begin;
    for (; i < line.size(); ++i) {
        if (line[i] == '[') ++depth;
        if (line[i] == ']' && --depth == 0) break;
    }
    return line.substr(begin, i - begin + 1);
}

// Rows of a two-level array, each as its count of comma-separated items.
std::vector<int> RowWidths(const std::string& array) {
    std::vector<int> widths;
    size_t i = 1;
    while ((i = array.find('[', i)) != std::string::npos) {
        size_t end = array.find(']', i);
        std::string row = array.substr(i + 1, end - i - 1);
        widths.push_back(1 + int(std::count(row.begin(), row.end(), ',')));
        i = end;
    }
    return widths;
}

}  // namespace

TEST(ClassicTrace, HasTheEarlierEditionsFields) {
    std::string trace =
        RunClassicTrace("--edition classic --seed 7 --steps 361 --every 361 --input fight.txt", GOLDEN_DIR);
    std::vector<std::string> lines = Lines(trace);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    for (const char* absent : {"\"steerInput\"", "\"controlMode\"", "\"fireCooldown\""}) {
        EXPECT_EQ(line.find(absent), std::string::npos) << absent;
    }
    EXPECT_NE(line.find("\"waveTimer\":"), std::string::npos);
    EXPECT_NE(line.find("\"waveCount\":3,"), std::string::npos) << line.substr(0, 400);
    EXPECT_NE(line.find("\"fireLatch\":"), std::string::npos);
    std::vector<int> entityRows = RowWidths(ArrayAfter(line, "entities"));
    ASSERT_FALSE(entityRows.empty());
    for (int width : entityRows) EXPECT_EQ(width, 17);
    std::vector<int> shockwaveRows = RowWidths(ArrayAfter(line, "shockwaves"));
    ASSERT_FALSE(shockwaveRows.empty()) << "a kill in this step";
    for (int width : shockwaveRows) EXPECT_EQ(width, 5);
    EXPECT_EQ(ArrayAfter(line, "sparks").substr(0, 5), "[250,");
}

// Any change to the rules shows here. After a deliberate change, rewrite the
// traces with tests/golden/classic/regenerate.sh and review their diff.
TEST(ClassicTrace, ReproducesEveryGoldenTraceByteForByte) {
    std::vector<GoldenCase> cases = ReadCases();
    ASSERT_GE(cases.size(), 4u);
    for (const GoldenCase& c : cases) {
        std::string expected = ReadFile(GOLDEN_DIR + "/" + c.name + ".jsonl");
        ASSERT_FALSE(expected.empty()) << c.name;
        std::string difference = FirstDifference(RunClassicTrace(c.options, GOLDEN_DIR), expected);
        EXPECT_EQ(difference, "") << c.name;
    }
}

TEST(ClassicTrace, SimulatorPrintsTheGoldenTraces) {
    std::string out;
    for (const GoldenCase& c : ReadCases()) {
        ASSERT_EQ(RunSimulatorBinary(c.options, GOLDEN_DIR, out), 0) << c.name;
        EXPECT_EQ(FirstDifference(out, ReadFile(GOLDEN_DIR + "/" + c.name + ".jsonl")), "") << c.name;
    }
}
