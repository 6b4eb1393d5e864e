#include <GL/glut.h>

#include "app/app_state.h"
#include "app/callbacks.h"

namespace wobblux {
namespace {

constexpr unsigned char kSpaceKey = ' ';
constexpr float kTurnStepDegrees = 1.0f;  // per motion event, whatever the pointer's travel
constexpr float kZoomStep = 5.0f;         // scene units per motion event

void toggleExcited() {
    std::uint8_t& excited = app.sheet->excited;
    excited = excited == 0 ? 1 : 0;
}

// -1, 0 or +1 as `now` lies before, on or after `before`.
float stepSign(int now, int before) {
    if (now > before) {
        return 1.0f;
    }
    return now < before ? -1.0f : 0.0f;
}

}  // namespace

void onKeyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == kSpaceKey) {
        toggleExcited();
    }
}

// Press and release alike: holding the right button keeps the sheet excited until release.
void onMouse(int button, int /*state*/, int /*x*/, int /*y*/) {
    const bool zoom = button == GLUT_MIDDLE_BUTTON;
    app.zoomMode = zoom ? 1 : 0;
    app.rotateMode = zoom ? 0 : 1;
    if (button == GLUT_RIGHT_BUTTON) {
        toggleExcited();
    }
}

void onMotion(int x, int y) {
    if (app.rotateMode != 0) {
        app.yaw = app.yaw + stepSign(x, app.lastX) * kTurnStepDegrees;
        app.pitch = app.pitch + stepSign(y, app.lastY) * kTurnStepDegrees;
    } else if (app.zoomMode != 0) {
        app.distance = app.distance + stepSign(y, app.lastY) * kZoomStep;
    }
    app.lastX = x;
    app.lastY = y;
}

}  // namespace wobblux
