#include "darts/dart_group.h"

#include "app/random.h"

namespace wobblux {
namespace {

constexpr std::int32_t kX = 0;
constexpr std::int32_t kY = 1;
constexpr std::int32_t kZ = 2;

struct DartStart {
    Triple position;
    Triple colour;
};

constexpr std::array<DartStart, DartGroup::kDartCount> kStarts{{
    {{0.0, 0.0, 0.0}, {1.0, 0.0, 0.0}},      // red
    {{50.0, 0.0, 50.0}, {0.0, 1.0, 0.0}},    // green
    {{0.0, -50.0, 50.0}, {1.0, 1.0, 0.0}},   // yellow
    {{50.0, -50.0, 50.0}, {1.0, 0.0, 1.0}},  // magenta
    {{-50.0, -50.0, 0.0}, {0.0, 1.0, 1.0}},  // cyan
}};

constexpr Triple kStartHeading{1.0, 0.0, 0.0};
constexpr Triple kUp{0.0, 1.0, 0.0};
// Both counters start far past their limits, so the first step picks a target and a dart
// that has never leapt is not mid-leap.
constexpr std::int32_t kStartTicks = 9999;
// Offset that centres a random fraction on zero, giving starting speeds in [-0.5, 0.5] per axis.
constexpr double kStartSpeedCentre = 0.5;

// A dart may leap while less than this many units below the sheet's height (or above it).
constexpr double kLeapReach = 20.0;
// Chance per tick of starting a leap, compared strictly against the drawn fraction.
constexpr double kLeapChance = 0.2;
// Upward speed at take-off, in units per tick.
constexpr double kLeapLaunchSpeed = 3.0;
// Speed lost to gravity every leap tick, in units per tick.
constexpr double kGravity = 0.1;
// A leap ends when leapTicks exceeds this, so it moves the dart on 61 ticks.
constexpr std::int32_t kLeapLastTick = 60;

// A new target is picked once retargetTicks exceeds this: every 51 Wander ticks.
constexpr std::int32_t kRetargetAfter = 50;
// Targets lie within +-100 horizontally and +-90 vertically.
constexpr double kTargetHalfWidth = 100.0;
constexpr double kTargetHalfHeight = 90.0;

// Change of each velocity component per Wander tick while steering, in units per tick.
constexpr double kSteerStep = 0.05;

// Distance moved per flee tick, as a multiple of the (unit or level) flee velocity.
constexpr double kFleeSpeed = 3.0;
// Beyond this distance from the origin a fleeing dart circles instead of moving outwards.
constexpr double kFleeRadius = 80.0;
// Outward direction for a dart exactly at the origin, which has none: level, along +x.
constexpr Triple kOriginFleeDirection{1.0, 0.0, 0.0};

// A coordinate in [-halfExtent, halfExtent]; scaled after the division, as the range needs.
double randomCoordinate(double halfExtent) {
    return wobblux::rand() / kRandMax * (2.0 * halfExtent) - halfExtent;
}

// Picks this tick's state before any motion. The leap draw is made whenever the dart is near enough
// to the sheet and excitement does not decide the state first, even while leaping, so later draws
// stay in step.
void chooseState(Dart& dart, double sheetHeight, bool excited) {
    if (excited && dart.state != Leap) {
        dart.state = Flee;
        return;
    }
    bool leapChance = false;
    if (dart.position[kY] + kLeapReach > sheetHeight) {
        leapChance = wobblux::rand() / kRandMax < kLeapChance;
    }
    if (leapChance && dart.state != Leap) {
        dart.state = Leap;
        dart.savedHeading = dart.heading;
        dart.velocity[kY] = kLeapLaunchSpeed;
        dart.leapTicks = 0;
    } else if (dart.state == Leap) {
        if (dart.leapTicks > kLeapLastTick) {
            dart.state = Wander;
            dart.heading = dart.savedHeading;
        }
    } else {
        dart.state = Wander;
    }
}

// Runs whatever the state, but only Wander ticks advance the counter. Draws x, y, z in order.
void retargetIfDue(Dart& dart) {
    if (dart.retargetTicks <= kRetargetAfter) {
        return;
    }
    const double x = randomCoordinate(kTargetHalfWidth);
    const double y = randomCoordinate(kTargetHalfHeight);
    const double z = randomCoordinate(kTargetHalfWidth);
    dart.target = {x, y, z};
    dart.retargetTicks = 0;
}

void flee(Dart& dart) {
    dart.direction = dart.position;
    double distance = length(dart.direction);
    if (distance == 0.0) {
        // At the origin there is no outward direction; take a level one and move along it as
        // a dart at distance 1 would, instead of dividing by zero.
        dart.direction = kOriginFleeDirection;
        distance = 1.0;
    } else {
        dart.direction = divided(dart.direction, distance);
    }

    if (distance > kFleeRadius) {
        // direction x up: the level tangent of the circle about the vertical axis.
        dart.velocity = cross(dart.direction, dart.up);
    } else {
        dart.velocity = dart.direction;
    }

    dart.heading[kX] = dart.velocity[kX];
    dart.heading[kZ] = dart.velocity[kZ];
    // Fleeing is level: the height is kept exactly, whatever the velocity's y.
    dart.position[kX] += kFleeSpeed * dart.velocity[kX];
    dart.position[kZ] += kFleeSpeed * dart.velocity[kZ];
}

void leap(Dart& dart) {
    dart.velocity[kY] -= kGravity;
    dart.leapTicks += 1;
    dart.position = add(dart.position, dart.velocity);
    dart.heading = dart.velocity;
}

void wander(Dart& dart) {
    dart.direction = dart.target;
    for (std::int32_t axis = kX; axis <= kZ; ++axis) {
        if (dart.position[axis] + dart.velocity[axis] > dart.direction[axis]) {
            dart.velocity[axis] -= kSteerStep;
        } else {
            dart.velocity[axis] += kSteerStep;
        }
    }

    const double speed = length(dart.velocity);
    if (speed == 0.0) {
        // Steering cancelled every component exactly (each was +-0.05 pointing away from the
        // target). Keep the promised speed of 1 along the level heading every dart starts with.
        dart.velocity = kStartHeading;
    } else {
        dart.velocity = divided(dart.velocity, speed);
    }

    dart.position = add(dart.position, dart.velocity);
    dart.heading[kX] = dart.velocity[kX];
    dart.heading[kZ] = dart.velocity[kZ];
    dart.retargetTicks += 1;
}

}  // namespace

DartGroup::DartGroup() {
    for (std::int32_t i = 0; i < kDartCount; ++i) {
        Dart& dart = darts[i];
        dart.position = kStarts[i].position;
        dart.colour = kStarts[i].colour;
        // One draw per dart, in index order: the same value on all three axes.
        const double speed = wobblux::rand() / kRandMax - kStartSpeedCentre;
        dart.velocity = {speed, speed, speed};
        dart.heading = kStartHeading;
        dart.up = kUp;
        dart.state = Wander;
        dart.retargetTicks = kStartTicks;
        // Written by the step before they are read; zeroed so no dart holds stray bits.
        dart.direction = {};
        dart.target = {};
        dart.leapTicks = kStartTicks;
        dart.savedHeading = {};
    }
}

void DartGroup::step(double sheetHeight, std::uint8_t excited) {
    for (Dart& dart : darts) {
        chooseState(dart, sheetHeight, excited != 0);
        retargetIfDue(dart);
        if (dart.state == Flee) {
            flee(dart);
        } else if (dart.state == Leap) {
            leap(dart);
        } else {
            wander(dart);
        }
    }
}

}  // namespace wobblux
