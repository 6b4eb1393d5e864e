#include "app/random.h"

#include <gtest/gtest.h>

#include <array>

#include "support/fixed_clock.h"

namespace wobblux {
namespace {

std::array<int, 5> firstFive() {
    std::array<int, 5> draws{};
    for (int& draw : draws) {
        draw = wobblux::rand();
    }
    return draws;
}

TEST(Random, KnownSequencesForSeedsOneAndZero) {
    wobblux::srand(1);
    EXPECT_EQ(firstFive(), (std::array<int, 5>{41, 18467, 6334, 26500, 19169}));
    wobblux::srand(0);
    EXPECT_EQ(firstFive(), (std::array<int, 5>{38, 7719, 21238, 2437, 8855}));
}

TEST(Random, ReseedingRestartsTheSequence) {
    wobblux::srand(12345);
    const auto first = firstFive();
    wobblux::srand(12345);
    EXPECT_EQ(firstFive(), first);
}

TEST(Random, DrawsStayWithinFifteenBitsAndReachBothEnds) {
    wobblux::srand(7);
    bool sawZero = false;
    bool sawMax = false;
    for (int i = 0; i < 2'000'000; ++i) {
        const int draw = wobblux::rand();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
        sawZero = sawZero || draw == 0;
        sawMax = sawMax || draw == 32767;
    }
    EXPECT_TRUE(sawZero);
    EXPECT_TRUE(sawMax);
    EXPECT_EQ(32767 / kRandMax, 1.0);
    EXPECT_EQ(0 / kRandMax, 0.0);
}

TEST(Random, SeedFromClockUsesTheReplaceableClockModulo2To32) {
    {
        const testing::FixedClock clock(1);
        seedFromClock();
        EXPECT_EQ(wobblux::rand(), 41);
        // A time past 2^32 seconds seeds with its value modulo 2^32.
        testing::fixedNow = (std::time_t{1} << 32) + 1;
        seedFromClock();
        EXPECT_EQ(wobblux::rand(), 41);
    }
    wobblux::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    const int expected = wobblux::rand();
    seedFromClock();
    // The calendar clock is back; a second boundary between the two reads is the only way
    // these differ, so allow one retry.
    if (wobblux::rand() != expected) {
        wobblux::srand(static_cast<std::uint32_t>(std::time(nullptr)));
        const int again = wobblux::rand();
        seedFromClock();
        EXPECT_EQ(wobblux::rand(), again);
    }
}

}  // namespace
}  // namespace wobblux
