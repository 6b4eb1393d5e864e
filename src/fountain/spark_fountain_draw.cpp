#include <GL/gl.h>

#include "fountain/spark_fountain.h"

namespace wobblux {
namespace {

// The streak's opaque head lies this many steps ahead of the spark along its velocity.
constexpr double kHeadSteps = 3.0;

constexpr GLfloat kHeadAlpha = 1.0f;
constexpr GLfloat kTailAlpha = 0.0f;

}  // namespace

void SparkFountain::draw() const {
    // One batch for every streak, even when none is alive.
    glBegin(GL_LINES);
    // Slots from everLiveEnd on have never been live: nothing there to draw.
    for (std::int32_t slot = 0; slot < everLiveEnd; ++slot) {
        if (alive[slot] == 0) {
            continue;
        }
        const Triple& position = positions[slot];
        const Triple& velocity = velocities[slot];
        const Triple& colour = colours[slot];
        const auto red = static_cast<GLfloat>(colour[0]);
        const auto green = static_cast<GLfloat>(colour[1]);
        const auto blue = static_cast<GLfloat>(colour[2]);

        // Computed in double, narrowed to float only for GL.
        glColor4f(red, green, blue, kHeadAlpha);
        const Triple head = addScaled(position, kHeadSteps, velocity);
        glVertex3f(static_cast<GLfloat>(head[0]), static_cast<GLfloat>(head[1]),
                   static_cast<GLfloat>(head[2]));
        glColor4f(red, green, blue, kTailAlpha);
        glVertex3f(static_cast<GLfloat>(position[0]), static_cast<GLfloat>(position[1]),
                   static_cast<GLfloat>(position[2]));
    }
    glEnd();
}

}  // namespace wobblux
