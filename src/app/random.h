#pragma once

#include <cstdint>
#include <ctime>

namespace wobblux {

// The one process-wide random generator that every simulation draws from. Its 15-bit output
// and its sequence are fixed, so runs from the same clock value are reproducible everywhere.

// Largest value rand() returns; dividing a draw by it gives a fraction with both 0 and 1 reachable.
inline constexpr double kRandMax = 32767.0;

// Sets the generator state to the seed.
void srand(std::uint32_t seed);

// Advances the state and returns an integer from 0 to 32767 inclusive.
int rand();

// The clock that seeds the generator: calendar time in whole seconds. Tests replace it to make
// runs reproducible; passing nullptr restores the calendar clock.
using ClockSource = std::time_t (*)();
void setClockSource(ClockSource source);

// The clock's current value taken modulo 2^32: the seed that seedFromClock() uses.
std::uint32_t clockSeed();

// Seeds the generator with clockSeed().
void seedFromClock();

// The generator's state now. srand() with this value puts the generator back exactly here, so a
// caller that replays draws it made before can leave the generator where those draws left it.
std::uint32_t randomState();

}  // namespace wobblux
