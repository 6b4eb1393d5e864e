#include "jelly/mass_point.h"

namespace wobblux {
namespace {

// A force longer than 1 brightens the point; this long or shorter dims it. Its length rounds
// above 1 exactly when its squares exceed the float after 1, so no square root is needed.
constexpr float kGlowSquaredThreshold = 0x1.000002p0f;
// Change of red and green per step, in float like the rest of the sheet.
constexpr float kGlowStep = 0.01f;

}  // namespace

MassPoint::MassPoint(float px, float py, float pz, float vx, float vy, float vz, float mass,
                     float red, float green, float blue)
    : mass(mass), position(px, py, pz), velocity(vx, vy, vz), colour(red, green, blue) {}

void MassPoint::attachSpring(Spring* spring) {
    auto link = std::make_unique<SpringLink>();
    link->spring = spring;
    if (springs == nullptr) {
        springs = std::move(link);
    } else {
        SpringLink* last = springs.get();
        for (std::int32_t i = 1; i < springCount; ++i) {
            last = last->next.get();
        }
        last->next = std::move(link);
    }
    springCount = springCount + 1;
}

void MassPoint::step() {
    if (pinned) {
        return;
    }

    if (force.squaredLength() > kGlowSquaredThreshold) {
        colour.x = colour.x + kGlowStep;
        colour.y = colour.y + kGlowStep;
    } else {
        colour.x = colour.x - kGlowStep;
        colour.y = colour.y - kGlowStep;
    }
    // Red decides for both red and green.
    if (colour.x < 0.0f) {
        colour.x = 0.0f;
        colour.y = 0.0f;
    }
    if (colour.x > 1.0f) {
        colour.x = 1.0f;
        colour.y = 1.0f;
    }

    if (bounceY) {
        velocity.x = 0.0f;
        velocity.z = 0.0f;
        // The bounds are doubles, so the height is compared in double; strict on both sides.
        const double height = position.y;
        if (height > maxY && velocity.y > 0.0f) {
            velocity.y = -velocity.y;
        }
        if (height < minY && velocity.y < 0.0f) {
            velocity.y = -velocity.y;
        }
    }
    if (xOnly) {
        velocity.y = 0.0f;
        velocity.z = 0.0f;
    }
    if (zOnly) {
        velocity.x = 0.0f;
        velocity.y = 0.0f;
    }

    // Explicit Euler: the move uses the velocity from before this step's force.
    position = position + velocity * kTimeStep;
    const float reciprocalMass = 1.0f / mass;  // rounded to float once, then multiplied
    acceleration = force * reciprocalMass;
    velocity = velocity + acceleration * kTimeStep;
    if (halveVelocity) {
        velocity = velocity * 0.5f;
    }
    halveVelocity = false;
    force = Vector3{};
}

}  // namespace wobblux
