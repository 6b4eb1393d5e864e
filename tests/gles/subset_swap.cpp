// The one toolkit call the drawing code makes besides the cone, for programs that draw
// through the GL subset with no toolkit: the buffer swap draws what the subset has batched.

#include <GL/glut.h>

#include "gles/gl_subset.h"

extern "C" void glutSwapBuffers() {
    wobblux::gles::flushGlSubset();
}
