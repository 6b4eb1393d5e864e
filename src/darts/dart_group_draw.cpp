#include <GL/gl.h>

#include "darts/dart_group.h"

namespace wobblux {
namespace {

// Apex and base centre lie this many headings ahead of and behind the centre; the base
// corners lie this many ups and unit sides from the base centre.
constexpr double kPyramidScale = 10.0;
// Side vector for a heading with no part across up (for example a zero heading): the side
// that a level +x heading gives, so such a dart is still drawn.
constexpr Triple kFallbackSide{0.0, 0.0, 1.0};

// Unit vector across heading and up: heading x up, divided by its own length.
Triple unitSide(const Triple& heading, const Triple& up) {
    const Triple side = cross(heading, up);
    const double sideLength = length(side);
    if (sideLength == 0.0) {
        return kFallbackSide;
    }
    return divided(side, sideLength);
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
    const Triple apex = addScaled(dart.position, kPyramidScale, dart.heading);
    const Triple baseCentre = subtractScaled(dart.position, kPyramidScale, dart.heading);
    const Triple side = unitSide(dart.heading, dart.up);
    const Triple a = addScaled(baseCentre, kPyramidScale, dart.up);
    const Triple b = subtractScaled(baseCentre, kPyramidScale, dart.up);
    const Triple e = addScaled(baseCentre, kPyramidScale, side);
    const Triple f = subtractScaled(baseCentre, kPyramidScale, side);

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
