#pragma once

#include <cstdint>

#include "app/random.h"

namespace wobblux::testing {

// The generator's draw number `index`, counted from 0, after seeding it with `seed`: what a
// simulation should have drawn there. Leaves the generator just after that draw.
inline int drawAfterSeeding(std::uint32_t seed, int index) {
    wobblux::srand(seed);
    for (int i = 0; i < index; ++i) {
        wobblux::rand();
    }
    return wobblux::rand();
}

}  // namespace wobblux::testing
