#include <gtest/gtest.h>

#include <cstdint>
#include <ios>

#include "support/recorded_runs.h"

namespace wobblux::testing {
namespace {

// Pins the simulation bit for bit: 1,000 ticks of the tank sheet from a fixed clock that
// advances one second every 30 ticks, excited during ticks 200-449 and 700-849
// (support/recorded_runs.h, which says how to regenerate the hash).
TEST(JellySheetGolden, ThousandTicksFromAFixedClockMatchTheRecordedState) {
    const std::uint64_t hash = recordedSheetRun();
    EXPECT_EQ(hash, kRecordedSheetHash) << "actual hash 0x" << std::hex << hash;
}

}  // namespace
}  // namespace wobblux::testing
