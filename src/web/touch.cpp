// Touch gestures, delivered as what a desktop user would do: one finger dragging is a
// left-button drag (turn), two fingers dragging a middle-button drag at their midpoint (zoom),
// and a short tap the space bar.

#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "web/glut_web.h"

namespace wobblux::web {
namespace {

// The tap's limits, here and nowhere else. A touch is a tap if every finger has lifted at most
// kTapMilliseconds after the first came down and the finger never got farther than kTapSlop
// (straight-line distance) from where it came down; once it does, it is a drag from there on.
constexpr double kTapSlop = 10.0;           // CSS pixels a tapping finger may wander
constexpr double kTapMilliseconds = 300.0;  // longest touch that still taps
constexpr unsigned char kTapKey = ' ';

enum class Gesture {
    None,      // no finger down
    Touching,  // one finger down, not moved yet: a tap or the start of a drag
    Turning,   // one finger dragging: the left button is held
    Zooming,   // two fingers dragging: the middle button is held
    Spent,     // ended while fingers remain; the rest of the touch is ignored
};

// A finger on the screen, in CSS pixels relative to the canvas.
struct Finger {
    long id = 0;
    double x = 0.0;
    double y = 0.0;
};

constexpr int kMaxFingers = 32;  // as many as EmscriptenTouchEvent carries

// The gesture in progress.
struct Touch {
    Gesture gesture = Gesture::None;
    Finger firstFinger;           // where the gesture's first finger came down
    double firstTime = 0.0;       // and when, in milliseconds
    long zoomingIds[2] = {0, 0};  // the two fingers of a zoom
    CanvasPoint held;             // where the held button was last reported
};

Touch touch;

CanvasPoint pixelsOf(double x, double y) {
    return toCanvasPixels(x, y);
}

void press(int button, CanvasPoint at) {
    touch.held = at;
    deliverButton(button, GLUT_DOWN, at);
}

void moveTo(CanvasPoint at) {
    touch.held = at;
    deliverMotion(at);
}

void release(int button) {
    deliverButton(button, GLUT_UP, touch.held);
}

const Finger* findFinger(const Finger* fingers, int count, long id) {
    for (int index = 0; index < count; ++index) {
        if (fingers[index].id == id) {
            return &fingers[index];
        }
    }
    return nullptr;
}

CanvasPoint midpoint(const Finger& one, const Finger& other) {
    return pixelsOf((one.x + other.x) / 2.0, (one.y + other.y) / 2.0);
}

void startZoom(const Finger* fingers) {
    touch.gesture = Gesture::Zooming;
    touch.zoomingIds[0] = fingers[0].id;
    touch.zoomingIds[1] = fingers[1].id;
    press(GLUT_MIDDLE_BUTTON, midpoint(fingers[0], fingers[1]));
}

// The zoom follows its two fingers; if one of them lifts, the zoom ends there.
void followZoom(const Finger* fingers, int count) {
    const Finger* one = findFinger(fingers, count, touch.zoomingIds[0]);
    const Finger* other = findFinger(fingers, count, touch.zoomingIds[1]);
    if (one != nullptr && other != nullptr) {
        moveTo(midpoint(*one, *other));
    } else {
        release(GLUT_MIDDLE_BUTTON);
        touch.gesture = Gesture::Spent;
    }
}

bool wandered(const Finger& finger) {
    return std::hypot(finger.x - touch.firstFinger.x, finger.y - touch.firstFinger.y) > kTapSlop;
}

// Every finger lifted (or the touch cancelled, which never taps).
void finish(double time, bool cancelled) {
    if (touch.gesture == Gesture::Touching && !cancelled &&
        time - touch.firstTime <= kTapMilliseconds) {
        deliverKey(kTapKey);
    } else if (touch.gesture == Gesture::Turning) {
        release(GLUT_LEFT_BUTTON);
    } else if (touch.gesture == Gesture::Zooming) {
        release(GLUT_MIDDLE_BUTTON);
    }
    touch.gesture = Gesture::None;
}

// Moves the gesture on, given the fingers still down after an event.
void follow(const Finger* fingers, int count, double time, bool cancelled) {
    if (count == 0) {
        finish(time, cancelled);
        return;
    }
    switch (touch.gesture) {
        case Gesture::None:
            if (count == 1) {
                touch.gesture = Gesture::Touching;
                touch.firstFinger = fingers[0];
                touch.firstTime = time;
            } else {
                startZoom(fingers);
            }
            break;
        case Gesture::Touching:
            if (count >= 2) {
                startZoom(fingers);
            } else if (wandered(fingers[0])) {
                touch.gesture = Gesture::Turning;
                press(GLUT_LEFT_BUTTON, pixelsOf(touch.firstFinger.x, touch.firstFinger.y));
                moveTo(pixelsOf(fingers[0].x, fingers[0].y));
            }
            break;
        case Gesture::Turning:
            if (count >= 2) {
                release(GLUT_LEFT_BUTTON);
                startZoom(fingers);
            } else {
                moveTo(pixelsOf(fingers[0].x, fingers[0].y));
            }
            break;
        case Gesture::Zooming:
            followZoom(fingers, count);
            break;
        case Gesture::Spent:
            break;
    }
}

// The event lists the fingers down and those that changed; at an end or a cancel the changed
// ones have left the screen.
EM_BOOL onTouch(int eventType, const EmscriptenTouchEvent* event, void* /*data*/) {
    const bool leaving =
        eventType == EMSCRIPTEN_EVENT_TOUCHEND || eventType == EMSCRIPTEN_EVENT_TOUCHCANCEL;
    Finger fingers[kMaxFingers];
    int count = 0;
    for (int index = 0; index < event->numTouches && count < kMaxFingers; ++index) {
        const EmscriptenTouchPoint& point = event->touches[index];
        if (!(leaving && point.isChanged)) {
            fingers[count++] = {point.identifier, static_cast<double>(point.targetX),
                                static_cast<double>(point.targetY)};
        }
    }
    // The page's clock (performance.now), not the event's own timestamp: the same time base
    // as the program's timers, which a test's fake clock drives.
    follow(fingers, count, emscripten_get_now(), eventType == EMSCRIPTEN_EVENT_TOUCHCANCEL);
    // Taken from the page: no scrolling, no page zoom, no mouse events made up from touches.
    return EM_TRUE;
}

}  // namespace

void listenToTouch() {
    emscripten_set_touchstart_callback(kCanvas, nullptr, EM_FALSE, onTouch);
    emscripten_set_touchmove_callback(kCanvas, nullptr, EM_FALSE, onTouch);
    emscripten_set_touchend_callback(kCanvas, nullptr, EM_FALSE, onTouch);
    emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_FALSE, onTouch);
}

}  // namespace wobblux::web
