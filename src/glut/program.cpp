#include "glut/program.h"

namespace wobblux::glut {

Program program;

}  // namespace wobblux::glut
