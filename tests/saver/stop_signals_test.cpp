#include "saver/stop_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace wobblux::saver {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPromptly = std::chrono::milliseconds(500 * WOBBLUX_TIMEOUT_SCALE);

// The hack's wait with no timer armed and nothing arriving from the X server.
TEST(StopSignals, EndAnUnlimitedWaitWhetherTheyComeDuringItOrJustBefore) {
    ASSERT_TRUE(stopOnSignals());
    int quiet[2];
    ASSERT_EQ(pipe(quiet), 0);

    // Sent by another thread, which may take it itself, as any of a GL driver's threads may.
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kill(getpid(), SIGTERM);
    });
    Clock::time_point start = Clock::now();
    waitForInputOrStop(quiet[0], -1);
    EXPECT_LT(Clock::now() - start, kPromptly + std::chrono::milliseconds(100));
    sender.join();
    EXPECT_TRUE(stopSignalArrived());

    // Landing after the loop looked at stopSignalArrived() and before its wait began.
    raise(SIGINT);
    start = Clock::now();
    waitForInputOrStop(quiet[0], -1);
    EXPECT_LT(Clock::now() - start, kPromptly);
}

}  // namespace
}  // namespace wobblux::saver
