// The earlier edition's trace line: its own fields, and none of the current
// edition's steering and fire fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classic/edition.h"
#include "tests/sim/sim_run.h"
#include "tests/sim/trace_run.h"

namespace {

const std::string GOLDEN_DIR = VORTANE_SOURCE_DIR "/tests/golden/classic";

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
        RunTrace(classic::edition, "--seed 7 --steps 361 --every 361 --input fight.txt", GOLDEN_DIR);
    std::vector<std::string> lines = Lines(trace);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    for (const char* absent : {"steerInput", "controlMode", "fireCooldown"}) {
        EXPECT_EQ(Field(line, absent), "") << absent;
    }
    EXPECT_NE(Field(line, "waveTimer"), "");
    EXPECT_EQ(Field(line, "waveCount"), "3") << line.substr(0, 400);
    EXPECT_NE(Field(line, "fireLatch"), "");
    std::vector<int> entityRows = RowWidths(Field(line, "entities"));
    ASSERT_FALSE(entityRows.empty());
    for (int width : entityRows) EXPECT_EQ(width, 17);
    std::vector<int> shockwaveRows = RowWidths(Field(line, "shockwaves"));
    ASSERT_FALSE(shockwaveRows.empty()) << "a kill in this step";
    for (int width : shockwaveRows) EXPECT_EQ(width, 5);
    EXPECT_EQ(Field(line, "sparks").substr(0, 5), "[250,");
}
