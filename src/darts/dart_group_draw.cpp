#include <GL/gl.h>

#include <cmath>

#include "darts/dart_group.h"

namespace wobblux {
namespace {

using Triple = Dart::Triple;

// Apex and base centre lie this many headings ahead of and behind the centre; the base
// corners lie this many ups and unit sides from the base centre.
constexpr double kPyramidScale = 10.0;
// Side vector for a heading with no part across up (for example a zero heading): the side
// that a level +x heading gives, so such a dart is still drawn.
constexpr Triple kFallbackSide{0.0, 0.0, 1.0};

// a + scale * b, per axis, in double.
Triple offset(const Triple& a, double scale, const Triple& b) {
    return {a[0] + scale * b[0], a[1] + scale * b[1], a[2] + scale * b[2]};
}

// a - scale * b, per axis, in double.
Triple backOff(const Triple& a, double scale, const Triple& b) {
    return {a[0] - scale * b[0], a[1] - scale * b[1], a[2] - scale * b[2]};
}

// Unit vector across heading and up: heading x up, divided by its own length.
Triple unitSide(const Triple& h, const Triple& u) {
    Triple side{h[1] * u[2] - h[2] * u[1], h[2] * u[0] - h[0] * u[2], h[0] * u[1] - h[1] * u[0]};
    const double length = std::sqrt(side[0] * side[0] + side[1] * side[1] + side[2] * side[2]);
    if (length == 0.0) {
        return kFallbackSide;
    }
    for (double& component : side) {
        component /= length;
    }
    return side;
}

// Narrowed to float only here, in the call.
void vertex(const Triple& v) {
    glVertex3f(static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]));
}

void colour(const Triple& rgb, float alpha) {
    glColor4f(static_cast<float>(rgb[0]), static_cast<float>(rgb[1]), static_cast<float>(rgb[2]),
              alpha);
}

void drawDart(const Dart& dart) {
    const Triple apex = offset(dart.position, kPyramidScale, dart.heading);
    const Triple baseCentre = backOff(dart.position, kPyramidScale, dart.heading);
    const Triple side = unitSide(dart.heading, dart.up);
    const Triple a = offset(baseCentre, kPyramidScale, dart.up);
    const Triple b = backOff(baseCentre, kPyramidScale, dart.up);
    const Triple e = offset(baseCentre, kPyramidScale, side);
    const Triple f = backOff(baseCentre, kPyramidScale, side);

    // Four side faces N-A-F, N-F-B, N-B-E, N-E-A: opaque at the tip, clear at the base.
    glBegin(GL_TRIANGLE_FAN);
    colour(dart.colour, 1.0f);
    vertex(apex);
    colour(dart.colour, 0.0f);
    vertex(a);
    vertex(f);
    vertex(b);
    vertex(e);
    vertex(a);
    glEnd();

    // The base, in the base corners' colour still current.
    glBegin(GL_QUADS);
    vertex(a);
    vertex(f);
    vertex(b);
    vertex(e);
    glEnd();
}

}  // namespace

void DartGroup::draw() const {
    for (const Dart& dart : darts) {
        drawDart(dart);
    }
}

}  // namespace wobblux
