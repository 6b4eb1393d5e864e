// glutTimerFunc: the core's timer slots, each waited for by a one-shot browser timeout.

#include "glut/timers.h"

#include <GL/glut.h>
#include <emscripten/eventloop.h>

#include <cstdint>

#include "web/glut_web.h"

namespace wobblux::web {
namespace {

bool started = false;  // startTimers has run: a timer is armed as it is booked

void* slotData(std::size_t slot) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot));
}

void onTimeout(void* userData) {
    glut::runTimer(reinterpret_cast<std::uintptr_t>(userData));
}

void arm(std::size_t slot) {
    emscripten_set_timeout(onTimeout, glut::timerSlots()[slot].milliseconds, slotData(slot));
}

}  // namespace

// GLUT's timers run in its main loop: one set before it starts waits for it.
void startTimers() {
    started = true;
    for (std::size_t slot = 0; slot < glut::timerSlots().size(); ++slot) {
        if (glut::timerSlots()[slot].callback != nullptr) {
            arm(slot);
        }
    }
}

}  // namespace wobblux::web

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    using namespace wobblux::web;
    // The browser's timeout counts the delay, so the slot's due time goes unused here.
    const auto slot = wobblux::glut::bookTimer(milliseconds, callback, value, {});
    if (slot && started) {
        arm(*slot);
    }
}
