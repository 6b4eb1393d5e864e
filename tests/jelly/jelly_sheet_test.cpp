#include "jelly/jelly_sheet.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "app/random.h"
#include "jelly/fixed_clock.h"

namespace wobblux {
namespace {

constexpr int kN = JellySheet::kGridSize;
constexpr std::time_t kSomeSecond = 1'700'000'123;

constexpr int at(int row, int column) {
    return row * kN + column;
}
constexpr bool isBorder(int row, int column) {
    return row == 0 || row == kN - 1 || column == 0 || column == kN - 1;
}

// The sheet the program builds: flat at height 80 across the tank.
JellySheet tankSheet() {
    return JellySheet(-100, 80, -100, 100, 80, 100, 1, 1);
}

void expectExactly(const Vector3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

void expectSame(const Vector3& actual, const Vector3& expected) {
    expectExactly(actual, expected.x, expected.y, expected.z);
}

std::array<float, JellySheet::kPointCount> forcesY(const JellySheet& sheet) {
    std::array<float, JellySheet::kPointCount> ys{};
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        ys[k] = sheet.points[k]->force.y;
    }
    return ys;
}

void clearForces(JellySheet& sheet) {
    for (const auto& point : sheet.points) {
        point->force = Vector3{};
    }
}

// The kicks recomputed from the generator: 225 downward draws, then 225 upward ones, each
// r * factor / 32767 in double added to the float force and rounded back.
std::array<float, JellySheet::kPointCount> expectedAfterJitter(
    std::time_t second, std::array<float, JellySheet::kPointCount> ys, bool excited) {
    wobblux::srand(static_cast<std::uint32_t>(second));
    for (float& y : ys) {
        y = static_cast<float>(static_cast<double>(y) - wobblux::rand() * 0.15 / 32767.0);
    }
    for (float& y : ys) {
        y = static_cast<float>(static_cast<double>(y) + wobblux::rand() * 0.1 / 32767.0);
    }
    if (excited) {
        ys[JellySheet::kCentreIndex] += 10.0f;
    }
    return ys;
}

TEST(JellySheet, CornersSpanTheGivenBox) {
    const JellySheet sheet = tankSheet();
    expectExactly(sheet.points[at(0, 0)]->position, -100, 80, -100);
    expectExactly(sheet.points[at(0, 14)]->position, 100, 80, -100);
    expectExactly(sheet.points[at(14, 0)]->position, -100, 80, 100);
    expectExactly(sheet.points[at(14, 14)]->position, 100, 80, 100);
    EXPECT_EQ(sheet.points[at(0, 1)]->position.x, -85.714287f);
    EXPECT_EQ(sheet.excited, 0);
}

TEST(JellySheet, CoordinatesAccumulateInDoubleAndRoundPerPoint) {
    const JellySheet sheet = tankSheet();
    const double step = 200.0 / 14.0;
    double x = -100.0;
    for (int j = 0; j < kN; ++j) {
        double z = -100.0;
        for (int i = 0; i < kN; ++i) {
            const MassPoint& p = *sheet.points[at(i, j)];
            EXPECT_EQ(p.position.x, static_cast<float>(x));
            EXPECT_EQ(p.position.z, static_cast<float>(z));
            EXPECT_EQ(p.position.y, 80.0f);
            z += step;
        }
        x += step;
    }
    // Repeated addition misses zero in the middle of the grid.
    EXPECT_NE(sheet.points[JellySheet::kCentreIndex]->position.x, 0.0f);
}

TEST(JellySheet, ColumnsAdvanceXAndRowsAdvanceYAndZ) {
    const JellySheet sheet(0, 0, 0, 14, 28, 42, 15, 15);
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const MassPoint& p = *sheet.points[at(i, j)];
            expectExactly(p.position, j, 2 * i, 3 * i);
            expectExactly(p.velocity, 0, 0, 0);
            expectExactly(p.colour, 0, 0, 1);
            EXPECT_EQ(p.mass, 1.0f);
        }
    }
}

TEST(JellySheet, PointCountsPassedInAreIgnored) {
    const JellySheet reference(-100, 80, -100, 100, 80, 100, 15, 15);
    for (double count : {0.0, 1.0, 40.0}) {
        const JellySheet sheet(-100, 80, -100, 100, 80, 100, count, count);
        for (int k = 0; k < JellySheet::kPointCount; ++k) {
            expectSame(sheet.points[k]->position, reference.points[k]->position);
        }
    }
}

TEST(JellySheet, BorderPointsBounceAndColumn14HasWiderBounds) {
    const JellySheet sheet = tankSheet();
    int bouncing = 0;
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const MassPoint& p = *sheet.points[at(i, j)];
            EXPECT_EQ(p.bounceY, isBorder(i, j)) << i << "," << j;
            bouncing += p.bounceY ? 1 : 0;
            EXPECT_EQ(p.minY, j == 14 ? 0.0 : 70.0);
            EXPECT_EQ(p.maxY, j == 14 ? 90.0 : 80.0);
            EXPECT_FALSE(p.pinned || p.xOnly || p.zOnly || p.halveVelocity);
        }
    }
    EXPECT_EQ(bouncing, 56);
}

TEST(JellySheet, SpringsJoinNeighboursAtGridSpacing) {
    const JellySheet sheet = tankSheet();
    const float spacing = sheet.rowSprings[0]->restLength;
    EXPECT_NEAR(spacing, 200.0 / 14.0, 1e-4);
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j + 1 < kN; ++j) {
            const Spring& row = *sheet.rowSprings[i * 14 + j];
            EXPECT_EQ(row.pointA, sheet.points[at(i, j)].get());
            EXPECT_EQ(row.pointB, sheet.points[at(i, j + 1)].get());
            const Spring& column = *sheet.columnSprings[j * 15 + i];
            EXPECT_EQ(column.pointA, sheet.points[at(j, i)].get());
            EXPECT_EQ(column.pointB, sheet.points[at(j + 1, i)].get());
            for (const Spring* spring : {&row, &column}) {
                EXPECT_EQ(spring->stiffness, 1.0f);
                EXPECT_EQ(spring->damping, 1.0f);
                EXPECT_NEAR(spring->restLength, spacing, 1e-4);
            }
        }
    }
    EXPECT_EQ(sheet.rowSprings[209]->pointA, sheet.points[223].get());
    EXPECT_EQ(sheet.rowSprings[209]->pointB, sheet.points[224].get());
    EXPECT_EQ(sheet.columnSprings[209]->pointA, sheet.points[209].get());
    EXPECT_EQ(sheet.columnSprings[209]->pointB, sheet.points[224].get());
}

TEST(JellySheet, EachPointListsItsSpringsInOrderOfConstruction) {
    const JellySheet sheet = tankSheet();
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            // Row springs are built before column springs, each in index order.
            std::vector<const Spring*> expected;
            if (j > 0) expected.push_back(sheet.rowSprings[i * 14 + j - 1].get());
            if (j < 14) expected.push_back(sheet.rowSprings[i * 14 + j].get());
            if (i > 0) expected.push_back(sheet.columnSprings[(i - 1) * 15 + j].get());
            if (i < 14) expected.push_back(sheet.columnSprings[i * 15 + j].get());

            const MassPoint& p = *sheet.points[at(i, j)];
            std::vector<const Spring*> listed;
            for (const SpringLink* link = p.springs.get(); link; link = link->next.get()) {
                listed.push_back(link->spring);
            }
            EXPECT_EQ(listed, expected) << i << "," << j;
            EXPECT_EQ(p.springCount, static_cast<std::int32_t>(expected.size()));
        }
    }
}

TEST(JellySheet, NormalsAfterConstructionPointUpInsideAndAlongZOnTheBorder) {
    const JellySheet sheet = tankSheet();
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            if (isBorder(i, j)) {
                expectExactly(sheet.normals[at(i, j)], 0, 0, 1);
            } else {
                expectExactly(sheet.normals[at(i, j)], 0, 1, 0);
            }
        }
    }
}

TEST(JellySheet, NormalsShorterThanATenthStayUnnormalised) {
    // Spacing 0.1: the six products sum to about (0, 0.04, 0).
    const JellySheet tiny(-0.7, 0, -0.7, 0.7, 0, 0.7, 15, 15);
    const Vector3& small = tiny.normals[JellySheet::kCentreIndex];
    EXPECT_NEAR(small.y, 0.04f, 1e-4f);
    EXPECT_EQ(small.x, 0.0f);
    EXPECT_EQ(small.z, 0.0f);

    // Spacing 0.2: the sum, about 0.16, is long enough to normalise.
    const JellySheet larger(-1.4, 0, -1.4, 1.4, 0, 1.4, 15, 15);
    expectExactly(larger.normals[JellySheet::kCentreIndex], 0, 1, 0);
}

TEST(JellySheet, CollapsedNeighbourhoodLeavesAZeroNormal) {
    JellySheet sheet = tankSheet();
    const Vector3 spot = sheet.points[at(7, 7)]->position;
    for (int k : {at(7, 7), at(6, 7), at(7, 6), at(8, 6), at(8, 7), at(7, 8), at(8, 8)}) {
        sheet.points[k]->position = spot;
    }
    sheet.computeNormals();
    expectExactly(sheet.normals[at(7, 7)], 0, 0, 0);
}

TEST(JellySheet, MovingAPointChangesOnlyTheNormalsThatUseIt) {
    JellySheet sheet = tankSheet();
    const auto baseline = sheet.normals;
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            MassPoint& moved = *sheet.points[at(i, j)];
            const Vector3 original = moved.position;
            moved.position = original + Vector3{3.1f, 4.7f, -2.3f};
            sheet.computeNormals();

            // The interior points that have (i, j) among their six neighbours.
            std::set<int> users;
            const int candidates[][2] = {{i + 1, j}, {i, j + 1}, {i - 1, j + 1},
                                         {i - 1, j}, {i, j - 1}, {i - 1, j - 1}};
            for (const auto& [row, column] : candidates) {
                if (row >= 0 && row < kN && column >= 0 && column < kN && !isBorder(row, column)) {
                    users.insert(at(row, column));
                }
            }
            std::set<int> changed;
            for (int k = 0; k < JellySheet::kPointCount; ++k) {
                const Vector3& n = sheet.normals[k];
                if (n.x != baseline[k].x || n.y != baseline[k].y || n.z != baseline[k].z) {
                    changed.insert(k);
                }
            }
            // The point's own normal may change too: the sum around a closed ring of
            // neighbours does not depend on the centre except through rounding.
            changed.erase(at(i, j));
            EXPECT_EQ(changed, users) << "moved " << i << "," << j;

            moved.position = original;
            sheet.computeNormals();
        }
    }
}

TEST(JellySheet, JitterAddsTheKicksDrawnFromTheClocksSecond) {
    const testing::FixedClock clock(kSomeSecond);
    JellySheet sheet = tankSheet();
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        sheet.points[k]->force = {0.5f, 0.37f * k - 20.0f, -0.25f};
    }
    const auto before = forcesY(sheet);
    sheet.jitter();
    const int nextDraw = wobblux::rand();

    EXPECT_EQ(forcesY(sheet), expectedAfterJitter(kSomeSecond, before, false));
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& p = *sheet.points[k];
        EXPECT_EQ(p.force.x, 0.5f);
        EXPECT_EQ(p.force.z, -0.25f);
        EXPECT_GE(p.force.y - before[k], -0.15f);
        EXPECT_LE(p.force.y - before[k], 0.1f);
        expectExactly(p.velocity, 0, 0, 0);
        expectExactly(p.colour, 0, 0, 1);
    }
    // Exactly 450 draws were taken.
    wobblux::srand(static_cast<std::uint32_t>(kSomeSecond));
    for (int draw = 0; draw < 450; ++draw) {
        wobblux::rand();
    }
    EXPECT_EQ(nextDraw, wobblux::rand());
}

TEST(JellySheet, JitterRepeatsWithinASecondAndChangesWithTheNext) {
    const testing::FixedClock clock(kSomeSecond);
    JellySheet sheet = tankSheet();
    sheet.jitter();
    const auto first = forcesY(sheet);
    wobblux::rand();  // draws in between do not matter: every call re-seeds
    clearForces(sheet);
    sheet.jitter();
    EXPECT_EQ(forcesY(sheet), first);

    testing::fixedNow = kSomeSecond + 1;
    clearForces(sheet);
    sheet.jitter();
    EXPECT_NE(forcesY(sheet), first);
    EXPECT_EQ(forcesY(sheet), expectedAfterJitter(kSomeSecond + 1, {}, false));
}

TEST(JellySheet, ExcitedJitterPushesTheCentreUp) {
    const testing::FixedClock clock(kSomeSecond);
    JellySheet sheet = tankSheet();
    sheet.jitter();
    const auto calm = forcesY(sheet);

    clearForces(sheet);
    sheet.excited = 1;
    sheet.jitter();
    auto expected = calm;
    expected[JellySheet::kCentreIndex] = calm[JellySheet::kCentreIndex] + 10.0f;
    EXPECT_EQ(forcesY(sheet), expected);
    EXPECT_EQ(expectedAfterJitter(kSomeSecond, {}, true), expected);
}

TEST(JellySheet, FirstStepMovesPointsOnlyByTheirKicks) {
    const testing::FixedClock clock(kSomeSecond);
    JellySheet sheet = tankSheet();
    const JellySheet untouched = tankSheet();
    sheet.step();
    // Springs start at rest length and points at rest: only the vertical kicks act, and
    // they reach the velocity but not yet the position.
    const auto kicks = expectedAfterJitter(kSomeSecond, {}, false);
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& p = *sheet.points[k];
        expectSame(p.position, untouched.points[k]->position);
        expectExactly(p.acceleration, 0, kicks[k], 0);
        expectExactly(p.velocity, 0, kicks[k] * MassPoint::kTimeStep, 0);
        expectExactly(p.force, 0, 0, 0);
        // No kick is longer than 0.15, so every point stays blue.
        expectExactly(p.colour, 0, 0, 1);
        expectSame(sheet.normals[k], untouched.normals[k]);
    }
}

TEST(JellySheet, BorderPointsNeverMoveHorizontally) {
    const testing::FixedClock clock(kSomeSecond);
    JellySheet sheet = tankSheet();
    const JellySheet untouched = tankSheet();
    for (int tick = 0; tick < 600; ++tick) {
        testing::fixedNow = kSomeSecond + tick / 30;
        sheet.excited = (tick / 150) % 2;
        sheet.step();
    }
    int borderCount = 0;
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            if (!isBorder(i, j)) continue;
            ++borderCount;
            const Vector3& now = sheet.points[at(i, j)]->position;
            const Vector3& then = untouched.points[at(i, j)]->position;
            EXPECT_EQ(now.x, then.x);
            EXPECT_EQ(now.z, then.z);
        }
    }
    EXPECT_EQ(borderCount, 56);
    // The interior did move, horizontally too.
    EXPECT_NE(sheet.points[at(7, 3)]->position.x, untouched.points[at(7, 3)]->position.x);
}

}  // namespace
}  // namespace wobblux
