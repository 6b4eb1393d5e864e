// The platform-independent half of the screen-saver backend: the core's timers on the monotonic
// clock, and the one window's frames.

#include "saver/glut_saver.h"

#include <GL/glut.h>

#include "glut/program.h"
#include "glut/timers.h"
#include "glut/window_frames.h"

namespace wobblux::saver {
namespace {

glut::WindowFrames frames;

}  // namespace

void runDueTimers() {
    glut::runDueTimers(glut::Clock::now());
}

unsigned int displayMode() {
    return glut::program.displayMode;
}

void noteWindowSize(int width, int height) {
    frames.noteSize(width, height);
}

void requestDisplay() {
    frames.requestDisplay();
}

bool takeDisplayRequest() {
    return frames.takeDisplayRequest();
}

void runDueWork() {
    runDueTimers();
    frames.run();
}

int millisecondsToNextTimer() {
    return glut::millisecondsToNextTimer(glut::Clock::now());
}

}  // namespace wobblux::saver

// The GLUT entry points keep their C names: the program calls them as it calls freeglut's.

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    wobblux::glut::bookTimer(milliseconds, callback, value, wobblux::glut::Clock::now());
}

void glutPostRedisplay() {
    wobblux::saver::frames.requestDisplay();
}
