#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "darts/dart_group.h"
#include "fountain/spark_fountain.h"
#include "jelly/jelly_sheet.h"

namespace wobblux::testing {

// FNV-1a over the exact bit patterns of the values added, lowest byte first. Recorded hashes
// pin a simulation's results bit for bit.
class StateHash {
  public:
    template <typename Number>
    void add(Number value) {
        using Bits = std::conditional_t<sizeof(Number) == 8, std::uint64_t, std::uint32_t>;
        // memcpy rather than std::bit_cast: the browser build's standard library lacks it.
        Bits bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (unsigned shift = 0; shift < 8 * sizeof bits; shift += 8) {
            hash_ = (hash_ ^ ((bits >> shift) & 0xffu)) * 1099511628211ull;
        }
    }
    void add(const Vector3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void add(const std::array<double, 3>& v) {
        for (double component : v) add(component);
    }

    // Every point's position, velocity and colour, and every normal.
    void add(const JellySheet& sheet) {
        for (int k = 0; k < JellySheet::kPointCount; ++k) {
            const MassPoint& p = *sheet.points[k];
            add(p.position);
            add(p.velocity);
            add(p.colour);
            add(sheet.normals[k]);
        }
    }
    // Every slot's position, free or live.
    void add(const SparkFountain& fountain) {
        for (const auto& position : fountain.positions) add(position);
    }
    // Every field a step writes that is set from the first step on.
    void add(const DartGroup& group) {
        for (const Dart& dart : group.darts) {
            for (const auto* v : {&dart.position, &dart.velocity, &dart.heading, &dart.target}) {
                add(*v);
            }
            add(dart.state);
            add(dart.retargetTicks);
            add(dart.leapTicks);
        }
    }

    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

template <typename... States>
std::uint64_t hashOf(const States&... states) {
    StateHash hash;
    (hash.add(states), ...);
    return hash.value();
}

}  // namespace wobblux::testing
