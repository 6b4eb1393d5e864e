#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "jelly/mass_point.h"
#include "jelly/spring.h"
#include "math/vector3.h"

namespace wobblux {

// The 15 x 15 mass-spring sheet. Point (row i, column j) is at index i*15 + j; each point is
// joined to the next in its row and the next in its column. Border points move only
// vertically and turn back at fixed heights; every tick all points get small random vertical
// kicks, and while `excited` is set the centre point is pushed upwards.
struct JellySheet {
    static constexpr std::int32_t kGridSize = 15;
    static constexpr std::int32_t kPointCount = kGridSize * kGridSize;               // 225
    static constexpr std::int32_t kRowSpringCount = kGridSize * (kGridSize - 1);     // 210
    static constexpr std::int32_t kColumnSpringCount = (kGridSize - 1) * kGridSize;  // 210
    static constexpr std::int32_t kCentreIndex = 112;  // row 7, column 7

    std::array<std::unique_ptr<MassPoint>, kPointCount> points;
    // Index i*14 + j joins point (i, j) to point (i, j+1).
    std::array<std::unique_ptr<Spring>, kRowSpringCount> rowSprings;
    // Index i*15 + j joins point (i, j) to point (i+1, j).
    std::array<std::unique_ptr<Spring>, kColumnSpringCount> columnSprings;
    // One lighting normal per point; only the interior ones are ever recomputed.
    std::array<Vector3, kPointCount> normals;
    // Toggled by the user; 1 while the sheet is excited.
    std::uint8_t excited = 0;

    // The random kicks of one clock second. Every tick that begins within the same second
    // re-seeds with the same value and so draws the same 450 numbers: jitter() draws them once
    // and replays them until the clock's second changes.
    struct SecondKicks {
        bool drawn = false;                      // false until the first jitter()
        std::uint32_t seed = 0;                  // the clock value they were drawn from
        std::uint32_t stateAfter = 0;            // the generator's state after the 450 draws
        std::array<double, kPointCount> down{};  // subtracted from each point's force y first
        std::array<double, kPointCount> up{};    // then added to it
    };
    SecondKicks kicks;

    // Builds the grid from the start corner (point (0, 0)) to the end corner (point (14, 14)).
    // x advances along a row, y and z down the rows. The two counts are accepted for the
    // caller's convenience but the grid is always 15 x 15. Throws std::bad_alloc if memory
    // runs out.
    JellySheet(double x0, double y0, double z0, double x1, double y1, double z1,
               double pointsPerRow, double pointsPerColumn);
    // Springs and links point into the sheet's points: a copy would share them.
    JellySheet(const JellySheet&) = delete;
    JellySheet& operator=(const JellySheet&) = delete;

    // Advances the sheet one tick: jitter, spring forces, point steps, normals.
    void step();

    // Re-seeds the generator from the clock and gives every point a random vertical kick. The
    // generator is left as 450 draws from the clock's seed leave it, whether or not they are
    // replayed from `kicks`.
    void jitter();

    // Recomputes the interior normals from the positions and normalizes them; the border
    // normals keep the (0, 0, 1) of construction.
    void computeNormals();

    // Draws the sheet as 14 lit, translucent triangle strips (GL; defined in the draw file).
    void draw() const;
};

}  // namespace wobblux
