// Registration of the program's callbacks and the one place input reaches them.

#include <GL/glut.h>

#include "web/glut_web.h"

namespace wobblux::web {

Callbacks callbacks;

namespace {

// Where the pointer was last seen; GLUT hands it to the keyboard callback.
CanvasPoint pointer;

}  // namespace

void deliverButton(int button, int state, CanvasPoint at) {
    pointer = at;
    if (callbacks.mouse != nullptr) {
        callbacks.mouse(button, state, at.x, at.y);
    }
}

void deliverMotion(CanvasPoint at) {
    pointer = at;
    if (callbacks.motion != nullptr) {
        callbacks.motion(at.x, at.y);
    }
}

void notePointer(CanvasPoint at) {
    pointer = at;
}

void deliverKey(unsigned char key) {
    if (callbacks.keyboard != nullptr) {
        callbacks.keyboard(key, pointer.x, pointer.y);
    }
}

}  // namespace wobblux::web

// The GLUT entry points keep their C names: the program calls them as it calls freeglut's.

void glutDisplayFunc(void (*callback)()) {
    wobblux::web::callbacks.display = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    wobblux::web::callbacks.reshape = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    wobblux::web::callbacks.keyboard = callback;
}

void glutMouseFunc(void (*callback)(int, int, int, int)) {
    wobblux::web::callbacks.mouse = callback;
}

void glutMotionFunc(void (*callback)(int, int)) {
    wobblux::web::callbacks.motion = callback;
}
