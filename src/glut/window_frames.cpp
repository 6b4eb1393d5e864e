#include "glut/window_frames.h"

#include <GL/glut.h>

#include "glut/program.h"

namespace wobblux::glut {

void WindowFrames::noteSize(int newWidth, int newHeight) {
    if (newWidth != width || newHeight != height) {
        width = newWidth;
        height = newHeight;
        reshapeDue = true;
        displayDue = true;
    }
}

void WindowFrames::run() {
    if (reshapeDue) {
        reshapeDue = false;
        if (program.reshape != nullptr) {
            program.reshape(width, height);
        } else {
            glViewport(0, 0, width, height);
        }
    }
    if (displayDue) {
        displayDue = false;  // cleared first: a display that asks again gets another
        if (program.display != nullptr) {
            program.display();
        }
    }
}

}  // namespace wobblux::glut
