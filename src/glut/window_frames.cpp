#include "glut/window_frames.h"

#include <GL/glut.h>

#include "glut/program.h"

namespace wobblux::glut {

void reshape(int width, int height) {
    if (program.reshape != nullptr) {
        program.reshape(width, height);
    } else {
        glViewport(0, 0, width, height);
    }
}

void display() {
    if (program.display != nullptr) {
        program.display();
    }
}

void WindowFrames::noteSize(int newWidth, int newHeight) {
    if (newWidth != width || newHeight != height) {
        width = newWidth;
        height = newHeight;
        reshapeDue = true;
        displayDue = true;
    }
}

bool WindowFrames::takeDisplayRequest() {
    const bool due = displayDue;
    displayDue = false;  // cleared before the display runs, so that it may ask again
    return due;
}

void WindowFrames::run() {
    if (reshapeDue) {
        reshapeDue = false;
        reshape(width, height);
    }
    if (takeDisplayRequest()) {
        display();
    }
}

}  // namespace wobblux::glut
