// glutTimerFunc: one-shot browser timeouts.

#include <GL/glut.h>
#include <emscripten/eventloop.h>

#include <cstdint>
#include <vector>

#include "web/glut_web.h"

namespace wobblux::web {
namespace {

struct Timer {
    void (*callback)(int value) = nullptr;  // null: the slot is free
    int value = 0;
    unsigned int milliseconds = 0;
};

// Slots are reused, so a program that keeps one timer armed allocates once, not per tick.
std::vector<Timer> timers;
bool started = false;  // startTimers has run: a timer is armed as it is set

void* slotData(std::size_t slot) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot));
}

void onTimeout(void* userData) {
    Timer& timer = timers[reinterpret_cast<std::uintptr_t>(userData)];
    const Timer due = timer;
    timer.callback = nullptr;  // freed first: the callback usually arms the next timer
    due.callback(due.value);
}

void arm(std::size_t slot) {
    emscripten_set_timeout(onTimeout, timers[slot].milliseconds, slotData(slot));
}

std::size_t freeSlot() {
    for (std::size_t slot = 0; slot < timers.size(); ++slot) {
        if (timers[slot].callback == nullptr) {
            return slot;
        }
    }
    timers.emplace_back();
    return timers.size() - 1;
}

}  // namespace

// GLUT's timers run in its main loop: one set before it starts waits for it.
void startTimers() {
    started = true;
    for (std::size_t slot = 0; slot < timers.size(); ++slot) {
        if (timers[slot].callback != nullptr) {
            arm(slot);
        }
    }
}

}  // namespace wobblux::web

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    using namespace wobblux::web;
    if (callback == nullptr) {
        return;
    }
    const std::size_t slot = freeSlot();
    timers[slot] = {callback, value, milliseconds};
    if (started) {
        arm(slot);
    }
}
