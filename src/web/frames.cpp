// The canvas's size and the frames drawn on it: redisplay requests, reshapes and buffer swaps.

#include <GL/glut.h>
#include <emscripten/html5.h>

#include <cmath>

#include "gles/gl_subset.h"
#include "web/glut_web.h"

namespace wobblux::web {
namespace {

// The canvas's layout size, in CSS pixels, and its drawing buffer's, in device pixels.
double cssWidth = 0.0;
double cssHeight = 0.0;
int pixelWidth = 0;
int pixelHeight = 0;

bool redisplayDue = false;  // glutPostRedisplay was called since the last display
bool reshapeDue = true;     // the program has not seen the current size
bool frameBooked = false;   // an animation frame is already requested
bool contextLost = false;

int toDevicePixels(double cssLength, double ratio) {
    return static_cast<int>(std::lround(std::fmax(0.0, cssLength * ratio)));
}

// Sizes the drawing buffer to the canvas's layout size in device pixels, so the picture is
// neither stretched nor blurred. A change is a window resize: a reshape, then a repaint.
void fitCanvas() {
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int width = toDevicePixels(cssWidth, ratio);
    const int height = toDevicePixels(cssHeight, ratio);
    if (width != pixelWidth || height != pixelHeight) {
        pixelWidth = width;
        pixelHeight = height;
        emscripten_set_canvas_element_size(kCanvas, width, height);
        reshapeDue = true;
        redisplayDue = true;
    }
}

void deliverReshape() {
    reshapeDue = false;
    if (callbacks.reshape != nullptr) {
        callbacks.reshape(pixelWidth, pixelHeight);
    } else {
        glViewport(0, 0, pixelWidth, pixelHeight);  // GLUT's default reshape
    }
}

void bookFrame();

EM_BOOL onAnimationFrame(double /*time*/, void* /*userData*/) {
    frameBooked = false;
    fitCanvas();
    if (contextLost) {
        return EM_FALSE;  // the restore books the next frame
    }
    if (reshapeDue) {
        deliverReshape();
    }
    if (redisplayDue) {
        // Cleared first: a display that posts a redisplay gets another frame.
        redisplayDue = false;
        if (callbacks.display != nullptr) {
            callbacks.display();
        }
    }
    return EM_FALSE;
}

// GLUT calls nothing before its main loop: a frame booked earlier would draw a scene that may
// not exist yet.
void bookFrame() {
    if (!frameBooked && mainLoopRunning()) {
        frameBooked = true;
        emscripten_request_animation_frame(onAnimationFrame, nullptr);
    }
}

EM_BOOL onWindowResize(int /*eventType*/, const EmscriptenUiEvent* /*event*/, void* /*data*/) {
    bookFrame();
    return EM_FALSE;
}

}  // namespace

CanvasPoint toCanvasPixels(double cssX, double cssY) {
    const double scaleX = cssWidth > 0.0 ? pixelWidth / cssWidth : 1.0;
    const double scaleY = cssHeight > 0.0 ? pixelHeight / cssHeight : 1.0;
    return {static_cast<int>(std::floor(cssX * scaleX)),
            static_cast<int>(std::floor(cssY * scaleY))};
}

void startFrames() {
    // Browser zoom and moving to a screen of another pixel ratio arrive as resizes too.
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE,
                                   onWindowResize);
    redisplayDue = true;  // a newly shown window is painted
    bookFrame();
}

void requestReshape() {
    reshapeDue = true;
    bookFrame();
}

void setContextLost(bool lost) {
    contextLost = lost;
}

}  // namespace wobblux::web

void glutPostRedisplay() {
    wobblux::web::redisplayDue = true;
    wobblux::web::bookFrame();
}

void glutSwapBuffers() {
    // WebGL presents the drawing buffer itself once the animation frame returns.
    wobblux::gles::flushGlSubset();
}
