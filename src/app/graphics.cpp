#include <GL/glu.h>

#include "app/callbacks.h"

namespace wobblux {
namespace {

constexpr GLfloat kLightAmbient[] = {0.2f, 0.2f, 0.2f, 0.2f};
constexpr GLfloat kLightDiffuse[] = {0.8f, 0.8f, 0.8f, 0.8f};

constexpr double kFieldOfViewDegrees = 60.0;  // vertical
constexpr double kNearPlane = 1.0;            // scene units
constexpr double kFarPlane = 1000.0;          // scene units

}  // namespace

void initGraphics() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glEnable(GL_LIGHT0);
    // From here on glColor sets the front material, so every drawing colour lights correctly.
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

void onReshape(int width, int height) {
    // A window minimised to no height would make the aspect ratio divide by zero.
    if (height == 0) {
        height = 1;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height),
                   kNearPlane, kFarPlane);
    // The next frame places its light under this identity (see onDisplay).
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace wobblux
