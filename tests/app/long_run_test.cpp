// The whole scene run for thousands of ticks through the tick's own order, from a scripted
// clock. Global operator new is replaced here to prove the ticks allocate nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <ios>

#include "app/simulations.h"
#include "support/allocation_counter.h"
#include "support/fixed_clock.h"
#include "support/recorded_runs.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

struct Scene {
    std::unique_ptr<JellySheet> sheet = makeSceneSheet();
    std::unique_ptr<SparkFountain> fountain = makeSceneFountain();
    std::unique_ptr<DartGroup> darts = std::make_unique<DartGroup>();

    void tick(const FixedClock& clock, int tick) {
        scriptedSceneTick(clock, tick, *sheet, *fountain, *darts);
    }
};

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
bool finite(const std::array<double, 3>& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

bool isBorder(int k) {
    const int row = k / JellySheet::kGridSize;
    const int column = k % JellySheet::kGridSize;
    const int last = JellySheet::kGridSize - 1;
    return row == 0 || row == last || column == 0 || column == last;
}

void expectSound(const Scene& scene, const JellySheet& asBuilt) {
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& point = *scene.sheet->points[k];
        ASSERT_TRUE(finite(point.position) && finite(point.velocity) && finite(point.colour) &&
                    finite(scene.sheet->normals[k]))
            << "sheet point " << k;
        // Border points move only vertically.
        if (isBorder(k)) {
            ASSERT_EQ(point.position.x, asBuilt.points[k]->position.x) << "point " << k;
            ASSERT_EQ(point.position.z, asBuilt.points[k]->position.z) << "point " << k;
        }
    }
    int live = 0;
    for (int slot = 0; slot < SparkFountain::kPoolSize; ++slot) {
        live += scene.fountain->alive[slot];
        ASSERT_TRUE(finite(scene.fountain->positions[slot])) << "spark " << slot;
    }
    ASSERT_EQ(scene.fountain->aliveCount, live);
    for (const Dart& dart : scene.darts->darts) {
        ASSERT_TRUE(finite(dart.position) && finite(dart.velocity) && finite(dart.heading));
    }
}

TEST(LongRun, HundredThousandTicksStaySoundAndAllocateNothing) {
    const FixedClock clock;
    Scene scene;
    const auto asBuilt = makeSceneSheet();
    const std::uint64_t allocationsAfterConstruction = allocationCount;
    for (int tick = 0; tick < 100'000; ++tick) {
        scene.tick(clock, tick);
        if (tick % 1000 == 0) {
            expectSound(scene, *asBuilt);
        }
    }
    EXPECT_EQ(allocationCount, allocationsAfterConstruction);
    expectSound(scene, *asBuilt);
    // The interior did move, horizontally too.
    constexpr int kInteriorPoint = 7 * JellySheet::kGridSize + 3;
    EXPECT_NE(scene.sheet->points[kInteriorPoint]->position.x,
              asBuilt->points[kInteriorPoint]->position.x);
}

// The recorded scene run of support/recorded_runs.h, hashed over the sheet, every spark slot
// and the darts.
TEST(LongRun, ThreeThousandScriptedTicksReproduceTheRecordedSceneTwice) {
    const std::uint64_t first = recordedSceneRun();
    EXPECT_EQ(first, kRecordedSceneHash) << "actual hash 0x" << std::hex << first;
    EXPECT_EQ(recordedSceneRun(), first);
}

TEST(LongRun, AllocationCounterSeesTheSheetsConstruction) {
    const std::uint64_t before = allocationCount;
    const auto sheet = makeSceneSheet();
    // The sheet itself, 225 points, 420 springs and two list nodes per spring.
    EXPECT_EQ(allocationCount - before, 1u + 225u + 420u + 840u);
}

}  // namespace
}  // namespace wobblux::testing
