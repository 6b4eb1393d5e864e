#include "jelly/jelly_sheet.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "app/random.h"
#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/generator_replay.h"
#include "support/state_hash.h"
#include "support/vector3_expect.h"

namespace wobblux::testing {
namespace {

constexpr int kN = JellySheet::kGridSize;

constexpr int at(int row, int column) {
    return row * kN + column;
}
constexpr bool isBorder(int row, int column) {
    return row == 0 || row == kN - 1 || column == 0 || column == kN - 1;
}

// The tank sheet's x along a row, and equally its z down the rows: 200/14 added up in double
// and rounded to float per point, so the middle one misses zero.
constexpr float kTankCoordinates[kN] = {-100.0f,      -85.7142868f, -71.4285736f, -57.1428566f,
                                        -42.8571434f, -28.5714283f, -14.2857141f, 1.0658141e-14f,
                                        14.2857141f,  28.5714283f,  42.8571434f,  57.1428566f,
                                        71.4285736f,  85.7142868f,  100.0f};

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

std::vector<const Spring*> springsOf(const MassPoint& point) {
    std::vector<const Spring*> listed;
    for (const SpringLink* link = point.springs.get(); link; link = link->next.get()) {
        listed.push_back(link->spring);
    }
    return listed;
}

TEST(JellySheet, TheTankSheetLiesFlatAtHeightEightyFromWallToWall) {
    const auto sheet = makeSceneSheet();
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            expectExactly(sheet->points[at(i, j)]->position, kTankCoordinates[j], 80.0f,
                          kTankCoordinates[i]);
        }
    }
    EXPECT_EQ(sheet->excited, 0);
}

TEST(JellySheet, ColumnsAdvanceXAndRowsAdvanceYAndZWhateverCountsArePassed) {
    for (double count : {0.0, 1.0, 15.0, 40.0}) {
        const JellySheet sheet(0, 0, 0, 14, 28, 42, count, count);
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
}

TEST(JellySheet, BorderPointsBounceAndColumn14HasWiderBounds) {
    const auto sheet = makeSceneSheet();
    int bouncing = 0;
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const MassPoint& p = *sheet->points[at(i, j)];
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
    const auto sheet = makeSceneSheet();
    const float spacing = sheet->rowSprings[0]->restLength;
    EXPECT_NEAR(spacing, 200.0 / 14.0, 1e-4);
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j + 1 < kN; ++j) {
            const Spring& row = *sheet->rowSprings[i * 14 + j];
            EXPECT_EQ(row.pointA, sheet->points[at(i, j)].get());
            EXPECT_EQ(row.pointB, sheet->points[at(i, j + 1)].get());
            const Spring& column = *sheet->columnSprings[j * 15 + i];
            EXPECT_EQ(column.pointA, sheet->points[at(j, i)].get());
            EXPECT_EQ(column.pointB, sheet->points[at(j + 1, i)].get());
            for (const Spring* spring : {&row, &column}) {
                EXPECT_EQ(spring->stiffness, 1.0f);
                EXPECT_EQ(spring->damping, 1.0f);
                EXPECT_NEAR(spring->restLength, spacing, 1e-4);
            }
        }
    }
}

TEST(JellySheet, EachPointListsItsSpringsInOrderOfConstruction) {
    const auto sheet = makeSceneSheet();
    const auto& rows = sheet->rowSprings;
    const auto& columns = sheet->columnSprings;
    // Row springs are built before column springs, each in index order: the centre lists the
    // springs to its left, right, upper and lower neighbours; corner (0, 0) its right and lower.
    EXPECT_EQ(springsOf(*sheet->points[at(7, 7)]),
              (std::vector<const Spring*>{rows[7 * 14 + 6].get(), rows[7 * 14 + 7].get(),
                                          columns[6 * 15 + 7].get(), columns[7 * 15 + 7].get()}));
    EXPECT_EQ(springsOf(*sheet->points[at(0, 0)]),
              (std::vector<const Spring*>{rows[0].get(), columns[0].get()}));
    // Corners have two springs, the other border points three, interior points four.
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const MassPoint& p = *sheet->points[at(i, j)];
            const int expected = 4 - (i == 0 || i == 14) - (j == 0 || j == 14);
            EXPECT_EQ(p.springCount, expected) << i << "," << j;
            EXPECT_EQ(springsOf(p).size(), static_cast<std::size_t>(expected)) << i << "," << j;
        }
    }
}

TEST(JellySheet, NormalsAfterConstructionPointUpInsideAndAlongZOnTheBorder) {
    const auto sheet = makeSceneSheet();
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            if (isBorder(i, j)) {
                expectExactly(sheet->normals[at(i, j)], 0, 0, 1);
            } else {
                expectExactly(sheet->normals[at(i, j)], 0, 1, 0);
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
    const auto sheet = makeSceneSheet();
    const Vector3 spot = sheet->points[at(7, 7)]->position;
    for (int k : {at(7, 7), at(6, 7), at(7, 6), at(8, 6), at(8, 7), at(7, 8), at(8, 8)}) {
        sheet->points[k]->position = spot;
    }
    sheet->computeNormals();
    expectExactly(sheet->normals[at(7, 7)], 0, 0, 0);
}

TEST(JellySheet, MovingAPointChangesOnlyTheNormalsThatUseIt) {
    // An interior normal uses the points above, left, down-left, below, right and down-right
    // of its own. A point's own normal may change too, through rounding only: it is left out.
    const std::pair<int, std::set<int>> cases[] = {
        {at(7, 7), {at(6, 6), at(6, 7), at(6, 8), at(7, 6), at(7, 8), at(8, 7)}},
        {at(14, 0), {at(13, 1)}},
        {at(14, 14), {at(13, 13)}},
        {at(0, 0), {}},
    };
    const auto sheet = makeSceneSheet();
    for (const auto& [moved, users] : cases) {
        const auto before = sheet->normals;
        Vector3& position = sheet->points[moved]->position;
        position = position + Vector3{3.1f, 4.7f, -2.3f};
        sheet->computeNormals();
        std::set<int> changed;
        for (int k = 0; k < JellySheet::kPointCount; ++k) {
            const Vector3& n = sheet->normals[k];
            if (k != moved && (n.x != before[k].x || n.y != before[k].y || n.z != before[k].z)) {
                changed.insert(k);
            }
        }
        EXPECT_EQ(changed, users) << "moved " << moved;
    }
}

TEST(JellySheet, JitterKicksEveryPointByAmountsRecordedForTheClocksSecond) {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    sheet->jitter();
    const int nextDraw = wobblux::rand();

    // 225 downward kicks of up to 0.15, then 225 upward ones of up to 0.1, from this second.
    EXPECT_EQ(sheet->points[0]->force.y, -0.0789605379f);
    EXPECT_EQ(sheet->points[JellySheet::kCentreIndex]->force.y, -0.0626529679f);
    StateHash hash;
    for (float y : forcesY(*sheet)) {
        hash.add(y);
    }
    EXPECT_EQ(hash.value(), 0x4fb959f9202db8bbull);
    for (const auto& p : sheet->points) {
        EXPECT_EQ(p->force.x, 0.0f);
        EXPECT_EQ(p->force.z, 0.0f);
        EXPECT_GE(p->force.y, -0.15f);
        EXPECT_LE(p->force.y, 0.1f);
        expectExactly(p->velocity, 0, 0, 0);
        expectExactly(p->colour, 0, 0, 1);
    }
    // Exactly 450 draws were taken after seeding with the second.
    EXPECT_EQ(nextDraw, drawAfterSeeding(kSomeSecond, 450));
}

TEST(JellySheet, JitterRepeatsWithinASecondAndChangesWithTheNext) {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    sheet->jitter();
    const auto first = forcesY(*sheet);
    wobblux::rand();  // draws in between do not matter: every call re-seeds
    clearForces(*sheet);
    sheet->jitter();
    EXPECT_EQ(forcesY(*sheet), first);

    fixedNow = kSomeSecond + 1;
    clearForces(*sheet);
    sheet->jitter();
    EXPECT_NE(forcesY(*sheet), first);
}

TEST(JellySheet, ExcitedJitterPushesTheCentreUp) {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    sheet->jitter();
    auto expected = forcesY(*sheet);
    expected[JellySheet::kCentreIndex] += 10.0f;

    clearForces(*sheet);
    sheet->excited = 1;
    sheet->jitter();
    EXPECT_EQ(forcesY(*sheet), expected);
}

TEST(JellySheet, FirstStepMovesPointsOnlyByTheirKicks) {
    const FixedClock clock;
    const auto kicked = makeSceneSheet();
    kicked->jitter();
    const auto sheet = makeSceneSheet();
    sheet->step();
    // Springs start at rest length and points at rest: only the vertical kicks act, and
    // they reach the velocity but not yet the position.
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& p = *sheet->points[k];
        const float kick = kicked->points[k]->force.y;
        expectExactly(p.position, kicked->points[k]->position);
        expectExactly(p.acceleration, 0, kick, 0);
        expectExactly(p.velocity, 0, kick * MassPoint::kTimeStep, 0);
        expectExactly(p.force, 0, 0, 0);
        // No kick is longer than 0.15, so every point stays blue.
        expectExactly(p.colour, 0, 0, 1);
        expectExactly(sheet->normals[k], kicked->normals[k]);
    }
}

}  // namespace
}  // namespace wobblux::testing
