#pragma once

// Wobblux's browser platform backend: the GLUT calls the program makes, over emscripten's
// html5.h, on the page's one canvas (#canvas, see index.html.in).
//
// Implemented, with GLUT's meaning:
//   glutInit (arguments ignored), glutInitDisplayMode (GLUT_DEPTH, GLUT_ALPHA, GLUT_STENCIL and
//   GLUT_MULTISAMPLE choose the WebGL 1 context's buffers), glutCreateWindow (sets the page
//   title, creates the context and starts the GL subset), glutDisplayFunc, glutReshapeFunc,
//   glutKeyboardFunc, glutMouseFunc, glutMotionFunc, glutIgnoreKeyRepeat, glutTimerFunc,
//   glutPostRedisplay, glutSwapBuffers and glutMainLoop.
// - Window: the canvas fills the page and is sized in device pixels (CSS size times
//   devicePixelRatio); the first reshape precedes the first display and every later size change
//   reaches reshape, followed by a display, as a window resize does.
// - Display: redisplay requests coalesce into one display call on the next animation frame.
// - Timers: one-shot setTimeout; nothing catches up.
// - Mouse: buttons 0 left, 1 middle, 2 right, back and forward 7 and 8, the wheel as buttons
//   3 (up) and 4 (down) and 5, 6 sideways, each notch a press then a release, as freeglut on
//   X11 reports them. Motion reaches the motion callback only while a button is held, with the
//   current position in canvas pixels, y down; a drag goes on outside the canvas (the page
//   captures the pointer). The context menu is suppressed over the canvas.
// - Keyboard: keys typed while the canvas has focus (it takes focus at load and on every press):
//   printable ASCII and Latin-1 as their character, Enter 13, Escape 27, Backspace 8, Delete
//   127. With glutIgnoreKeyRepeat(1), auto-repeats are dropped.
// - Touch: one finger dragging is a left-button drag, two fingers dragging a middle-button drag
//   at their midpoint, and a short tap is the key ' '.
// - Failure: without WebGL, glutCreateWindow writes one line to stderr and ends the program with
//   status 1, which the page shows; a lost context is waited out, and when the browser restores
//   it the subset is started again, reshape is called and the frame is drawn again.
// Limits: one window; always double-buffered (WebGL presents after each animation frame);
// no key is delivered with Ctrl, Alt or Meta held (those belong to the browser), nor Tab;
// Ctrl+wheel is left to the browser's zoom; no overlays, menus, fonts, special keys, key-up,
// passive motion, idle, visibility or entry callbacks; nothing runs before glutMainLoop, which
// never returns (the runtime stays alive and control goes back to the browser).
//
// What GLUT's calls mean (the program's callbacks, timer slots, the frames' rules) is the core's,
// src/glut. Below: what the backend's files share. Calls go one way: window.cpp starts the parts
// (frames, timers, input) and each keeps its own state; no part asks the window anything.

namespace wobblux::gles {
struct EsFunctions;
}

namespace wobblux::web {

// The CSS selector of the page's canvas.
inline constexpr char kCanvas[] = "#canvas";

// A position on the canvas, in canvas (device) pixels, y down.
struct CanvasPoint {
    int x = 0;
    int y = 0;
};

// Converts a position in CSS pixels relative to the canvas into canvas pixels.
CanvasPoint toCanvasPixels(double cssX, double cssY);

// Input delivery, shared by the mouse, the keyboard and touch. Each reaches the program's
// callback, if registered, and records the pointer's position.
void deliverButton(int button, int state, CanvasPoint at);
void deliverMotion(CanvasPoint at);
void deliverKey(unsigned char key);
void notePointer(CanvasPoint at);  // a move with no button held: recorded, not delivered

// Starts listening to each kind of input; glutMainLoop calls them.
void listenToMouse();
void listenToKeyboard();
void listenToTouch();

// Frames. startFrames() books the first one, which reshapes and then displays, and follows
// window resizes from then on; before it, redisplay requests book nothing. requestReshape()
// reshapes at the next frame even if the size is unchanged (a restored context); while the
// context is lost, frames call nothing.
void startFrames();
void requestReshape();
void setContextLost(bool lost);

// Arms the timers set so far, and from then on every timer as it is set.
void startTimers();

// The GL subset's ES function table: emscripten's WebGL functions.
const gles::EsFunctions& webGlFunctions();

}  // namespace wobblux::web
