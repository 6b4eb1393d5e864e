#pragma once

#include <windows.h>

namespace wobblux::win32 {

// Gives the window behind `device` an RGBA pixel format, double-buffered and with a depth buffer
// as asked, and makes a GL context for it. Returns the context, or nullptr after setting
// `problem` to a fatal line that says which step failed.
HGLRC createOpenGlContext(HDC device, bool doubleBuffered, bool depth, const char*& problem);

// Why a window on this display cannot draw with OpenGL in the program's display mode (RGBA,
// double-buffered, with a depth buffer), as a fatal line; nullptr if it can. Asked with a hidden
// window of its own, before the toolkit opens the program's: freeglut's Windows backend ignores a
// failed pixel format or context and would show a window that stays black and never draws.
const char* openGlProblem();

}  // namespace wobblux::win32
