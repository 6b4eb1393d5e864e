#include "darts/dart_group.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/random.h"

namespace wobblux {
namespace {

using Triple = Dart::Triple;

constexpr double kHighSheet = 1000.0;  // far above every dart: no leap draws

std::vector<int> replay(std::uint32_t seed, int count) {
    wobblux::srand(seed);
    std::vector<int> draws(static_cast<std::size_t>(count));
    for (int& draw : draws) {
        draw = wobblux::rand();
    }
    return draws;
}

// No target due for 50 Wander ticks; every dart far below a sheet at height 0.
void settle(DartGroup& group) {
    for (Dart& dart : group.darts) {
        dart.retargetTicks = 0;
        dart.position[1] = -100.0;
    }
}

TEST(DartGroup, ConstructionDrawsFiveVelocitiesThenFirstStepFifteenTargetCoordinates) {
    const std::vector<int> draws = replay(4242, 21);
    wobblux::srand(4242);
    DartGroup group;
    for (std::size_t i = 0; i < group.darts.size(); ++i) {
        const double v = draws[i] / 32767.0 - 0.5;
        EXPECT_EQ(group.darts[i].velocity, (Triple{v, v, v}));
    }
    group.step(kHighSheet, 0);
    EXPECT_EQ(wobblux::rand(), draws[20]);
    for (std::size_t i = 0; i < group.darts.size(); ++i) {
        const Dart& dart = group.darts[i];
        const int* r = &draws[5 + 3 * i];
        EXPECT_EQ(dart.target, (Triple{r[0] / 32767.0 * 200 - 100, r[1] / 32767.0 * 180 - 90,
                                       r[2] / 32767.0 * 200 - 100}));
        EXPECT_NEAR(std::hypot(dart.velocity[0], dart.velocity[1], dart.velocity[2]), 1.0, 1e-15);
    }
}

TEST(DartGroup, LeapDrawIsMadeAboveTheLineEvenWhileLeapingAndHoldsBelowOneFifth) {
    for (const int secondDraw : {6553, 6554}) {
        // The first draw would start a leap: it must not restart dart 0's.
        std::uint32_t seed = 0;
        while (replay(seed, 2)[0] >= 6554 || replay(seed, 2)[1] != secondDraw) {
            ++seed;
        }
        DartGroup group;
        settle(group);
        group.darts[0].position[1] = 0.0;
        group.darts[0].state = Leap;
        group.darts[0].leapTicks = 5;
        group.darts[1].position[1] = -20.0;  // on the line: Y + 20 is not above 0
        group.darts[2].position[1] = -19.5;
        const int next = replay(seed, 3)[2];
        wobblux::srand(seed);
        group.step(0.0, 0);
        EXPECT_EQ(wobblux::rand(), next);
        EXPECT_EQ(group.darts[0].leapTicks, 6);
        EXPECT_EQ(group.darts[2].state, secondDraw == 6553 ? Leap : Wander);
    }
}

TEST(DartGroup, LeapIgnoresExcitementForSixtyOneTicksThenWandersOnceThenFlees) {
    DartGroup group;
    settle(group);
    Dart& dart = group.darts[0];
    dart.position = {0.0, 0.0, 0.0};
    dart.velocity = {0.6, 0.0, 0.8};
    wobblux::srand(1);  // first draw 41: the chance holds
    group.step(0.0, 0);
    EXPECT_EQ(dart.savedHeading, (Triple{1.0, 0.0, 0.0}));
    for (int tick = 2; tick <= 61; ++tick) {
        group.step(kHighSheet, 1);
        EXPECT_NEAR(dart.velocity[1], 3.0 - 0.1 * tick, 1e-12);
        if (tick == 30) {
            EXPECT_NEAR(dart.position[1], 43.5, 1e-12);
        }
    }
    EXPECT_EQ(dart.state, Leap);
    EXPECT_EQ(dart.heading, dart.velocity);
    EXPECT_NEAR(dart.position[1], -6.1, 1e-12);
    EXPECT_NEAR(dart.position[0], 61 * 0.6, 1e-12);
    group.step(kHighSheet, 1);
    EXPECT_EQ(dart.state, Wander);
    EXPECT_EQ(dart.heading[1], 0.0);   // the saved level heading came back
    EXPECT_EQ(dart.retargetTicks, 1);  // leap ticks did not count
    group.step(kHighSheet, 1);
    EXPECT_EQ(dart.state, Flee);
}

TEST(DartGroup, TargetsAreRepickedAfterFiftyOneWanderTicksNotCountingFlee) {
    wobblux::srand(7);
    DartGroup group;
    const Dart& dart = group.darts[4];
    for (int tick = 0; tick < 50; ++tick) {
        group.step(kHighSheet, 0);
    }
    const Triple first = dart.target;
    for (int tick = 0; tick < 3; ++tick) {
        group.step(kHighSheet, 1);
    }
    group.step(kHighSheet, 0);
    EXPECT_EQ(dart.retargetTicks, 51);
    EXPECT_EQ(dart.target, first);
    group.step(kHighSheet, 0);
    EXPECT_NE(dart.target, first);
}

TEST(DartGroup, FleeKeepsHeightMovesOutwardsUpToEightyThenCircles) {
    DartGroup group;
    settle(group);
    group.darts[0].position = {0.0, 0.0, 0.0};  // no outward direction: flees along +x
    group.darts[1].position = {48.0, 64.0, 0.0};
    group.darts[2].position = {60.0, 10.0, 80.0};
    group.step(kHighSheet, 1);
    EXPECT_EQ(group.darts[0].position, (Triple{3.0, 0.0, 0.0}));
    EXPECT_EQ(group.darts[1].position, (Triple{48.0 + 3 * (48.0 / 80.0), 64.0, 0.0}));
    const double d = std::sqrt(60.0 * 60.0 + 10.0 * 10.0 + 80.0 * 80.0);
    EXPECT_EQ(group.darts[2].velocity, (Triple{-(80.0 / d), 0.0, 60.0 / d}));
    EXPECT_EQ(group.darts[2].position[1], 10.0);
}

TEST(DartGroup, WanderSteersUpWhenOnTargetAndMovesAlongXWhenSteeringCancelsVelocity) {
    DartGroup group;
    settle(group);
    Dart& onTarget = group.darts[0];
    onTarget.position = {2.0, 2.0, 2.0};
    onTarget.velocity = {0.0, 0.0, 0.0};
    onTarget.target = {2.0, 2.0, 2.0};
    Dart& cancelled = group.darts[1];
    cancelled.position = {5.0, 5.0, 5.0};
    cancelled.velocity = {0.05, 0.05, 0.05};
    cancelled.target = {0.0, 0.0, 0.0};
    group.step(kHighSheet, 0);
    const double step = 0.05 / std::sqrt(3 * 0.05 * 0.05);
    EXPECT_DOUBLE_EQ(onTarget.position[0], 2.0 + step);
    EXPECT_EQ(cancelled.position, (Triple{6.0, 5.0, 5.0}));
}

}  // namespace
}  // namespace wobblux
