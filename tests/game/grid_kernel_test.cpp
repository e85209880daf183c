// Both editions' grid steps run the shared node pass on the wide kernels, each with
// its own rule; each must give its plain step's bits on every kernel the processor
// runs: random sheets in and out of the plane, forces of every kind (pushing,
// dragging, rings past 100 whose strength turns negative, strengths above 1, a
// force on a node, negative zeros that a careless lane mask would turn positive),
// and sheets whose node count leaves lanes over. Every case runs once per edition.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "classic/edition.h"
#include "classic/grid.h"
#include "classic/grid_reference.h"
#include "classic/world.h"
#include "current/edition.h"
#include "current/grid.h"
#include "current/grid_reference.h"
#include "current/world.h"
#include "game/grid.h"
#include "game/grid_kernels.h"
#include "game/world_fields.h"

namespace {

// Shot-like pushes and drags, rings of every size, one force on a node and odd
// ones, through the edition's own AddGridForce; z and the force velocity's z stay
// +0 when planar.
void AddCurrentForces(std::mt19937_64& rng, int count, bool planar) {
    std::uniform_real_distribution<double> x(-30, 30), y(-22, 22), z(-1, 1), v(-0.6, 0.6);
    std::uniform_real_distribution<float> strength(-0.5f, 2.0f), push(-0.2f, 1.0f);
    std::uniform_int_distribution<int> kind(0, 3), ring(-5, 120), node(0, gridNodeCount - 1);
    gridForceCount = 0;
    for (int k = 0; k < count; ++k) {
        double fz = planar ? 0.0 : z(rng);
        double vz = planar ? 0.0 : v(rng);
        switch (kind(rng)) {
            case 0:
                AddGridForce({x(rng), y(rng), 0}, {v(rng), v(rng), 0}, 0, 0, push(rng), 0.3f);
                break;
            case 1:
                AddGridForce({x(rng), y(rng), fz}, {}, ring(rng), strength(rng), 0, 0);
                break;
            case 2:
                AddGridForce(gridPos[node(rng)], {v(rng), 0, vz}, ring(rng), strength(rng), push(rng),
                             push(rng));
                break;
            default:
                AddGridForce({x(rng), y(rng), fz}, {v(rng), v(rng), vz}, ring(rng), strength(rng), push(rng),
                             push(rng));
                break;
        }
    }
}

// The earlier edition's forces: the ring's strength follows from its radius, so
// rings past 100 push inwards.
void AddClassicForces(std::mt19937_64& rng, int count, bool planar) {
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

// One edition's grid: its plain step, its step on the kernels, its forces.
struct EditionGrid {
    const Edition* edition;
    void (*stepPlain)();
    void (*stepFast)();
    void (*addForces)(std::mt19937_64& rng, int count, bool planar);
};

void PrintTo(const EditionGrid& e, std::ostream* out) { *out << e.edition->name; }

std::vector<Vector3> Nodes(const Vector3* table) { return {table, table + GRID_NODE_CAPACITY}; }

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

// Displaced, moving nodes, a few with negative-zero velocity components; in the
// plane (z = +0 throughout) or out of it.
void ScrambleNodes(std::mt19937_64& rng, bool planar) {
    std::uniform_real_distribution<double> offset(-0.8, 0.8), speed(-0.3, 0.3);
    std::uniform_int_distribution<int> oneIn(0, 9);
    for (int n = 0; n < gridNodeCount; ++n) {
        double z = planar ? 0.0 : offset(rng) * 0.1;
        gridPos[n] = gridRestPos[n] + Vector3(offset(rng), offset(rng), z);
        gridVel[n] = {speed(rng), speed(rng), planar ? 0.0 : speed(rng) * 0.1};
        if (oneIn(rng) == 0) gridVel[n] = {-0.0, speed(rng), planar ? 0.0 : -0.0};
    }
}

class GridKernels : public testing::TestWithParam<EditionGrid> {
protected:
    void SetUp() override { savedKernel = ActiveGridKernel(); }
    void TearDown() override {
        UseGridKernel(savedKernel);
        SetUpWorld(*GetParam().edition, 1);
    }

    // `steps` steps with fresh random forces, plain and with `kernel`, from the same
    // world; every node table compared.
    void ExpectSameAsReference(GridKernel kernel, uint64_t seed, int steps, int forces, bool planar) const {
        const EditionGrid& grid = GetParam();
        WorldSnapshot start = SaveWorld(grid.edition->worldFields);
        std::mt19937_64 rngA(seed), rngB(seed);
        for (int step = 0; step < steps; ++step) {
            grid.addForces(rngA, forces, planar);
            grid.stepPlain();
        }
        std::vector<Vector3> pos = Nodes(gridPos), vel = Nodes(gridVel), scratch = Nodes(gridVelScratch);
        ASSERT_TRUE(RestoreWorld(grid.edition->worldFields, start));
        ASSERT_TRUE(UseGridKernel(kernel));
        for (int step = 0; step < steps; ++step) {
            grid.addForces(rngB, forces, planar);
            grid.stepFast();
        }
        std::string where = std::string(GridKernelName(kernel)) + ", seed " + std::to_string(seed) + ", " +
                            std::to_string(forces) + " forces, " + (planar ? "planar" : "out of plane") +
                            ", " + std::to_string(gridRows) + "x" + std::to_string(gridColumns);
        EXPECT_EQ(FirstDifference(pos, Nodes(gridPos)), -1) << "gridPos, " << where;
        EXPECT_EQ(FirstDifference(vel, Nodes(gridVel)), -1) << "gridVel, " << where;
        EXPECT_EQ(FirstDifference(scratch, Nodes(gridVelScratch)), -1) << "gridVelScratch, " << where;
    }

    GridKernel savedKernel = GridKernel::Scalar;
};

TEST_P(GridKernels, EveryKernelMatchesThePlainStepBitForBit) {
    for (GridKernel kernel : Kernels()) {
        for (bool planar : {true, false}) {
            for (uint64_t seed : {1u, 2u, 3u}) {
                for (int forces : {0, 1, 10, 100}) {
                    SetUpWorld(*GetParam().edition, 1);
                    std::mt19937_64 rng(seed * 7919 + forces);
                    ScrambleNodes(rng, planar);
                    ExpectSameAsReference(kernel, seed, 5, forces, planar);
                }
            }
        }
    }
}

// Node counts that are not a multiple of the lane width leave nodes for the scalar
// rule; tiny sheets have no interior to smooth at all.
TEST_P(GridKernels, SheetsOfOtherSizesMatchToo) {
    struct Size {
        int rows, columns;
    };
    for (Size size : {Size{7, 53}, Size{3, 3}, Size{5, 1}, Size{2, 9}, Size{13, 11}}) {
        for (GridKernel kernel : Kernels()) {
            SetUpWorld(*GetParam().edition, 1);
            gridRows = size.rows;
            gridColumns = size.columns;
            BuildGrid();
            std::mt19937_64 rng(size.rows * 100 + size.columns);
            ScrambleNodes(rng, false);
            ExpectSameAsReference(kernel, 11, 4, 37, false);
        }
    }
}

// A long calm stretch after a storm: the sheet swings back towards rest and the
// velocities shrink by many orders of magnitude.
TEST_P(GridKernels, SettlingAfterAStormMatches) {
    for (GridKernel kernel : Kernels()) {
        SetUpWorld(*GetParam().edition, 1);
        std::mt19937_64 rng(5);
        ScrambleNodes(rng, false);
        ExpectSameAsReference(kernel, 5, 3, 100, false);
        ExpectSameAsReference(kernel, 6, 400, 0, false);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editions, GridKernels,
    testing::Values(EditionGrid{&currentEdition, StepGridReference, StepGrid, AddCurrentForces},
                    EditionGrid{&classic::edition, classic::StepGridReference, classic::StepGrid,
                                AddClassicForces}),
    [](const testing::TestParamInfo<EditionGrid>& info) { return std::string(info.param.edition->name); });

// The game's sheet never leaves the plane z = 0, and the wide kernels then leave z
// out; a −0 anywhere (a node, a force point, a force's velocity) sends the step down
// the full path instead. Both must agree with the plain step.
TEST(GridKernelsInThePlane, NegativeZerosAnywhereStillMatch) {
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
    GridKernel saved = ActiveGridKernel();
    for (GridKernel kernel : Kernels()) {
        for (const Case& c : cases) {
            SetUpWorld(currentEdition, 1);
            std::mt19937_64 rng(77);
            std::uniform_real_distribution<double> offset(-0.8, 0.8), x(-25, 25), y(-18, 18), v(-0.5, 0.5);
            for (int n = 0; n < gridNodeCount; ++n) {
                gridPos[n] = gridRestPos[n] + Vector3(offset(rng), offset(rng), 0);
                gridVel[n] = {v(rng) * 0.2, v(rng) * 0.2, 0};
            }
            WorldSnapshot start = SaveWorld(currentEdition.worldFields);
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
            std::vector<Vector3> pos = Nodes(gridPos), vel = Nodes(gridVel);
            ASSERT_TRUE(RestoreWorld(currentEdition.worldFields, start));
            ASSERT_TRUE(UseGridKernel(kernel));
            for (int step = 0; step < 3; ++step) {
                addForces(rngB);
                StepGrid();
            }
            EXPECT_EQ(FirstDifference(pos, Nodes(gridPos)), -1) << GridKernelName(kernel) << ", " << c.name;
            EXPECT_EQ(FirstDifference(vel, Nodes(gridVel)), -1) << GridKernelName(kernel) << ", " << c.name;
        }
    }
    UseGridKernel(saved);
    SetUpWorld(currentEdition, 1);
}

TEST(GridKernelChoice, TheWidestSupportedKernelIsChosen) {
    GridKernel widest = GridKernelSupported(GridKernel::Avx) ? GridKernel::Avx : GridKernel::Sse2;
    EXPECT_EQ(ActiveGridKernel(), widest);
    EXPECT_TRUE(GridKernelSupported(GridKernel::Scalar));
    EXPECT_TRUE(GridKernelSupported(GridKernel::Sse2));
}

}  // namespace
