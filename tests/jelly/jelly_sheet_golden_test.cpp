#include <gtest/gtest.h>

#include <cstdint>
#include <ios>

#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/state_hash.h"

namespace wobblux::testing {
namespace {

// Pins the simulation bit for bit: 1,000 ticks of the tank sheet from a fixed clock that
// advances one second every 30 ticks, excited during ticks 200-449 and 700-849.
//
// To regenerate after an intended change of the simulation's arithmetic or order: run
// jelly_sheet_tests --gtest_filter='JellySheetGolden.*', check that the change is meant to
// alter the results, and copy the hash the failure reports as "actual hash" into
// kGoldenHash below.
constexpr std::uint64_t kGoldenHash = 0x3f9985a4e1f51a15ull;

TEST(JellySheetGolden, ThousandTicksFromAFixedClockMatchTheRecordedState) {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    for (int tick = 0; tick < 1000; ++tick) {
        clock.atTick(tick);
        const bool excited = (tick >= 200 && tick < 450) || (tick >= 700 && tick < 850);
        sheet->excited = excited ? 1 : 0;
        sheet->step();
    }
    const std::uint64_t hash = hashOf(*sheet);
    EXPECT_EQ(hash, kGoldenHash) << "actual hash 0x" << std::hex << hash;
}

}  // namespace
}  // namespace wobblux::testing
