// Mouse buttons, motion and the wheel, numbered as freeglut on X11 numbers them.

#include <GL/glut.h>
#include <emscripten/html5.h>

#include "web/glut_web.h"

namespace wobblux::web {
namespace {

// Each DOM button (MouseEvent.button 0 to 4: main, auxiliary, secondary, back, forward): its
// GLUT code and its bit in MouseEvent.buttons.
struct Button {
    int glut;
    unsigned short heldBit;
};
constexpr Button kButtons[] = {
    {GLUT_LEFT_BUTTON, 1}, {GLUT_MIDDLE_BUTTON, 4}, {GLUT_RIGHT_BUTTON, 2}, {7, 8}, {8, 16}};
constexpr unsigned short kButtonCount = sizeof(kButtons) / sizeof(kButtons[0]);

// The wheel's notches, as X11 reports them: buttons that are pressed and at once released.
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;
constexpr int kWheelLeft = 5;
constexpr int kWheelRight = 6;

unsigned int heldButtons = 0;  // bit b: DOM button b is down, as reported to the program

// Events come to the canvas, or to it by pointer capture while a button is held, so the
// target is the canvas and a drag outside it gets coordinates beyond its edges, as on X11.
CanvasPoint positionOf(const EmscriptenMouseEvent& event) {
    return toCanvasPixels(event.targetX, event.targetY);
}

bool isHeld(unsigned short button) {
    return (heldButtons & (1u << button)) != 0;
}

void press(unsigned short button, CanvasPoint at) {
    heldButtons |= 1u << button;
    deliverButton(kButtons[button].glut, GLUT_DOWN, at);
}

void release(unsigned short button, CanvasPoint at) {
    heldButtons &= ~(1u << button);
    deliverButton(kButtons[button].glut, GLUT_UP, at);
}

// A button let go where the page could not see it (another window took the pointer) would
// leave a drag running for ever: its release is reported first.
void releaseMissed(const EmscriptenMouseEvent& event) {
    for (unsigned short button = 0; button < kButtonCount; ++button) {
        if (isHeld(button) && (event.buttons & kButtons[button].heldBit) == 0) {
            release(button, positionOf(event));
        }
    }
}

// Pressing and releasing are taken from the page: no text selection, no scrolling with the
// middle button, no history navigation with back and forward.
EM_BOOL onMouseDown(int /*eventType*/, const EmscriptenMouseEvent* event, void* /*data*/) {
    if (event->button >= kButtonCount) {
        return EM_FALSE;
    }
    releaseMissed(*event);
    if (!isHeld(event->button)) {
        press(event->button, positionOf(*event));
    }
    return EM_TRUE;
}

// A release without a press here (pressed outside the canvas) is not the program's, as on X11.
EM_BOOL onMouseUp(int /*eventType*/, const EmscriptenMouseEvent* event, void* /*data*/) {
    if (event->button >= kButtonCount) {
        return EM_FALSE;
    }
    if (isHeld(event->button)) {
        release(event->button, positionOf(*event));
    }
    return EM_TRUE;
}

EM_BOOL onMouseMove(int /*eventType*/, const EmscriptenMouseEvent* event, void* /*data*/) {
    releaseMissed(*event);
    if (heldButtons != 0) {
        deliverMotion(positionOf(*event));
    } else {
        notePointer(positionOf(*event));
    }
    return EM_FALSE;
}

void click(int button, CanvasPoint at) {
    deliverButton(button, GLUT_DOWN, at);
    deliverButton(button, GLUT_UP, at);
}

// One notch per event, whatever its size. Ctrl with the wheel (and a touchpad's pinch, which
// arrives as such) is left to the browser, which zooms the page.
EM_BOOL onWheel(int /*eventType*/, const EmscriptenWheelEvent* event, void* /*data*/) {
    if (event->mouse.ctrlKey) {
        return EM_FALSE;
    }
    const CanvasPoint at = positionOf(event->mouse);
    if (event->deltaY != 0.0) {
        click(event->deltaY < 0.0 ? kWheelUp : kWheelDown, at);
    }
    if (event->deltaX != 0.0) {
        click(event->deltaX < 0.0 ? kWheelLeft : kWheelRight, at);
    }
    return EM_TRUE;
}

}  // namespace

void listenToMouse() {
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_FALSE, onMouseDown);
    emscripten_set_mouseup_callback(kCanvas, nullptr, EM_FALSE, onMouseUp);
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_FALSE, onMouseMove);
    emscripten_set_wheel_callback(kCanvas, nullptr, EM_FALSE, onWheel);
}

}  // namespace wobblux::web
