#include "glut/timers.h"

#include <gtest/gtest.h>

#include <climits>

namespace wobblux::glut {
namespace {

using std::chrono::milliseconds;

const Clock::time_point kStart{};

std::vector<int> ran;  // the values of the timers run, in order

void note(int value) {
    ran.push_back(value);
}

// A timer that books two more, `left` levels deep: the second always lands in a later slot.
void bookTwo(int left) {
    ran.push_back(left);
    if (left > 0) {
        bookTimer(0, bookTwo, left - 1, kStart);
        bookTimer(0, bookTwo, left - 1, kStart);
    }
}

// Every test leaves every slot free, since the slots outlive it.
class TimersTest : public ::testing::Test {
  protected:
    void SetUp() override { ran.clear(); }
};

TEST_F(TimersTest, TimerRunsOnceWhenDueAndTheWaitRoundsUp) {
    const std::size_t slot = *bookTimer(10, note, 7, kStart);
    EXPECT_EQ(millisecondsToNextTimer(kStart), 10);
    EXPECT_EQ(millisecondsToNextTimer(kStart + std::chrono::microseconds(9'500)), 1);
    runDueTimers(kStart + milliseconds(9));
    EXPECT_TRUE(ran.empty());
    runDueTimers(kStart + milliseconds(12));
    EXPECT_EQ(ran, std::vector<int>{7});
    EXPECT_EQ(millisecondsToNextTimer(kStart + milliseconds(12)), -1);
    runDueTimers(kStart + milliseconds(20));
    EXPECT_EQ(ran, std::vector<int>{7});
    EXPECT_EQ(bookTimer(1, note, 8, kStart), slot);  // the slot is reused, not a new one made
    runTimer(slot);
}

TEST_F(TimersTest, OverdueTimerWaitsNothingAndLongDelayStaysPositive) {
    bookTimer(UINT_MAX, note, 1, kStart);
    EXPECT_EQ(millisecondsToNextTimer(kStart), INT_MAX);
    bookTimer(5, note, 2, kStart);
    EXPECT_EQ(millisecondsToNextTimer(kStart + milliseconds(8)), 0);
    runDueTimers(Clock::time_point::max());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(TimersTest, TimerBookedByARunningOneWaitsForTheNextTurn) {
    bookTimer(0, bookTwo, 1, kStart);
    runDueTimers(kStart);
    EXPECT_EQ(ran, std::vector<int>{1});
    runDueTimers(kStart);
    EXPECT_EQ(ran, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(millisecondsToNextTimer(kStart), -1);
}

TEST_F(TimersTest, SlotRunsWhenThePlatformSaysAndOnlyWhileBooked) {
    EXPECT_FALSE(bookTimer(5, nullptr, 0, kStart));
    const std::size_t slot = *bookTimer(5, note, 9, kStart);
    EXPECT_EQ(timerSlots()[slot].milliseconds, 5u);
    runTimer(slot);
    runTimer(slot);
    runTimer(timerSlots().size());
    EXPECT_EQ(ran, std::vector<int>{9});
}

}  // namespace
}  // namespace wobblux::glut
