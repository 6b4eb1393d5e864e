#include <GL/glut.h>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/simulations.h"

namespace wobblux {

void onTimerTick(int /*value*/) {
    advanceSimulations(*app.sheet, *app.fountain, *app.dartGroup);
    glutPostRedisplay();
    // Armed only after the work: under load ticks come later, never with larger steps.
    glutTimerFunc(kTickMilliseconds, onTimerTick, kTickTimerValue);
}

}  // namespace wobblux
