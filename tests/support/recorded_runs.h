#pragma once

// The scripted runs whose final states the tests pin by hash, written once so that every build
// that checks them (native, sanitized, wasm) runs exactly the same ticks. To regenerate a hash
// after an intended change of the simulations' arithmetic or order, check that the change is
// meant to alter the results and copy the "actual hash" of the failing test here.

#include <cstdint>
#include <memory>

#include "app/simulations.h"
#include "support/fixed_clock.h"
#include "support/state_hash.h"

namespace wobblux::testing {

// The whole scene, 3,000 ticks through the tick's own order: the clock's second advances every
// 30 ticks, and the sheet is excited in the second half of every 500 ticks.
inline constexpr std::uint64_t kRecordedSceneHash = 0x90aa87bc163f8312ull;
// The fountain alone from second 1,234,567: 250 ticks that emit 60 in the first, third and
// fifth block of 50. Checked once against a separate double-precision model of the same rules.
inline constexpr std::uint64_t kRecordedFountainHash = 0xf769f398d30f0f94ull;
// The sheet alone, 1,000 ticks on the scene's clock script, excited during ticks 200-449 and
// 700-849.
inline constexpr std::uint64_t kRecordedSheetHash = 0x3f9985a4e1f51a15ull;

// One tick of the scene's script: the second advances every kTicksPerSecond ticks, and the
// sheet is excited in the second half of every 500 ticks.
inline void scriptedSceneTick(const FixedClock& clock, int tick, JellySheet& sheet,
                              SparkFountain& fountain, DartGroup& darts) {
    clock.atTick(tick);
    sheet.excited = tick % 500 >= 250 ? 1 : 0;
    advanceSimulations(sheet, fountain, darts);
}

inline std::uint64_t recordedSceneRun() {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    const auto fountain = makeSceneFountain();
    const auto darts = std::make_unique<DartGroup>();
    for (int tick = 0; tick < 3'000; ++tick) {
        scriptedSceneTick(clock, tick, *sheet, *fountain, *darts);
    }
    return hashOf(*sheet, *fountain, *darts);
}

inline std::uint64_t recordedFountainRun() {
    const FixedClock clock(1'234'567);
    const auto fountain = makeSceneFountain();
    for (int tick = 0; tick < 250; ++tick) {
        if ((tick / 50) % 2 == 0) {
            fountain->emit(kSparksPerTick);
        }
        fountain->step();
    }
    return hashOf(*fountain);
}

inline std::uint64_t recordedSheetRun() {
    const FixedClock clock;
    const auto sheet = makeSceneSheet();
    for (int tick = 0; tick < 1000; ++tick) {
        clock.atTick(tick);
        const bool excited = (tick >= 200 && tick < 450) || (tick >= 700 && tick < 850);
        sheet->excited = excited ? 1 : 0;
        sheet->step();
    }
    return hashOf(*sheet);
}

}  // namespace wobblux::testing
