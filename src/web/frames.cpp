// The canvas's size and the frames drawn on it: redisplay requests, reshapes and buffer swaps.

#include <GL/glut.h>
#include <emscripten/html5.h>

#include <cmath>

#include "gles/gl_subset.h"
#include "glut/window_frames.h"
#include "web/glut_web.h"

namespace wobblux::web {
namespace {

// The frames part: the canvas's size and when its frames run.
struct Frames {
    // The canvas's layout size, in CSS pixels, and its drawing buffer's, in device pixels.
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    int pixelWidth = 0;
    int pixelHeight = 0;

    glut::WindowFrames window;  // what the next animation frame has to do
    bool started = false;       // startFrames has run: frames may be booked
    bool frameBooked = false;   // an animation frame is already requested
    bool contextLost = false;
};

Frames frames;

int toDevicePixels(double cssLength, double ratio) {
    return static_cast<int>(std::lround(std::fmax(0.0, cssLength * ratio)));
}

// Sizes the drawing buffer to the canvas's layout size in device pixels, so the picture is
// neither stretched nor blurred. A change is a window resize: a reshape, then a repaint.
void fitCanvas() {
    emscripten_get_element_css_size(kCanvas, &frames.cssWidth, &frames.cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int width = toDevicePixels(frames.cssWidth, ratio);
    const int height = toDevicePixels(frames.cssHeight, ratio);
    if (width != frames.pixelWidth || height != frames.pixelHeight) {
        frames.pixelWidth = width;
        frames.pixelHeight = height;
        emscripten_set_canvas_element_size(kCanvas, width, height);
    }
    frames.window.noteSize(width, height);
}

EM_BOOL onAnimationFrame(double /*time*/, void* /*userData*/) {
    frames.frameBooked = false;
    fitCanvas();
    if (frames.contextLost) {
        return EM_FALSE;  // the restore books the next frame
    }
    frames.window.run();  // a display that posts a redisplay books another frame
    return EM_FALSE;
}

// Until startFrames no frame is booked (see glutMainLoop).
void bookFrame() {
    if (frames.started && !frames.frameBooked) {
        frames.frameBooked = true;
        emscripten_request_animation_frame(onAnimationFrame, nullptr);
    }
}

EM_BOOL onWindowResize(int /*eventType*/, const EmscriptenUiEvent* /*event*/, void* /*data*/) {
    bookFrame();
    return EM_FALSE;
}

}  // namespace

CanvasPoint toCanvasPixels(double cssX, double cssY) {
    const double scaleX = frames.cssWidth > 0.0 ? frames.pixelWidth / frames.cssWidth : 1.0;
    const double scaleY = frames.cssHeight > 0.0 ? frames.pixelHeight / frames.cssHeight : 1.0;
    return {static_cast<int>(std::floor(cssX * scaleX)),
            static_cast<int>(std::floor(cssY * scaleY))};
}

void startFrames() {
    // Browser zoom and moving to a screen of another pixel ratio arrive as resizes too.
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE,
                                   onWindowResize);
    frames.started = true;
    frames.window.requestDisplay();  // a newly shown window is painted
    bookFrame();
}

void requestReshape() {
    frames.window.requestReshape();
    bookFrame();
}

void setContextLost(bool lost) {
    frames.contextLost = lost;
}

}  // namespace wobblux::web

void glutPostRedisplay() {
    wobblux::web::frames.window.requestDisplay();
    wobblux::web::bookFrame();
}

void glutSwapBuffers() {
    // WebGL presents the drawing buffer itself once the animation frame returns.
    wobblux::gles::flushGlSubset();
}
