#pragma once

#include <cstdint>
#include <memory>

#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"

namespace wobblux {

// The scene's layout, in scene units, y up. The tank is the cube from -kTankHalfWidth to
// +kTankHalfWidth on each axis; the sheet spans it from wall to wall at kSheetHeight.
inline constexpr double kTankHalfWidth = 100.0;
inline constexpr double kSheetHeight = 80.0;
// The fountain's emitter: the top of the lower cone, on the vertical axis.
inline constexpr double kEmitterHeight = -80.0;

// Sparks the fountain emits on every tick while the sheet is excited.
inline constexpr std::int32_t kSparksPerTick = 60;

// The scene's sheet, corner (0, 0) at (-100, 80, -100) and (14, 14) at (100, 80, 100).
std::unique_ptr<JellySheet> makeSceneSheet();

// The scene's fountain, emitting at (0, -80, 0). Seeds the generator from the clock.
std::unique_ptr<SparkFountain> makeSceneFountain();

// Advances the three simulations by one tick, in the one order every caller relies on: the
// sheet steps; while it is excited the fountain emits; the fountain steps; the darts step,
// seeing the centre's height after this tick's sheet step and the excited byte read again.
void advanceSimulations(JellySheet& sheet, SparkFountain& fountain, DartGroup& darts);

}  // namespace wobblux
