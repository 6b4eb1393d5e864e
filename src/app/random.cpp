#include "app/random.h"

namespace wobblux {
namespace {

std::uint32_t state = 1;

std::time_t calendarClock() {
    return std::time(nullptr);
}

ClockSource clockSource = calendarClock;

}  // namespace

void srand(std::uint32_t seed) {
    state = seed;
}

int rand() {
    // Linear congruential step modulo 2^32 (unsigned wrap-around); bits 16 to 30 are the output.
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 32767u);
}

void setClockSource(ClockSource source) {
    clockSource = source != nullptr ? source : calendarClock;
}

std::uint32_t clockSeed() {
    return static_cast<std::uint32_t>(clockSource());
}

void seedFromClock() {
    srand(clockSeed());
}

std::uint32_t randomState() {
    return state;
}

}  // namespace wobblux
