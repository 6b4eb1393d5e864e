#include "jelly/spring.h"

namespace wobblux {

Spring::Spring(MassPoint* pointA, MassPoint* pointB, float stiffness, float damping)
    : stiffness(stiffness),
      damping(damping),
      restLength((pointA->position - pointB->position).length()),
      pointA(pointA),
      pointB(pointB) {
    pointA->attachSpring(this);
    pointB->attachSpring(this);
}

void Spring::applyForce() {
    const Vector3 delta = pointB->position - pointA->position;
    // normalize() leaves a delta shorter than 0.1 as it is, so coincident points give no
    // direction and no force rather than a division by zero.
    Vector3 direction = delta;
    direction.normalize();
    const float distance = delta.length();
    const float stretch = (distance - restLength) * stiffness;

    const Vector3 relativeVelocity = pointB->velocity - pointA->velocity;
    const float openingRate = relativeVelocity.dot(direction) * damping;

    const Vector3 stretchForce = direction * stretch;
    const Vector3 dampingForce = direction * openingRate;
    pointA->force = pointA->force + stretchForce * 1.0f;
    pointA->force = pointA->force + dampingForce;
    pointB->force = pointB->force + stretchForce * -1.0f;
    pointB->force = pointB->force + dampingForce * -1.0f;
}

}  // namespace wobblux
