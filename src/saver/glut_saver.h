#pragma once

// Wobblux's screen-saver platform backend: the GLUT calls the program makes, for the unattended
// show in a window that a screen saver's host names or hands over, or in one of its own. What
// GLUT's calls mean is the core's (src/glut); this shared part gives it the monotonic clock and
// the one window's frames, and each platform has its window and main loop: x11_window.cpp
// (XScreenSaver's window, through GLX) and win32_window.cpp (the full screen or the preview in
// Windows' settings dialog, through WGL).
//
// Implemented, with GLUT's meaning:
//   glutInit (arguments ignored), glutInitDisplayMode (GLUT_DOUBLE and GLUT_DEPTH choose the
//   buffers of a window the backend makes itself; a window it is given keeps its own),
//   glutCreateWindow (the platform's: it takes the window and makes its GL context current),
//   glutDisplayFunc, glutReshapeFunc, glutTimerFunc, glutPostRedisplay, glutSwapBuffers,
//   glutMainLoop and glutSolidCone (the toolkit's geometry from vertex arrays, leaving the
//   current colour and normal as they were, as the toolkit's does).
// - Window: the first reshape precedes the first display, and every later size change reaches
//   reshape, followed by a display, as a window resize does.
// - Display: redisplay requests coalesce into one display, after the timers that are due.
// - Timers: one-shot, on the monotonic clock; nothing catches up.
// - Input: the show takes none. glutKeyboardFunc, glutMouseFunc, glutMotionFunc and
//   glutIgnoreKeyRepeat are accepted and their callbacks never called.
// - End: glutMainLoop returns, and the program ends with status 0, when the platform's loop is
//   told the show is over (a signal or a window gone on X11; input or the preview's host gone
//   on Windows).
// - Several windows: a platform may show each frame in several windows that share one GL
//   context (wobblux.scr, a window on each monitor): it runs the due timers itself and, for each
//   window in turn, makes it current and calls reshape and display.
// Limits: no glutSetWindow (the platform chooses the window); no overlays, menus, fonts, idle,
// visibility or entry callbacks.

namespace wobblux::saver {

// The display mode glutInitDisplayMode asked for.
unsigned int displayMode();

// The window's size in pixels, as the platform last saw it: a change books a reshape and a
// display. The first call books them too.
void noteWindowSize(int width, int height);

// Books a display, as an uncovered window needs.
void requestDisplay();

// One turn of the main loop after the platform has handled its events: the timers that are
// due, then the reshape and the display if they are due.
void runDueWork();

// runDueWork's parts, for a platform that draws each frame in several windows: the timers that
// are due; whether a display is due, the request taken (a display that asks again gets
// another). Each window's reshape and display are then the core's (glut/window_frames.h).
void runDueTimers();
bool takeDisplayRequest();

// Milliseconds until the next timer is due (0 if one is due now), or -1 if none is armed: how
// long the platform's loop may wait for events.
int millisecondsToNextTimer();

}  // namespace wobblux::saver
