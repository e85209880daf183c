#include <gtest/gtest.h>

#include <cmath>

#include "current/grid.h"
#include "game/grid.h"
#include "world_fixture.h"

namespace {

int Node(int row, int column) { return row * gridColumns + column; }

class Grid : public WorldTest {};

TEST_F(Grid, NodesLieOneUnitApartAroundTheCentre) {
    ASSERT_EQ(gridNodeCount, 2200);
    struct Case {
        int row, column;
        double x, y;
        float u, v;
    };
    for (Case c : {Case{0, 0, -27, -19.5, 0, 0}, Case{39, 54, 27, 19.5, 27, 19.5},
                   Case{3, 5, -22, -16.5, 2.5f, 1.5f}, Case{19, 27, 0, -0.5, 13.5f, 9.5f}}) {
        int n = Node(c.row, c.column);
        EXPECT_EQ(gridRestPos[n], Vector3(c.x, c.y, 0)) << "row " << c.row << " column " << c.column;
        EXPECT_EQ(gridPos[n], gridRestPos[n]);
        EXPECT_EQ(gridVel[n], Vector3());
        EXPECT_EQ(gridTexCoord[n].u, c.u);
        EXPECT_EQ(gridTexCoord[n].v, c.v);
    }
}

TEST_F(Grid, TwoTrianglesPerCellShareTheRisingDiagonal) {
    ASSERT_EQ(gridTriangleCount, 4212);
    for (int i = 0; i < gridRows - 1; ++i) {
        for (int j = 1; j < gridColumns; ++j) {
            int t = 2 * (i * (gridColumns - 1) + (j - 1));
            const Triangle& a = gridTriangles[t];
            const Triangle& b = gridTriangles[t + 1];
            ASSERT_EQ(a.node[0], Node(i, j - 1));
            ASSERT_EQ(a.node[1], Node(i + 1, j - 1));
            ASSERT_EQ(a.node[2], Node(i + 1, j));
            ASSERT_EQ(b.node[0], Node(i + 1, j));
            ASSERT_EQ(b.node[1], Node(i, j));
            ASSERT_EQ(b.node[2], Node(i, j - 1));
        }
    }
}

TEST_F(Grid, SettlesToRestWithoutForces) {
    for (int n : {Node(0, 0), Node(0, 30), Node(20, 20), Node(39, 54), Node(10, 0)}) {
        gridPos[n] = gridPos[n] + Vector3(0.8, -0.6, 0);
        gridVel[n] = {0.3, 0.2, 0};
    }
    for (int step = 0; step < 3000; ++step) {
        gridForceCount = 0;
        StepGrid();
    }
    for (int n = 0; n < gridNodeCount; ++n) {
        ASSERT_LT((gridPos[n] - gridRestPos[n]).Length(), 1e-9) << "node " << n;
        ASSERT_LT(gridVel[n].Length(), 1e-9) << "node " << n;
    }
}

TEST_F(Grid, BorderNodesKeepTheirVelocityThroughSmoothing) {
    gridForceCount = 0;
    const int border[] = {Node(0, 5), Node(39, 7), Node(12, 0), Node(25, 54)};
    for (int n : border) gridVel[n] = {1, 0, 0};
    StepGrid();
    // Only damping acts: nodes start at rest position, so the spring adds nothing.
    double damped = 1 - 1 * static_cast<double>(0.1f);
    for (int n : border) EXPECT_EQ(gridVel[n].x, damped) << "node " << n;
}

// The smoothing reads only the copy taken before the pass (a node's update does not
// see its already-smoothed neighbours) and blends the diagonal neighbours only.
TEST_F(Grid, SmoothingBlendsDiagonalNeighboursFromTheCopy) {
    gridForceCount = 0;
    gridVel[Node(5, 5)] = {1, 0, 0};
    StepGrid();
    auto damp = [](double v) { return v - v * static_cast<double>(0.1f); };
    EXPECT_EQ(gridVel[Node(5, 5)].x, damp(6 * 1 * 0.1));
    EXPECT_EQ(gridVel[Node(6, 6)].x, damp(1 * 0.1));
    EXPECT_EQ(gridVel[Node(4, 4)].x, damp(1 * 0.1));
    EXPECT_EQ(gridVel[Node(4, 6)].x, damp(1 * 0.1));
    EXPECT_EQ(gridVel[Node(6, 4)].x, damp(1 * 0.1));
    EXPECT_EQ(gridVel[Node(5, 6)].x, 0);
    EXPECT_EQ(gridVel[Node(6, 5)].x, 0);
    EXPECT_EQ(gridVel[Node(7, 7)].x, 0);
}

TEST_F(Grid, NodeOnARingCentreIsPushedAlongX) {
    int n = Node(19, 27);
    gridForceCount = 0;
    AddGridForce(gridPos[n], {0, 0, 0}, 2, 5.0f, 0, 0);  // strength above 1 is capped
    StepGrid();
    double v = 1.0 * static_cast<double>(0.1f);
    EXPECT_EQ(gridVel[n], Vector3(v - v * static_cast<double>(0.1f), 0, 0));
}

// The band is r - 3 < d < r with r = ring / 2; its edges are open.
TEST_F(Grid, RingPushesOnlyTheBandJustInsideItsRadius) {
    Vector3 centre = gridRestPos[Node(19, 27)];  // (0, -0.5)
    gridForceCount = 0;
    AddGridForce(centre, {0, 0, 0}, 10, 1.0f, 0, 0);
    StepGrid();
    EXPECT_EQ(gridVel[Node(19, 28)].x, 0) << "distance 1: inside the band's inner edge";
    EXPECT_EQ(gridVel[Node(19, 29)].x, 0) << "distance 2: on the inner edge";
    EXPECT_GT(gridVel[Node(19, 30)].x, 0) << "distance 3";
    EXPECT_GT(gridVel[Node(19, 31)].x, 0) << "distance 4";
    EXPECT_LT(gridVel[Node(19, 23)].x, 0) << "distance 4, other side: pushed outwards";
    EXPECT_EQ(gridVel[Node(19, 32)].x, 0) << "distance 5: on the outer edge";
    EXPECT_GT(gridVel[Node(23, 27)].y, 0) << "distance 4 above";
}

TEST_F(Grid, RingTestUsesTheDistanceInSinglePrecision) {
    int n = Node(19, 32);  // (5, -0.5)
    Vector3 centre = gridRestPos[n] - Vector3(5 - 1e-12, 0, 0);
    gridForceCount = 0;
    AddGridForce(centre, {0, 0, 0}, 10, 1.0f, 0, 0);
    StepGrid();
    // In double the node lies just inside radius 5; as a float its distance is 5.
    EXPECT_EQ(gridVel[n].x, 0);
}

TEST_F(Grid, PushIsRadialAndDragFollowsTheForce) {
    int n = Node(19, 27);
    gridForceCount = 0;
    AddGridForce(gridRestPos[n] - Vector3(1, 0, 0), {0, 0.5, 0}, 0, 0, 0.1f, 0.1f);
    StepGrid();
    double w = 0.5;  // 1 / (1³ + 1)
    double vx = 1 * w * static_cast<double>(0.1f);
    double vy = 0.5 * w * static_cast<double>(0.1f);
    EXPECT_EQ(gridVel[n].x, vx - vx * static_cast<double>(0.1f));
    EXPECT_EQ(gridVel[n].y, vy - vy * static_cast<double>(0.1f));
    EXPECT_EQ(gridPos[n].z, 0);
}

TEST_F(Grid, NewGameLeavesTheGridAlone) {
    gridPos[Node(3, 3)].x += 0.25;
    gridVel[Node(3, 3)].x = 0.5;
    NewGame();
    EXPECT_EQ(gridPos[Node(3, 3)].x, gridRestPos[Node(3, 3)].x + 0.25);
    EXPECT_EQ(gridVel[Node(3, 3)].x, 0.5);
    EXPECT_EQ(gridNodeCount, 2200);
}

}  // namespace
