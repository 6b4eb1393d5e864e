#pragma once

#include <array>
#include <cstdint>

#include "math/triple.h"

namespace wobblux {

// The darts' three behaviours; values as the rest of the system knows them.
inline constexpr std::int32_t Wander = 101;
inline constexpr std::int32_t Leap = 102;
inline constexpr std::int32_t Flee = 103;

// One mover. Vectors are x, y, z doubles with y up; positions in scene units, velocities in
// scene units per tick, counters in ticks.
struct Dart {
    using Triple = ::wobblux::Triple;

    Triple position;             // centre of the dart
    Triple velocity;             // motion per tick
    Triple colour;               // r, g, b; never changes
    Triple heading;              // where the drawing points the dart
    Triple up;                   // the dart's up direction; always (0, 1, 0)
    std::int32_t state;          // Wander, Leap or Flee
    std::int32_t retargetTicks;  // Wander ticks since the target was last picked
    Triple direction;            // scratch vector of one step; carries nothing between ticks
    Triple target;               // the point Wander steers towards
    std::int32_t leapTicks;      // ticks of motion in the current leap
    Triple savedHeading;         // heading at the start of the current leap, restored at its end
};

// The five darts. Each wanders towards random targets, may leap when near the sheet's height,
// and flees outwards, then circles, while the sheet is excited.
struct DartGroup {
    static constexpr std::int32_t kDartCount = 5;

    std::array<Dart, kDartCount> darts;

    // Places and colours the darts and draws one random starting velocity for each.
    // Does not seed the generator.
    DartGroup();
    // The scene has one group, created once; a copy could only be a mistake.
    DartGroup(const DartGroup&) = delete;
    DartGroup& operator=(const DartGroup&) = delete;

    // Advances every dart one tick. sheetHeight is the height of the sheet's centre point;
    // any non-zero `excited` counts as set.
    void step(double sheetHeight, std::uint8_t excited);

    // Draws each dart as a pyramid pointing along its heading (GL).
    void draw() const;
};

}  // namespace wobblux
