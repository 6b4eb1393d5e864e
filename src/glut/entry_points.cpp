// The GLUT calls every platform backend shares: they only record what the program asks for.
// Each keeps its C name, as the program calls them as it calls freeglut's. Kept apart from the
// state they set, so that a test can link that state with the recording fake's GLUT calls.

#include <GL/glut.h>

#include "glut/program.h"

using wobblux::glut::program;

// Nothing to initialise and nothing to read: the program takes no arguments.
void glutInit(int* /*argumentCount*/, char** /*arguments*/) {}

void glutInitDisplayMode(unsigned int mode) {
    program.displayMode = mode;
}

void glutDisplayFunc(void (*callback)()) {
    program.display = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    program.reshape = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    program.keyboard = callback;
}

void glutMouseFunc(void (*callback)(int, int, int, int)) {
    program.mouse = callback;
}

void glutMotionFunc(void (*callback)(int, int)) {
    program.motion = callback;
}

void glutIgnoreKeyRepeat(int ignore) {
    program.ignoreKeyRepeat = ignore != 0;
}
