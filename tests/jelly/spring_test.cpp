#include "jelly/spring.h"

#include <gtest/gtest.h>

#include "support/vector3_expect.h"

namespace wobblux {
namespace {

using testing::expectExactly;

MassPoint restingAt(float x, float y, float z) {
    return MassPoint(x, y, z, 0, 0, 0, 1, 0, 0, 1);
}

// pointA at the origin and pointB at (12, 0, 0) on a spring of rest length 10.
struct StretchedSpring : ::testing::Test {
    MassPoint a = restingAt(0, 0, 0);
    MassPoint b = restingAt(10, 0, 0);
    Spring spring{&a, &b, 1.0f, 1.0f};

    void SetUp() override { b.position.x = 12.0f; }
};

TEST(Spring, RestLengthIsTheDistanceWhicheverPointComesFirst) {
    MassPoint p = restingAt(1, 1, 1);
    MassPoint q = restingAt(3, 4, 7);  // (2, 3, 6) apart: 7 units
    EXPECT_EQ(Spring(&p, &q, 1, 1).restLength, 7.0f);
    EXPECT_EQ(Spring(&q, &p, 1, 1).restLength, 7.0f);
}

TEST(Spring, ConstructionAttachesTheSpringToBothPoints) {
    MassPoint p = restingAt(0, 0, 0);
    MassPoint q = restingAt(1, 0, 0);
    const Spring spring(&p, &q, 2.0f, 3.0f);
    EXPECT_EQ(spring.pointA, &p);
    EXPECT_EQ(spring.pointB, &q);
    EXPECT_EQ(spring.stiffness, 2.0f);
    EXPECT_EQ(spring.damping, 3.0f);
    ASSERT_EQ(p.springCount, 1);
    ASSERT_EQ(q.springCount, 1);
    EXPECT_EQ(p.springs->spring, &spring);
    EXPECT_EQ(q.springs->spring, &spring);
}

TEST(Spring, AtRestLengthWithEqualVelocitiesAddsNothing) {
    MassPoint p = restingAt(1, 2, 3);
    MassPoint q = restingAt(4, -2, 15);
    Spring spring(&p, &q, 1, 1);
    p.velocity = q.velocity = {0.5f, -1.0f, 2.0f};
    spring.applyForce();
    expectExactly(p.force, 0, 0, 0);
    expectExactly(q.force, 0, 0, 0);
}

TEST_F(StretchedSpring, PullsBothPointsTogether) {
    spring.applyForce();
    expectExactly(a.force, 2, 0, 0);
    expectExactly(b.force, -2, 0, 0);
}

TEST_F(StretchedSpring, DampsMotionAlongTheSpring) {
    b.velocity = {1, 0, 0};
    spring.applyForce();
    expectExactly(a.force, 3, 0, 0);
    expectExactly(b.force, -3, 0, 0);
}

TEST_F(StretchedSpring, IgnoresMotionAcrossTheSpring) {
    b.velocity = {0, 1, 0};
    spring.applyForce();
    expectExactly(a.force, 2, 0, 0);
    expectExactly(b.force, -2, 0, 0);
}

TEST_F(StretchedSpring, AddsToForcesAlreadyThere) {
    a.force = {0, 1, 0};
    b.force = {0, 0, 1};
    spring.applyForce();
    expectExactly(a.force, 2, 1, 0);
    expectExactly(b.force, -2, 0, 1);
}

TEST_F(StretchedSpring, NearlyCoincidentPointsUseTheRawDifferenceAsDirection) {
    b.position.x = 0.05f;
    spring.applyForce();
    // (0.05, 0, 0) is too short to normalise, so the stretch of -9.95 is scaled by 0.05.
    const float expected = 0.05f * (0.05f - 10.0f);
    EXPECT_NEAR(expected, -0.4975f, 1e-6f);
    expectExactly(a.force, expected, 0, 0);
    expectExactly(b.force, -expected, 0, 0);
}

TEST_F(StretchedSpring, CoincidentPointsGetNoForce) {
    b.position = a.position;
    b.velocity = {1, 2, 3};
    spring.applyForce();
    expectExactly(a.force, 0, 0, 0);
    expectExactly(b.force, 0, 0, 0);
}

TEST(Spring, PointsAlwaysReceiveExactlyOppositeForces) {
    MassPoint p = restingAt(0.3f, -1.7f, 2.9f);
    MassPoint q = restingAt(5.1f, 3.3f, -4.4f);
    Spring spring(&p, &q, 1.3f, 0.7f);
    q.position = {6.2f, 2.9f, -3.1f};
    p.velocity = {0.11f, -0.37f, 0.05f};
    q.velocity = {-0.23f, 0.41f, 0.19f};
    spring.applyForce();
    expectExactly(q.force, -p.force.x, -p.force.y, -p.force.z);
    EXPECT_GT(p.force.length(), 0.0f);
}

}  // namespace
}  // namespace wobblux
