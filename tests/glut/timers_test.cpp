#include "glut/timers.h"

#include <gtest/gtest.h>

#include <climits>

namespace wobblux::glut {
namespace {

using std::chrono::milliseconds;

const Clock::time_point kStart{};
std::vector<int> ran;  // the values of the timers run, in order; every test frees its slots

void note(int value) {
    ran.push_back(value);
}

// Books two more, `left` levels deep: the second always lands in a later slot.
void bookTwo(int left) {
    note(left);
    for (int k = 0; k < 2 && left > 0; ++k) {
        bookTimer(0, bookTwo, left - 1, kStart);
    }
}

TEST(Timers, RunOnceWhenDueInAReusedSlotAndTheWaitRoundsUp) {
    ran.clear();
    const std::size_t slot = *bookTimer(10, note, 7, kStart);
    bookTimer(UINT_MAX, note, 8, kStart);
    EXPECT_EQ(millisecondsToNextTimer(kStart + std::chrono::microseconds(9'500)), 1);
    runDueTimers(kStart + milliseconds(9));
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(millisecondsToNextTimer(kStart + milliseconds(12)), 0);
    runDueTimers(kStart + milliseconds(12));
    EXPECT_EQ(millisecondsToNextTimer(kStart), INT_MAX);  // 2^32 ms is long, not negative
    runDueTimers(Clock::time_point::max());
    EXPECT_EQ(ran, (std::vector<int>{7, 8}));
    EXPECT_EQ(millisecondsToNextTimer(kStart), -1);
    EXPECT_EQ(bookTimer(1, note, 9, kStart), slot);
    runTimer(slot);
}

TEST(Timers, OneBookedByARunningTimerWaitsForTheNextTurn) {
    ran.clear();
    bookTimer(0, bookTwo, 1, kStart);
    runDueTimers(kStart);
    EXPECT_EQ(ran, std::vector<int>{1});
    runDueTimers(kStart);
    EXPECT_EQ(ran, (std::vector<int>{1, 0, 0}));
}

TEST(Timers, SlotRunsWhenThePlatformSaysOnlyWhileBooked) {
    ran.clear();
    EXPECT_FALSE(bookTimer(5, nullptr, 0, kStart));
    const std::size_t slot = *bookTimer(5, note, 9, kStart);
    runTimer(slot);
    runTimer(slot);
    EXPECT_EQ(ran, std::vector<int>{9});
}

}  // namespace
}  // namespace wobblux::glut
