#include "jelly/spring.h"

namespace wobblux {
namespace {

// What normalize() makes of v, given its length(): the same test and the same divisions.
Vector3 normalized(const Vector3& v, float length) {
    if (length < Vector3::kMinNormalizeLength) {
        return v;
    }
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

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
    // One square root serves both the distance and the direction, where normalize() would
    // take it a second time.
    const float distance = delta.length();
    // A delta shorter than 0.1 is kept as it is, so coincident points give no direction and no
    // force rather than a division by zero.
    const Vector3 direction = normalized(delta, distance);
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
