// The two toolkit calls the show's tick makes, doing nothing: soak_simulation runs the tick
// itself, as fast as it goes, and draws nothing. (tests/support's recording fake would keep a
// record of every call, which over a simulated day is millions of them.)

#include <GL/glut.h>

extern "C" {

void glutPostRedisplay() {}
void glutTimerFunc(unsigned int /*milliseconds*/, void (* /*callback*/)(int), int /*value*/) {}

}  // extern "C"
