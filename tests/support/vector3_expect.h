#pragma once

#include <gtest/gtest.h>

#include "math/vector3.h"

namespace wobblux::testing {

// Expects every component to be exactly the given float.
inline void expectExactly(const Vector3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

inline void expectExactly(const Vector3& actual, const Vector3& expected) {
    expectExactly(actual, expected.x, expected.y, expected.z);
}

}  // namespace wobblux::testing
