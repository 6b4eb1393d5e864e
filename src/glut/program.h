#pragma once

// What the program has told GLUT, kept for the platform backends: its callbacks, its display
// mode and whether it wants key repeats. Set through the GLUT calls (entry_points.cpp).

#include <GL/glut.h>

namespace wobblux::glut {

struct Program {
    // The program's callbacks; empty until it registers them.
    void (*display)() = nullptr;
    void (*reshape)(int width, int height) = nullptr;
    void (*keyboard)(unsigned char key, int x, int y) = nullptr;
    void (*mouse)(int button, int state, int x, int y) = nullptr;
    void (*motion)(int x, int y) = nullptr;
    unsigned int displayMode = GLUT_RGBA | GLUT_SINGLE;  // GLUT's default
    bool ignoreKeyRepeat = false;  // GLUT delivers auto-repeats unless told otherwise
};
extern Program program;

}  // namespace wobblux::glut
