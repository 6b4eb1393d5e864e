#include "math/vector3.h"

#include <gtest/gtest.h>

#include "support/vector3_expect.h"

namespace wobblux {
namespace {

using testing::expectExactly;

TEST(Vector3, DefaultIsZeroIncludingArrayElements) {
    expectExactly(Vector3{}, 0.0f, 0.0f, 0.0f);
    Vector3 many[3];
    for (const Vector3& v : many) {
        expectExactly(v, 0.0f, 0.0f, 0.0f);
    }
}

TEST(Vector3, ArithmeticReturnsNewValuesAndLeavesOperandsAlone) {
    const Vector3 a{1.0f, 2.0f, 3.0f};
    const Vector3 b{4.0f, 5.0f, 6.0f};
    expectExactly(a + b, 5.0f, 7.0f, 9.0f);
    expectExactly(b + a, 5.0f, 7.0f, 9.0f);
    expectExactly(a - a, 0.0f, 0.0f, 0.0f);
    expectExactly(a * 2.0f, 2.0f, 4.0f, 6.0f);
    expectExactly(a, 1.0f, 2.0f, 3.0f);
    EXPECT_EQ(a.dot(b), 32.0f);
}

TEST(Vector3, ArithmeticRoundsToFloatAtEveryStep) {
    // 1e8 + 1 is not a float; in double the sum would keep the 1 and the difference would be 1.
    const Vector3 big{1e8f, 0.0f, 0.0f};
    const Vector3 one{1.0f, 0.0f, 0.0f};
    EXPECT_EQ(((big + one) - big).x, 0.0f);
}

TEST(Vector3, CrossProductIsRightHanded) {
    const Vector3 x{1.0f, 0.0f, 0.0f};
    const Vector3 y{0.0f, 1.0f, 0.0f};
    expectExactly(x.cross(y), 0.0f, 0.0f, 1.0f);
    expectExactly(y.cross(x), 0.0f, 0.0f, -1.0f);
    expectExactly(Vector3(2.0f, 3.0f, 4.0f).cross({5.0f, 6.0f, 7.0f}), -3.0f, 6.0f, -3.0f);
}

TEST(Vector3, LengthAndNormalize) {
    Vector3 v{3.0f, 4.0f, 0.0f};
    EXPECT_EQ(v.length(), 5.0f);
    v.normalize();
    expectExactly(v, 3.0f / 5.0f, 4.0f / 5.0f, 0.0f);
}

TEST(Vector3, NormalizeLeavesVectorsShorterThanATenthAlone) {
    Vector3 zero;
    zero.normalize();
    expectExactly(zero, 0.0f, 0.0f, 0.0f);

    Vector3 shortOne{0.0f, 0.09f, 0.0f};
    shortOne.normalize();
    expectExactly(shortOne, 0.0f, 0.09f, 0.0f);

    // The float nearest 0.1 lies just above the double 0.1, so it is long enough.
    Vector3 tenth{0.0f, 0.1f, 0.0f};
    tenth.normalize();
    expectExactly(tenth, 0.0f, 1.0f, 0.0f);

    // Just below the double 0.1 as a float: left alone.
    const float belowTenth = 0.099999994f;
    ASSERT_LT(static_cast<double>(belowTenth), 0.1);
    Vector3 justShort{belowTenth, 0.0f, 0.0f};
    justShort.normalize();
    expectExactly(justShort, belowTenth, 0.0f, 0.0f);
}

TEST(Vector3, SetReplacesAllComponents) {
    Vector3 v{1.0f, 2.0f, 3.0f};
    v.set(-1.0f, 0.5f, 7.0f);
    expectExactly(v, -1.0f, 0.5f, 7.0f);
}

}  // namespace
}  // namespace wobblux
