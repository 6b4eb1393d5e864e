#pragma once

#include <bit>
#include <cstdint>

#include "jelly/jelly_sheet.h"

namespace wobblux::testing {

// FNV-1a over the exact bit patterns of every position, velocity, colour and normal.
inline std::uint64_t hashSheetState(const JellySheet& sheet) {
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](float value) {
        const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (bits >> shift) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    auto mixVector = [&mix](const Vector3& v) {
        mix(v.x);
        mix(v.y);
        mix(v.z);
    };
    for (int k = 0; k < JellySheet::kPointCount; ++k) {
        const MassPoint& p = *sheet.points[k];
        mixVector(p.position);
        mixVector(p.velocity);
        mixVector(p.colour);
        mixVector(sheet.normals[k]);
    }
    return hash;
}

}  // namespace wobblux::testing
