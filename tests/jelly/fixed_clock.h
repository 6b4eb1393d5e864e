#pragma once

#include <ctime>

#include "app/random.h"

namespace wobblux::testing {

// The clock value that seeds the generator while a FixedClock is alive, in whole seconds.
inline std::time_t fixedNow = 0;

inline std::time_t readFixedNow() {
    return fixedNow;
}

// Replaces the calendar clock with `fixedNow` for the lifetime of the object.
struct FixedClock {
    explicit FixedClock(std::time_t now) {
        fixedNow = now;
        setClockSource(readFixedNow);
    }
    ~FixedClock() { setClockSource(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

}  // namespace wobblux::testing
