#pragma once

#include <ctime>

#include "app/random.h"

namespace wobblux::testing {

// Any second will do; the recorded hashes were taken from this one.
inline constexpr std::time_t kSomeSecond = 1'700'000'000;

// Ticks per clock second in the scripted runs: about as many as come at 33 ms a tick.
inline constexpr int kTicksPerSecond = 30;

// The clock value that seeds the generator while a FixedClock is alive, in whole seconds.
inline std::time_t fixedNow = 0;

inline std::time_t readFixedNow() {
    return fixedNow;
}

// Replaces the calendar clock with `fixedNow` for the lifetime of the object.
struct FixedClock {
    explicit FixedClock(std::time_t now = kSomeSecond) : start(now) {
        fixedNow = now;
        setClockSource(readFixedNow);
    }
    ~FixedClock() { setClockSource(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    // The scripted clock of long runs: the second advances once every kTicksPerSecond ticks.
    void atTick(int tick) const { fixedNow = start + tick / kTicksPerSecond; }

    const std::time_t start;
};

}  // namespace wobblux::testing
