#include "jelly/mass_point.h"

#include <gtest/gtest.h>

#include <cmath>

#include "jelly/spring.h"
#include "support/vector3_expect.h"

namespace wobblux {
namespace {

using testing::expectExactly;

// A blue point of mass 1 at (0, height, 0) with the given velocity.
MassPoint pointAt(float height, float vx, float vy, float vz) {
    return MassPoint(0.0f, height, 0.0f, vx, vy, vz, 1.0f, 0.0f, 0.0f, 1.0f);
}

TEST(MassPoint, ConstructorSetsArgumentsAndDefaults) {
    const MassPoint p(1, 2, 3, 4, 5, 6, 7, 0.25f, 0.5f, 0.75f);
    expectExactly(p.position, 1, 2, 3);
    expectExactly(p.velocity, 4, 5, 6);
    EXPECT_EQ(p.mass, 7.0f);
    expectExactly(p.colour, 0.25f, 0.5f, 0.75f);
    expectExactly(p.acceleration, 0, 0, 0);
    expectExactly(p.force, 0, 0, 0);
    EXPECT_EQ(p.springCount, 0);
    EXPECT_EQ(p.springs, nullptr);
    EXPECT_FALSE(p.halveVelocity || p.pinned || p.xOnly || p.bounceY || p.zOnly);
    EXPECT_EQ(p.minY, 70.0);
    EXPECT_EQ(p.maxY, 80.0);
}

TEST(MassPoint, ForceOfLengthExactlyOneDimsAndLongerBrightens) {
    MassPoint p(0, 0, 0, 0, 0, 0, 1, 0.5f, 0.5f, 1);
    p.force = {1.0f, 0.0f, 0.0f};
    p.step();
    expectExactly(p.colour, 0.5f - 0.01f, 0.5f - 0.01f, 1);

    MassPoint q(0, 0, 0, 0, 0, 0, 1, 0.5f, 0.5f, 1);
    q.force = {std::nextafter(1.0f, 2.0f), 0.0f, 0.0f};
    q.step();
    expectExactly(q.colour, 0.5f + 0.01f, 0.5f + 0.01f, 1);
}

TEST(MassPoint, BluePointNeverPulledHardStaysExactlyBlue) {
    MassPoint p = pointAt(0, 0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        p.force = {0.0f, -0.5f, 0.5f};
        p.step();
        expectExactly(p.colour, 0, 0, 1);
    }
}

TEST(MassPoint, GlowTakes101StepsToClampAtOneAndBackToZero) {
    MassPoint p = pointAt(0, 0, 0, 0);
    for (int i = 0; i < 100; ++i) {
        p.force = {0.0f, 2.0f, 0.0f};
        p.step();
    }
    EXPECT_LT(p.colour.x, 1.0f);
    EXPECT_GT(p.colour.x, 0.99f);
    EXPECT_EQ(p.colour.y, p.colour.x);
    p.force = {0.0f, 2.0f, 0.0f};
    p.step();
    expectExactly(p.colour, 1, 1, 1);

    for (int i = 0; i < 100; ++i) {
        p.step();
    }
    EXPECT_GT(p.colour.x, 0.0f);
    EXPECT_LT(p.colour.x, 0.01f);
    p.step();
    expectExactly(p.colour, 0, 0, 1);
}

TEST(MassPoint, BounceYReversesOnlyBeyondABoundMovingOutwards) {
    struct Case {
        float height;
        float vy;
        float expectedVy;
    };
    // Bounds 70 and 80; comparisons are strict.
    const Case cases[] = {{85, 2, -2}, {85, -2, -2}, {80, 2, 2}, {65, -2, 2},
                          {65, 2, 2},  {70, -2, -2}, {75, 2, 2}, {75, -2, -2}};
    for (const Case& c : cases) {
        MassPoint p = pointAt(c.height, 3, c.vy, 4);
        p.bounceY = true;
        p.step();
        // The reversed velocity is the one used for the move; x and z are cleared first.
        EXPECT_EQ(p.velocity.y, c.expectedVy) << c.height << " " << c.vy;
        EXPECT_EQ(p.position.y, c.height + c.expectedVy * MassPoint::kTimeStep);
        expectExactly({p.position.x, p.velocity.x, p.velocity.z}, 0, 0, 0);
        EXPECT_EQ(p.position.z, 0.0f);
    }
}

TEST(MassPoint, BounceYComparesHeightWithBoundsInDouble) {
    // As floats 80 and the bound are equal; in double the height is above the bound.
    MassPoint p = pointAt(80.0f, 0, 1, 0);
    p.bounceY = true;
    p.maxY = 79.999999999;
    ASSERT_EQ(static_cast<float>(p.maxY), 80.0f);
    p.step();
    EXPECT_EQ(p.velocity.y, -1.0f);
}

TEST(MassPoint, AxisConstraintsKeepOnlyTheirAxis) {
    MassPoint xPoint = pointAt(0, 1, 2, 3);
    xPoint.xOnly = true;
    xPoint.step();
    expectExactly(xPoint.position, 0.24f, 0, 0);

    MassPoint zPoint = pointAt(0, 1, 2, 3);
    zPoint.zOnly = true;
    zPoint.step();
    expectExactly(zPoint.position, 0, 0, 3 * 0.24f);
}

TEST(MassPoint, PinnedPointChangesNothingAndKeepsAccumulatingForce) {
    MassPoint p(1, 2, 3, 4, 5, 6, 1, 0.5f, 0.5f, 1);
    p.pinned = true;
    p.halveVelocity = true;
    p.force = {2, 0, 0};
    p.step();
    p.force = p.force + Vector3{1, 0, 0};
    p.step();
    expectExactly(p.position, 1, 2, 3);
    expectExactly(p.velocity, 4, 5, 6);
    expectExactly(p.colour, 0.5f, 0.5f, 1);
    expectExactly(p.force, 3, 0, 0);
    EXPECT_TRUE(p.halveVelocity);
}

TEST(MassPoint, MoveUsesTheVelocityFromBeforeThisStepsForce) {
    MassPoint p(10, 0, 0, 1, 0, 0, 2, 0, 0, 1);
    p.force = {1, 0, 0};
    p.step();
    expectExactly(p.position, 10 + 0.24f, 0, 0);
    expectExactly(p.acceleration, 0.5f, 0, 0);
    expectExactly(p.velocity, 1 + 0.12f, 0, 0);
    expectExactly(p.force, 0, 0, 0);

    // Without force the velocity stays and the position advances by velocity * 0.24.
    p.step();
    expectExactly(p.position, (10 + 0.24f) + (1 + 0.12f) * 0.24f, 0, 0);
    expectExactly(p.velocity, 1 + 0.12f, 0, 0);
}

TEST(MassPoint, AccelerationMultipliesByTheFloatReciprocalOfMass) {
    MassPoint p(0, 0, 0, 0, 0, 0, 3, 0, 0, 1);
    p.force = {5, 0, 0};
    p.step();
    const float viaReciprocal = 5.0f * (1.0f / 3.0f);
    ASSERT_NE(viaReciprocal, 5.0f / 3.0f);
    EXPECT_EQ(p.acceleration.x, viaReciprocal);
}

TEST(MassPoint, HalveVelocityAppliesToOneStepOnly) {
    MassPoint p = pointAt(0, 2, 0, 0);
    p.halveVelocity = true;
    p.force = {1, 0, 0};
    p.step();
    EXPECT_EQ(p.velocity.x, (2 + 1 * 0.24f) * 0.5f);
    EXPECT_FALSE(p.halveVelocity);
    p.step();
    EXPECT_EQ(p.velocity.x, (2 + 1 * 0.24f) * 0.5f);
}

TEST(MassPoint, AttachSpringKeepsSpringsInCallOrder) {
    MassPoint hub = pointAt(0, 0, 0, 0);
    MassPoint a = pointAt(1, 0, 0, 0);
    MassPoint b = pointAt(2, 0, 0, 0);
    MassPoint c = pointAt(3, 0, 0, 0);
    // Each spring attaches itself to both its points.
    const Spring first(&hub, &a, 1, 1);
    const Spring second(&b, &hub, 1, 1);
    const Spring third(&hub, &c, 1, 1);

    EXPECT_EQ(hub.springCount, 3);
    const Spring* expected[] = {&first, &second, &third};
    const SpringLink* link = hub.springs.get();
    for (const Spring* spring : expected) {
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->spring, spring);
        link = link->next.get();
    }
    EXPECT_EQ(link, nullptr);
    EXPECT_EQ(b.springCount, 1);
    EXPECT_EQ(b.springs->spring, &second);
}

}  // namespace
}  // namespace wobblux
