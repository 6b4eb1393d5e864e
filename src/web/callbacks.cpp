// The one place input reaches the program's callbacks.

#include "glut/program.h"
#include "web/glut_web.h"

namespace wobblux::web {

using glut::program;

namespace {

// Where the pointer was last seen; GLUT hands it to the keyboard callback.
CanvasPoint pointer;

}  // namespace

void deliverButton(int button, int state, CanvasPoint at) {
    pointer = at;
    if (program.mouse != nullptr) {
        program.mouse(button, state, at.x, at.y);
    }
}

void deliverMotion(CanvasPoint at) {
    pointer = at;
    if (program.motion != nullptr) {
        program.motion(at.x, at.y);
    }
}

void notePointer(CanvasPoint at) {
    pointer = at;
}

void deliverKey(unsigned char key) {
    if (program.keyboard != nullptr) {
        program.keyboard(key, pointer.x, pointer.y);
    }
}

}  // namespace wobblux::web
