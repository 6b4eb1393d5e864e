#pragma once

// What a window's next frame has to do, with GLUT's rules: the first reshape precedes the first
// display, every size change reaches reshape followed by a display, as a window resize does,
// and redisplay requests coalesce into one display. The platform says when the frame runs.

namespace wobblux::glut {

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

    // The reshape if due (GLUT's default, a viewport of the whole window, without a reshape
    // callback), then the display if due.
    void run();
};

}  // namespace wobblux::glut
