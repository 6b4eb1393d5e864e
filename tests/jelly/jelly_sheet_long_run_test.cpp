// A long run of the tank sheet. This executable replaces the global allocation functions to
// count allocations, so it must stay separate from the other tests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "jelly/fixed_clock.h"
#include "jelly/jelly_sheet.h"
#include "support/allocation_counter.h"

namespace wobblux {
namespace {

constexpr int kTicks = 100'000;
constexpr int kTicksPerSecond = 30;
constexpr int kTicksPerToggle = 500;
constexpr std::time_t kFirstSecond = 1'700'000'000;

bool isFinite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool isBorder(int k) {
    const int row = k / JellySheet::kGridSize;
    const int column = k % JellySheet::kGridSize;
    return row == 0 || row == 14 || column == 0 || column == 14;
}

TEST(JellySheetLongRun, HundredThousandTicksStayFiniteKeepBordersAndNeverAllocate) {
    const testing::FixedClock clock(kFirstSecond);
    JellySheet sheet(-100, 80, -100, 100, 80, 100, 1, 1);
    const JellySheet untouched(-100, 80, -100, 100, 80, 100, 1, 1);

    const std::uint64_t before = testing::allocationCount;
    for (int tick = 0; tick < kTicks; ++tick) {
        testing::fixedNow = kFirstSecond + tick / kTicksPerSecond;
        if (tick % kTicksPerToggle == 0 && tick > 0) {
            sheet.excited = sheet.excited == 0 ? 1 : 0;
        }
        sheet.step();
    }
    EXPECT_EQ(testing::allocationCount, before) << "step() allocated memory";

    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& p = *sheet.points[k];
        EXPECT_TRUE(isFinite(p.position)) << "point " << k;
        EXPECT_TRUE(isFinite(p.velocity)) << "point " << k;
        EXPECT_TRUE(isFinite(p.colour)) << "point " << k;
        EXPECT_TRUE(isFinite(sheet.normals[k])) << "point " << k;
        if (isBorder(k)) {
            EXPECT_EQ(p.position.x, untouched.points[k]->position.x) << "point " << k;
            EXPECT_EQ(p.position.z, untouched.points[k]->position.z) << "point " << k;
        }
    }
}

TEST(JellySheetLongRun, AllocationCounterSeesTheSheetsConstruction) {
    const std::uint64_t before = testing::allocationCount;
    const JellySheet sheet(-100, 80, -100, 100, 80, 100, 1, 1);
    // 225 points, 420 springs and two list nodes per spring.
    EXPECT_EQ(testing::allocationCount - before, 225u + 420u + 840u);
}

}  // namespace
}  // namespace wobblux
