#pragma once

#include "jelly/mass_point.h"

namespace wobblux {

// A damped linear spring between two point masses. It never moves its points; applyForce()
// adds equal and opposite forces to them, which their step() turns into motion.
struct Spring {
    float stiffness;   // force per unit of stretch
    float damping;     // force per unit of opening speed
    float restLength;  // length without stretch force, fixed at construction, scene units
    MassPoint* pointA;
    MassPoint* pointB;

    // Takes the rest length from the points' current distance and attaches itself to
    // pointA, then pointB.
    Spring(MassPoint* pointA, MassPoint* pointB, float stiffness, float damping);
    // Its points list it by address: a copy would be attached to nothing.
    Spring(const Spring&) = delete;
    Spring& operator=(const Spring&) = delete;

    // Adds this tick's stretch and damping force to both points' force.
    void applyForce();
};

}  // namespace wobblux
