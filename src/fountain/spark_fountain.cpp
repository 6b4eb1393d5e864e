#include "fountain/spark_fountain.h"

#include <cmath>

#include "app/random.h"

namespace wobblux {
namespace {

// A slot's speed is a fraction of this many scene units per step, halved by the normalisation
// to 0.5, so speeds run from 0 to 2.5.
constexpr double kSpeedScale = 5.0;

// The swing per step about the vertical axis: 10 degrees with pi taken as 3.14159. It is the
// degree-to-radian factor times ten; 10 * 3.14159 / 180 rounds one unit in the last place higher.
constexpr double kSwirlRadians = 0.17453277777777776;
static_assert(kSwirlRadians == 3.14159 / 180 * 10);

}  // namespace

SparkFountain::SparkFountain(double x, double y, double z) : emitter{x, y, z} {
    seedFromClock();
    for (std::int32_t slot = 0; slot < kPoolSize; ++slot) {
        positions[slot] = emitter;
        colours[slot] = {1.0, 1.0, 1.0};

        // A direction inside the box x, z in [-0.5, 0.5], y in [0, 1]; x and z are never exactly
        // zero (32767 is odd), so the length below is never zero.
        const int r1 = wobblux::rand();
        const int r2 = wobblux::rand();
        const int r3 = wobblux::rand();
        const Triple direction{r1 / kRandMax - 0.5, r2 / kRandMax, r3 / kRandMax - 0.5};
        const Triple halfUnit = divided(direction, 2.0 * length(direction));

        // Divide by the range first, then scale: the order fixes the rounding.
        const double speedFactor = wobblux::rand() / kRandMax * kSpeedScale;
        velocities[slot] = scaled(halfUnit, speedFactor);

        ages[slot] = 0;
        alive[slot] = 0;
    }
}

void SparkFountain::emit(std::int32_t count) {
    // A count below one would otherwise never meet the stop test and revive every free slot.
    if (count < 1 || kPoolSize - aliveCount < count) {
        return;
    }
    std::int32_t revived = 0;
    // The slots below firstPossiblyFree are all live: the lowest free ones lie at or above it.
    std::int32_t slot = firstPossiblyFree;
    for (; slot < kPoolSize && revived < count; ++slot) {
        if (alive[slot] != 0) {
            continue;
        }
        alive[slot] = 1;
        ages[slot] = 0;
        positions[slot] = emitter;
        ++aliveCount;
        ++revived;
    }
    // Every slot passed is live now, the last one revived included.
    firstPossiblyFree = slot;
    if (slot > everLiveEnd) {
        everLiveEnd = slot;
    }
}

void SparkFountain::step() {
    const double swirlCos = std::cos(kSwirlRadians);
    const double swirlSin = std::sin(kSwirlRadians);
    // Slots from everLiveEnd on have never been live: nothing there to age or move.
    const std::int32_t end = everLiveEnd;
    for (std::int32_t slot = 0; slot < end; ++slot) {
        if (alive[slot] == 0) {
            continue;
        }
        ages[slot] += 1;
        if (ages[slot] > kLifetime) {
            // Freed where it stands: this step does not move it.
            alive[slot] = 0;
            --aliveCount;
            if (slot < firstPossiblyFree) {
                firstPossiblyFree = slot;
            }
            continue;
        }
        // Swing about the vertical axis after the move; both new values use the moved x and z.
        const Triple moved = add(positions[slot], velocities[slot]);
        positions[slot] = {moved[0] * swirlCos - moved[2] * swirlSin, moved[1],
                           moved[0] * swirlSin + moved[2] * swirlCos};
    }
}

}  // namespace wobblux
