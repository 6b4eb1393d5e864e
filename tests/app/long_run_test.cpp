// The whole scene run for thousands of ticks through the tick's own order, from a scripted
// clock. Global operator new is replaced here to prove the ticks allocate nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <ios>

#include "app/simulations.h"
#include "support/allocation_counter.h"
#include "support/fixed_clock.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

// The run of 3,000 ticks below, hashed over the sheet, every spark slot and the darts. To
// regenerate after an intended change of the simulations' arithmetic or order, check that the
// change is meant to alter the results and copy the "actual hash" of the failure here.
constexpr std::uint64_t kSceneHash = 0x90aa87bc163f8312ull;

struct Scene {
    std::unique_ptr<JellySheet> sheet = makeSceneSheet();
    std::unique_ptr<SparkFountain> fountain = makeSceneFountain();
    std::unique_ptr<DartGroup> darts = std::make_unique<DartGroup>();

    // One tick of the script: the second advances every 30 ticks, and the sheet is excited in
    // the second half of every 500 ticks.
    void tick(const FixedClock& clock, int tick) {
        clock.atTick(tick);
        sheet->excited = tick % 500 >= 250 ? 1 : 0;
        advanceSimulations(*sheet, *fountain, *darts);
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

TEST(LongRun, ThreeThousandScriptedTicksReproduceTheRecordedSceneTwice) {
    std::uint64_t hashes[2];
    for (std::uint64_t& hash : hashes) {
        const FixedClock clock;
        Scene scene;
        for (int tick = 0; tick < 3'000; ++tick) {
            scene.tick(clock, tick);
        }
        hash = hashOf(*scene.sheet, *scene.fountain, *scene.darts);
    }
    EXPECT_EQ(hashes[0], kSceneHash) << "actual hash 0x" << std::hex << hashes[0];
    EXPECT_EQ(hashes[1], hashes[0]);
}

TEST(LongRun, AllocationCounterSeesTheSheetsConstruction) {
    const std::uint64_t before = allocationCount;
    const auto sheet = makeSceneSheet();
    // The sheet itself, 225 points, 420 springs and two list nodes per spring.
    EXPECT_EQ(allocationCount - before, 1u + 225u + 420u + 840u);
}

}  // namespace
}  // namespace wobblux::testing
