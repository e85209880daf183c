#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synth/statistics.h"

TEST(Statistics, NoBuffersPrintsZeroesNotNaN) {
    std::vector<std::string> lines = StatisticsLines(PlayerStatistics{0.0f, 0, 0, 0.0f, 0});
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Zonder stats:",
                         " Average buffer time: 0.0000ms",
                         " Average buffer CPU time: 0.00%",
                         " Runtime: 0.00s",
                         " Buffersize: 0 samples, 0 buffers (=0.00ms latency)",
                         " Average buffers/sec: 0.00",
                     }));
}

TEST(Statistics, KnownFigures) {
    // 431 buffers of 1024 frames, 0.23 ms each, over 10 s, four buffers of latency.
    std::vector<std::string> lines = StatisticsLines(PlayerStatistics{431 * 0.00023f, 431, 1024, 10.0f, 4});
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], " Average buffer time: 0.2300ms");
    EXPECT_EQ(lines[2], " Average buffer CPU time: 0.99%");
    EXPECT_EQ(lines[3], " Runtime: 10.00s");
    EXPECT_EQ(lines[4], " Buffersize: 1024 samples, 4 buffers (=92.88ms latency)");
    EXPECT_EQ(lines[5], " Average buffers/sec: 43.10");
}

TEST(Statistics, LatencyInBuffersOf1024Frames) {
    EXPECT_EQ(LatencyBuffers(0.0), 0);
    EXPECT_EQ(LatencyBuffers(3 * 1024 / 44100.0), 3);
    EXPECT_EQ(LatencyBuffers(0.0929), 4);
    EXPECT_EQ(LatencyBuffers(0.01), 0);
}
