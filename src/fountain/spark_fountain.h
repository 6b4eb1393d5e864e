#pragma once

#include <array>
#include <cstdint>

#include "math/triple.h"

namespace wobblux {

// A fixed pool of sparks held as parallel arrays; slot i of every array is spark i. While the
// sheet is excited the tick revives sparks at the emitter; each then lives 60 steps, moving by
// its own fixed velocity and swinging 10 degrees about the vertical axis every step.
struct SparkFountain {
    static constexpr std::int32_t kPoolSize = 10000;
    static constexpr std::int32_t kLifetime = 60;  // steps a spark moves before it is freed

    using Triple = ::wobblux::Triple;  // x, y, z (or r, g, b); y is up

    Triple emitter;                             // where sparks are revived, scene units
    std::array<Triple, kPoolSize> positions;    // scene units
    std::array<Triple, kPoolSize> velocities;   // scene units per step, fixed at construction
    std::array<Triple, kPoolSize> colours;      // r, g, b; all white
    std::array<std::uint8_t, kPoolSize> alive;  // 1 for a live spark, 0 for a free slot
    std::array<std::int32_t, kPoolSize> ages;   // steps since the spark was revived
    std::int32_t aliveCount = 0;                // number of live slots
    // Bounds that spare the scans most of the pool; they hold as long as only emit() and step()
    // change `alive`. A steady spray of 60 a tick keeps reusing the lowest 3,660 slots.
    std::int32_t everLiveEnd = 0;        // one past the highest slot ever revived
    std::int32_t firstPossiblyFree = 0;  // every slot below this one is live

    // Seeds the generator from the clock and gives every slot its velocity (four draws each).
    SparkFountain(double x, double y, double z);
    // One fixed pool for the whole run; a copy would be a second megabyte.
    SparkFountain(const SparkFountain&) = delete;
    SparkFountain& operator=(const SparkFountain&) = delete;

    // Revives `count` free sparks at the emitter, lowest slots first, or none if fewer are free.
    void emit(std::int32_t count);

    // Ages every live spark; moves and swings it, or frees it once it is past its lifetime.
    void step();

    // Draws every live spark as a streak fading from its head to its tail (GL), lowest slot first.
    void draw() const;
};

}  // namespace wobblux
