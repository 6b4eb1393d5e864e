// The platform-independent half of the screen-saver backend: the program's callbacks, timers
// and the frames they book.

#include "saver/glut_saver.h"

#include <GL/glut.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace wobblux::saver {

Callbacks callbacks;

namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    void (*callback)(int value) = nullptr;  // null: the slot is free
    int value = 0;
    Clock::time_point due;
};

// The backend's state: the display mode, the timers and what the next turn has to draw.
struct Frames {
    unsigned int displayMode = GLUT_RGBA | GLUT_SINGLE;  // GLUT's default
    // Slots are reused, so a program that keeps one timer armed allocates once, not per tick.
    std::vector<Timer> timers;
    int width = -1;  // unknown until the platform first says
    int height = -1;
    bool reshapeDue = false;
    bool displayDue = false;
};

Frames frames;

std::size_t freeSlot() {
    for (std::size_t slot = 0; slot < frames.timers.size(); ++slot) {
        if (frames.timers[slot].callback == nullptr) {
            return slot;
        }
    }
    frames.timers.emplace_back();
    return frames.timers.size() - 1;
}

}  // namespace

// Runs the timers that were due when the turn began; a timer armed by one of them waits for
// a later turn, even at 0 ms.
void runDueTimers() {
    const Clock::time_point now = Clock::now();
    const std::size_t count = frames.timers.size();
    for (std::size_t slot = 0; slot < count; ++slot) {
        Timer& timer = frames.timers[slot];
        if (timer.callback != nullptr && timer.due <= now) {
            const Timer due = timer;
            timer.callback = nullptr;  // freed first: the callback usually arms the next timer
            due.callback(due.value);
        }
    }
}

unsigned int displayMode() {
    return frames.displayMode;
}

void noteWindowSize(int width, int height) {
    if (width != frames.width || height != frames.height) {
        frames.width = width;
        frames.height = height;
        frames.reshapeDue = true;
        frames.displayDue = true;
    }
}

void requestDisplay() {
    frames.displayDue = true;
}

bool takeDisplayRequest() {
    const bool due = frames.displayDue;
    frames.displayDue = false;  // cleared first: a display that asks again gets another
    return due;
}

void reshapeTo(int width, int height) {
    if (callbacks.reshape != nullptr) {
        callbacks.reshape(width, height);
    } else {
        glViewport(0, 0, width, height);  // GLUT's default reshape
    }
}

void display() {
    if (callbacks.display != nullptr) {
        callbacks.display();
    }
}

void runDueWork() {
    runDueTimers();
    if (frames.reshapeDue) {
        frames.reshapeDue = false;
        reshapeTo(frames.width, frames.height);
    }
    if (takeDisplayRequest()) {
        display();
    }
}

int millisecondsToNextTimer() {
    const Clock::time_point now = Clock::now();
    int wait = -1;
    for (const Timer& timer : frames.timers) {
        if (timer.callback == nullptr) {
            continue;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
        const int milliseconds = static_cast<int>(std::max<decltype(left)>(left, 0));
        wait = wait < 0 ? milliseconds : std::min(wait, milliseconds);
    }
    return wait;
}

}  // namespace wobblux::saver

// The GLUT entry points keep their C names: the program calls them as it calls freeglut's.

void glutInit(int* /*argumentCount*/, char** /*arguments*/) {}

void glutInitDisplayMode(unsigned int mode) {
    wobblux::saver::frames.displayMode = mode;
}

void glutDisplayFunc(void (*callback)()) {
    wobblux::saver::callbacks.display = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    wobblux::saver::callbacks.reshape = callback;
}

// The show takes no input: these are accepted so that the program links, and never called.
void glutKeyboardFunc(void (* /*callback*/)(unsigned char, int, int)) {}
void glutMouseFunc(void (* /*callback*/)(int, int, int, int)) {}
void glutMotionFunc(void (* /*callback*/)(int, int)) {}
void glutIgnoreKeyRepeat(int /*ignore*/) {}

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    using namespace wobblux::saver;
    if (callback == nullptr) {
        return;
    }
    const std::size_t slot = freeSlot();
    frames.timers[slot] = {callback, value, Clock::now() + std::chrono::milliseconds(milliseconds)};
}

void glutPostRedisplay() {
    wobblux::saver::frames.displayDue = true;
}
