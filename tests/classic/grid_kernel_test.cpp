// The earlier edition's grid step runs the shared wide kernels with its own
// constants; it must give the plain step's bits on every kernel: random sheets in
// and out of the plane, forces of every kind (rings past 100, whose strength turns
// negative, a force on a node, negative zeros), and sheets whose node count leaves
// lanes over.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "classic/edition.h"
#include "classic/grid.h"
#include "classic/grid_reference.h"
#include "classic/world.h"
#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/world.h"

namespace {

struct Nodes {
    std::vector<Vector3> pos, vel;
    static Nodes Take() {
        return {{gridPos, gridPos + GRID_NODE_CAPACITY}, {gridVel, gridVel + GRID_NODE_CAPACITY}};
    }
    void Put() const {
        std::copy(pos.begin(), pos.end(), gridPos);
        std::copy(vel.begin(), vel.end(), gridVel);
    }
};

// Index of the first node whose bits differ, or -1.
long FirstDifference(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
    for (size_t n = 0; n < a.size(); ++n) {
        if (std::memcmp(&a[n], &b[n], sizeof(Vector3)) != 0) return static_cast<long>(n);
    }
    return -1;
}

std::vector<GridKernel> Kernels() {
    std::vector<GridKernel> kernels;
    for (GridKernel k : {GridKernel::Scalar, GridKernel::Sse2, GridKernel::Avx}) {
        if (GridKernelSupported(k)) kernels.push_back(k);
    }
    return kernels;
}

// Displaced, moving nodes; in the plane (z = +0 throughout) or out of it.
void ScrambleNodes(std::mt19937_64& rng, bool planar) {
    std::uniform_real_distribution<double> offset(-0.8, 0.8), speed(-0.3, 0.3);
    std::uniform_int_distribution<int> oneIn(0, 9);
    for (int n = 0; n < gridNodeCount; ++n) {
        double z = planar ? 0.0 : offset(rng) * 0.1;
        gridPos[n] = gridRestPos[n] + Vector3(offset(rng), offset(rng), z);
        gridVel[n] = {speed(rng), speed(rng), planar ? 0.0 : speed(rng) * 0.1};
        if (oneIn(rng) == 0) gridVel[n].x = -0.0;
    }
}

// The edition's own kinds of force (shots' pushes and drags, explosion rings) and
// odd ones: rings beyond 100, a force on a node, a point out of the plane.
void AddRandomForces(std::mt19937_64& rng, int count, bool planar) {
    std::uniform_real_distribution<double> x(-30, 30), y(-22, 22), z(-1, 1), v(-0.6, 0.6);
    std::uniform_real_distribution<float> push(-0.2f, 1.0f);
    std::uniform_int_distribution<int> kind(0, 3), ring(-5, 140), node(0, gridNodeCount - 1);
    classic::gridForceCount = 0;
    for (int k = 0; k < count; ++k) {
        double fz = planar ? 0.0 : z(rng);
        switch (kind(rng)) {
            case 0:
                classic::AddGridForce({x(rng), y(rng), 0}, {v(rng), v(rng), 0}, 0, push(rng), 0.3f);
                break;
            case 1:
                classic::AddGridForce({x(rng), y(rng), fz}, {}, ring(rng), 0, 0);
                break;
            case 2:
                classic::AddGridForce(gridPos[node(rng)], {v(rng), 0, 0}, ring(rng), push(rng), push(rng));
                break;
            default:
                classic::AddGridForce({x(rng), y(rng), fz}, {v(rng), v(rng), planar ? 0.0 : v(rng)},
                                      ring(rng), push(rng), push(rng));
                break;
        }
    }
}

class ClassicGridKernels : public ::testing::Test {
protected:
    void SetUp() override { savedKernel = ActiveGridKernel(); }
    void TearDown() override {
        UseGridKernel(savedKernel);
        SetUpWorld(classic::edition, 1);
    }

    // `steps` steps with fresh random forces, plain and with `kernel`, from the same start.
    static void ExpectSameAsReference(GridKernel kernel, uint64_t seed, int steps, int forces, bool planar) {
        Nodes start = Nodes::Take();
        std::mt19937_64 rngA(seed), rngB(seed);
        for (int step = 0; step < steps; ++step) {
            AddRandomForces(rngA, forces, planar);
            classic::StepGridReference();
        }
        Nodes expected = Nodes::Take();
        start.Put();
        ASSERT_TRUE(UseGridKernel(kernel));
        for (int step = 0; step < steps; ++step) {
            AddRandomForces(rngB, forces, planar);
            classic::StepGrid();
        }
        Nodes actual = Nodes::Take();
        std::string where = std::string(GridKernelName(kernel)) + ", seed " + std::to_string(seed) + ", " +
                            std::to_string(forces) + " forces, " + (planar ? "planar" : "out of plane") +
                            ", " + std::to_string(gridRows) + "x" + std::to_string(gridColumns);
        EXPECT_EQ(FirstDifference(expected.pos, actual.pos), -1) << "gridPos, " << where;
        EXPECT_EQ(FirstDifference(expected.vel, actual.vel), -1) << "gridVel, " << where;
    }

    GridKernel savedKernel = GridKernel::Scalar;
};

TEST_F(ClassicGridKernels, EveryKernelMatchesThePlainStepBitForBit) {
    for (GridKernel kernel : Kernels()) {
        for (bool planar : {true, false}) {
            for (uint64_t seed : {1u, 2u}) {
                for (int forces : {0, 1, 10, 100}) {
                    SetUpWorld(classic::edition, 1);
                    std::mt19937_64 rng(seed * 7919 + forces);
                    ScrambleNodes(rng, planar);
                    ExpectSameAsReference(kernel, seed, 5, forces, planar);
                }
            }
        }
    }
}

TEST_F(ClassicGridKernels, SheetsOfOtherSizesMatchToo) {
    struct Size {
        int rows, columns;
    };
    for (Size size : {Size{7, 53}, Size{3, 3}, Size{5, 1}, Size{13, 11}}) {
        for (GridKernel kernel : Kernels()) {
            SetUpWorld(classic::edition, 1);
            gridRows = size.rows;
            gridColumns = size.columns;
            BuildGrid();
            std::mt19937_64 rng(size.rows * 100 + size.columns);
            ScrambleNodes(rng, true);
            ExpectSameAsReference(kernel, 11, 4, 37, true);
        }
    }
}

}  // namespace
