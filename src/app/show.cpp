#include "app/show.h"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/simulations.h"

namespace wobblux {
namespace {

// Where the show's pointer takes hold of the scene, in window pixels. Only the direction of
// each move counts, so any window size will do.
constexpr int kGripX = 100;
constexpr int kGripY = 100;

// The pointer while the show drags: it moves one pixel down on each of the first ticks (the
// tilt) and one pixel right every few ticks (the turn), starting again from kGripX each cycle.
int pointerX(std::int64_t cycleTick) {
    return kGripX + 1 + static_cast<int>(cycleTick / kShowTurnEveryTicks);
}
int pointerY(std::int64_t tick) {
    return kGripY + static_cast<int>(std::min(tick + 1, kShowTiltSteps));
}

// Takes the pointer back to kGripX without turning anything. Lifting the mouse and putting it
// down again would turn the view back a step, since the first move of a drag is compared with
// the last move of the drag before; moving back with the middle button held, at the same
// height, changes nothing, as the middle button only zooms, and only by vertical moves.
void moveBackToTheGrip(int y) {
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, app.lastX, y);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, app.lastX, y);
    onMotion(kGripX, y);
    onMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, kGripX, y);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, kGripX, y);
}

// A turn in degrees. The show turns the view a degree every few ticks for as long as it runs, so
// left alone the angle would reach millions of degrees within days: GL works in single precision,
// where the steps of such an angle are no longer even (and at 2^24 degrees, a month in, adding a
// degree changes nothing). Whole turns change nothing in the picture, so the show drops them.
constexpr float kTurnDegrees = 360.0f;

// The same angle within one turn of zero, with the sign it had. fmod is exact, so an angle of
// whole degrees stays whole degrees.
float withinOneTurn(float degrees) {
    return std::fmod(degrees, kTurnDegrees);
}

std::int64_t nextShowTick = 0;

}  // namespace

void playShowInput(std::int64_t tick) {
    const std::int64_t cycleTick = tick % kShowCycleTicks;
    const int y = pointerY(tick);
    if (tick == 0) {
        onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, kGripX, kGripY);
    } else if (cycleTick == 0) {
        moveBackToTheGrip(y);
    }
    if (tick < kShowTiltSteps || cycleTick % kShowTurnEveryTicks == 0) {
        onMotion(pointerX(cycleTick), y);
    }
    if (cycleTick == kShowExciteTick || cycleTick == kShowCalmTick) {
        onKeyboard(' ', pointerX(cycleTick), y);
    }
    app.yaw = withinOneTurn(app.yaw);
    app.pitch = withinOneTurn(app.pitch);
}

void onShowTick(int /*value*/) {
    playShowInput(nextShowTick++);
    advanceSimulations(*app.sheet, *app.fountain, *app.dartGroup);
    glutPostRedisplay();
    glutTimerFunc(kTickMilliseconds, onShowTick, kTickTimerValue);
}

}  // namespace wobblux
