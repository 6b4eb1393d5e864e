#pragma once

// What a window's next frame has to do, with GLUT's rules: the first reshape precedes the first
// display, every size change reaches reshape followed by a display, as a window resize does,
// and redisplay requests coalesce into one display. The platform says when the frame runs.

namespace wobblux::glut {

// A frame's two steps, for a platform that draws one frame in several windows through one GL
// context and so reshapes each window before its display. The program's reshape for a window
// of this size, or without one GLUT's default, a viewport of the whole window:
void reshape(int width, int height);
// and the program's display, if it has one.
void display();

struct WindowFrames {
    int width = -1;  // in pixels; unknown until the platform first says
    int height = -1;
    bool reshapeDue = false;
    bool displayDue = false;

    // The window's size as the platform sees it now: a change, or the first call, books a
    // reshape and a display.
    void noteSize(int newWidth, int newHeight);

    // Books a reshape at the current size even though it is unchanged (e.g. a restored context).
    void requestReshape() { reshapeDue = true; }

    // Books a display: glutPostRedisplay, or an uncovered window.
    void requestDisplay() { displayDue = true; }

    // Whether a display is due, taking the request: a display that asks again gets another.
    bool takeDisplayRequest();

    // The reshape at the window's size if due, then the display if due.
    void run();
};

}  // namespace wobblux::glut
