// The fast grid step against the plain one, bit for bit, on random states: every
// kernel the processor runs, grids whose node count leaves lanes over, forces of
// every kind (pushing, dragging, rings, a force on a node, strengths above 1,
// negative zeros that a careless lane mask would turn positive).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/grid_reference.h"
#include "game/world.h"
#include "render/current_edition.h"

namespace {

struct GridState {
    std::vector<Vector3> pos, vel, scratch;
    std::vector<GridForce> forces;
    int forceCount = 0;

    static GridState Take() {
        GridState s;
        s.pos.assign(gridPos, gridPos + GRID_NODE_CAPACITY);
        s.vel.assign(gridVel, gridVel + GRID_NODE_CAPACITY);
        s.scratch.assign(gridVelScratch, gridVelScratch + GRID_NODE_CAPACITY);
        s.forces.assign(gridForces, gridForces + GRID_FORCE_CAPACITY);
        s.forceCount = gridForceCount;
        return s;
    }
    void Put() const {
        std::copy(pos.begin(), pos.end(), gridPos);
        std::copy(vel.begin(), vel.end(), gridVel);
        std::copy(scratch.begin(), scratch.end(), gridVelScratch);
        std::copy(forces.begin(), forces.end(), gridForces);
        gridForceCount = forceCount;
    }
};

// Index of the first double whose bits differ, or -1.
long FirstDifference(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
    for (size_t n = 0; n < a.size(); ++n) {
        if (std::memcmp(&a[n], &b[n], sizeof(Vector3)) != 0) return static_cast<long>(n);
    }
    return -1;
}

class GridKernels : public ::testing::Test {
protected:
    void SetUp() override { savedKernel = ActiveGridKernel(); }
    void TearDown() override {
        UseGridKernel(savedKernel);
        SetUpWorld(currentEdition, 1);
    }

    // Nodes displaced off their rest positions (also out of the plane), moving, a
    // few with negative-zero velocity components.
    static void ScrambleNodes(std::mt19937_64& rng) {
        std::uniform_real_distribution<double> offset(-0.8, 0.8);
        std::uniform_real_distribution<double> speed(-0.3, 0.3);
        std::uniform_int_distribution<int> oneIn(0, 9);
        for (int n = 0; n < gridNodeCount; ++n) {
            gridPos[n] = gridRestPos[n] + Vector3(offset(rng), offset(rng), offset(rng) * 0.1);
            gridVel[n] = {speed(rng), speed(rng), speed(rng) * 0.1};
            if (oneIn(rng) == 0) gridVel[n] = {-0.0, speed(rng), -0.0};
        }
    }

    // A full mix: shot-like pushes and drags, rings of every size and strength, a
    // force exactly on a node, forces outside the sheet and above it.
    static void AddRandomForces(std::mt19937_64& rng, int count) {
        std::uniform_real_distribution<double> x(-30, 30), y(-22, 22), z(-1, 1), v(-0.6, 0.6);
        std::uniform_real_distribution<float> strength(-0.5f, 2.0f), push(-0.2f, 1.0f);
        std::uniform_int_distribution<int> kind(0, 3), ring(-5, 120), node(0, gridNodeCount - 1);
        gridForceCount = 0;
        for (int k = 0; k < count; ++k) {
            switch (kind(rng)) {
                case 0:
                    AddGridForce({x(rng), y(rng), 0}, {v(rng), v(rng), 0}, 0, 0, push(rng), 0.3f);
                    break;
                case 1:
                    AddGridForce({x(rng), y(rng), z(rng)}, {}, ring(rng), strength(rng), 0, 0);
                    break;
                case 2:
                    AddGridForce(gridPos[node(rng)], {v(rng), 0, v(rng)}, ring(rng), strength(rng), push(rng),
                                 push(rng));
                    break;
                default:
                    AddGridForce({x(rng), y(rng), z(rng)}, {v(rng), v(rng), v(rng)}, ring(rng), strength(rng),
                                 push(rng), push(rng));
                    break;
            }
        }
    }

    // Runs `steps` grid steps from the current state with the plain step and with
    // `kernel`, with fresh random forces each step, and compares every node table.
    static void ExpectSameAsReference(GridKernel kernel, uint64_t seed, int steps, int forces) {
        GridState start = GridState::Take();
        std::mt19937_64 rngA(seed), rngB(seed);
        for (int step = 0; step < steps; ++step) {
            AddRandomForces(rngA, forces);
            StepGridReference();
        }
        GridState expected = GridState::Take();
        start.Put();
        ASSERT_TRUE(UseGridKernel(kernel));
        for (int step = 0; step < steps; ++step) {
            AddRandomForces(rngB, forces);
            StepGrid();
        }
        GridState actual = GridState::Take();
        std::string where = std::string(GridKernelName(kernel)) + ", seed " + std::to_string(seed) + ", " +
                            std::to_string(forces) + " forces, " + std::to_string(gridRows) + "x" +
                            std::to_string(gridColumns);
        EXPECT_EQ(FirstDifference(expected.pos, actual.pos), -1) << "gridPos, " << where;
        EXPECT_EQ(FirstDifference(expected.vel, actual.vel), -1) << "gridVel, " << where;
        EXPECT_EQ(FirstDifference(expected.scratch, actual.scratch), -1) << "gridVelScratch, " << where;
    }

    static std::vector<GridKernel> Kernels() {
        std::vector<GridKernel> kernels;
        for (GridKernel k : {GridKernel::Scalar, GridKernel::Sse2, GridKernel::Avx}) {
            if (GridKernelSupported(k)) kernels.push_back(k);
        }
        return kernels;
    }

    GridKernel savedKernel = GridKernel::Scalar;
};

TEST_F(GridKernels, EveryKernelMatchesThePlainStepBitForBit) {
    for (GridKernel kernel : Kernels()) {
        for (uint64_t seed : {1u, 2u, 3u}) {
            for (int forces : {0, 1, 10, 100}) {
                SetUpWorld(currentEdition, 1);
                std::mt19937_64 rng(seed * 7919 + forces);
                ScrambleNodes(rng);
                ExpectSameAsReference(kernel, seed, 5, forces);
            }
        }
    }
}

// Node counts that are not a multiple of the lane width leave nodes for the scalar
// rule; tiny sheets have no interior to smooth at all.
TEST_F(GridKernels, SheetsOfOtherSizesMatchToo) {
    struct Size {
        int rows, columns;
    };
    for (Size size : {Size{7, 53}, Size{3, 3}, Size{5, 1}, Size{2, 9}, Size{13, 11}}) {
        for (GridKernel kernel : Kernels()) {
            SetUpWorld(currentEdition, 1);
            gridRows = size.rows;
            gridColumns = size.columns;
            BuildGrid();
            std::mt19937_64 rng(size.rows * 100 + size.columns);
            ScrambleNodes(rng);
            ExpectSameAsReference(kernel, 11, 4, 37);
        }
    }
}

// A long calm stretch after a storm: the sheet swings back towards rest and the
// velocities shrink by many orders of magnitude.
TEST_F(GridKernels, SettlingAfterAStormMatches) {
    for (GridKernel kernel : Kernels()) {
        SetUpWorld(currentEdition, 1);
        std::mt19937_64 rng(5);
        ScrambleNodes(rng);
        ExpectSameAsReference(kernel, 5, 3, 100);
        ExpectSameAsReference(kernel, 6, 400, 0);
    }
}

// The game's sheet never leaves the plane z = 0, and the wide kernels then leave z
// out; a −0 anywhere (a node, a force point, a force's velocity) sends the step down
// the full path instead. Both must agree with the plain step.
TEST_F(GridKernels, SheetsInThePlaneMatchWithAndWithoutNegativeZeros) {
    struct Case {
        const char* name;
        void (*spoil)();
    };
    const Case cases[] = {
        {"all +0", [] {}},
        {"node position z -0", [] { gridPos[1234].z = -0.0; }},
        {"node velocity z -0", [] { gridVel[7].z = -0.0; }},
        {"force point z -0", [] { gridForces[3].pos.z = -0.0; }},
        {"force velocity z -0", [] { gridForces[gridForceCount - 1].vel.z = -0.0; }},
    };
    for (GridKernel kernel : Kernels()) {
        for (const Case& c : cases) {
            SetUpWorld(currentEdition, 1);
            std::mt19937_64 rng(77);
            std::uniform_real_distribution<double> offset(-0.8, 0.8), x(-25, 25), y(-18, 18), v(-0.5, 0.5);
            for (int n = 0; n < gridNodeCount; ++n) {
                gridPos[n] = gridRestPos[n] + Vector3(offset(rng), offset(rng), 0);
                gridVel[n] = {v(rng) * 0.2, v(rng) * 0.2, 0};
            }
            GridState start = GridState::Take();
            // Shots' pushes and drags, rings of every age, one force on a node.
            auto addForces = [&](std::mt19937_64& r) {
                gridForceCount = 0;
                for (int k = 0; k < 60; ++k) {
                    if (k % 2 == 0) {
                        AddGridForce({x(r), y(r), 0}, {v(r), v(r), 0}, 0, 0, 0.1f, 0.1f);
                    } else {
                        AddGridForce({x(r), y(r), 0}, {}, 1 + k, static_cast<float>(v(r) * 4), 0, 0);
                    }
                }
                AddGridForce(gridPos[100], {}, 3, 1.0f, 0.1f, 0);
                c.spoil();
            };
            std::mt19937_64 rngA(9), rngB(9);
            for (int step = 0; step < 3; ++step) {
                addForces(rngA);
                StepGridReference();
            }
            GridState expected = GridState::Take();
            start.Put();
            ASSERT_TRUE(UseGridKernel(kernel));
            for (int step = 0; step < 3; ++step) {
                addForces(rngB);
                StepGrid();
            }
            GridState actual = GridState::Take();
            EXPECT_EQ(FirstDifference(expected.pos, actual.pos), -1)
                << GridKernelName(kernel) << ", " << c.name;
            EXPECT_EQ(FirstDifference(expected.vel, actual.vel), -1)
                << GridKernelName(kernel) << ", " << c.name;
        }
    }
}

TEST_F(GridKernels, TheWidestSupportedKernelIsChosen) {
    GridKernel widest = GridKernelSupported(GridKernel::Avx) ? GridKernel::Avx : GridKernel::Sse2;
    EXPECT_EQ(savedKernel, widest);
    EXPECT_TRUE(GridKernelSupported(GridKernel::Scalar));
    EXPECT_TRUE(GridKernelSupported(GridKernel::Sse2));
}

}  // namespace
