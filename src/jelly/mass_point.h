#pragma once

#include <cstdint>
#include <memory>

#include "math/vector3.h"

namespace wobblux {

struct Spring;

// One node of a point's list of attached springs. The point owns the nodes, not the springs.
struct SpringLink {
    Spring* spring = nullptr;          // the attached spring
    std::unique_ptr<SpringLink> next;  // the following node; empty at the tail
};

// A point mass of the jelly sheet. Springs and the sheet's jostling add to `force`; step()
// turns the accumulated force into motion by explicit Euler integration and clears it.
// `mass` must be non-zero: step() divides by it unguarded (the sheet always uses 1).
struct MassPoint {
    // Fixed integration time step, in time units per tick.
    static constexpr float kTimeStep = 0.24f;

    std::int32_t springCount = 0;         // springs recorded by attachSpring()
    std::unique_ptr<SpringLink> springs;  // attached springs, in order of attachment
    bool halveVelocity = false;  // one-shot: halve the velocity at the end of the next step
    bool pinned = false;         // step() does nothing at all
    bool xOnly = false;          // moves along x only
    bool bounceY = false;        // moves along y only and turns back at minY and maxY
    bool zOnly = false;          // moves along z only
    double minY = 70.0;          // lower turning height for bounceY, scene units
    double maxY = 80.0;          // upper turning height for bounceY, scene units
    float mass;                  // mass; never zero
    Vector3 position;            // scene units; y is height
    Vector3 velocity;            // scene units per time unit
    Vector3 acceleration;        // force / mass as of the last step
    Vector3 force;               // sum of the forces added since the last step
    Vector3 colour;              // red, green, blue in x, y, z

    MassPoint(float px, float py, float pz, float vx, float vy, float vz, float mass, float red,
              float green, float blue);
    // Springs hold the point's address: a copy would not be attached to them.
    MassPoint(const MassPoint&) = delete;
    MassPoint& operator=(const MassPoint&) = delete;

    // Records the spring at the tail of this point's list.
    void attachSpring(Spring* spring);

    // The per-tick update: glow, constraints, move, accelerate, clear the force.
    void step();
};

}  // namespace wobblux
