#include "glut/timers.h"

#include <algorithm>
#include <limits>

namespace wobblux::glut {
namespace {

std::vector<Timer> timers;

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

std::optional<std::size_t> bookTimer(unsigned int milliseconds, void (*callback)(int), int value,
                                     Clock::time_point now) {
    if (callback == nullptr) {
        return std::nullopt;
    }
    const std::size_t slot = freeSlot();
    timers[slot] = {callback, value, milliseconds, now + std::chrono::milliseconds(milliseconds)};
    return slot;
}

const std::vector<Timer>& timerSlots() {
    return timers;
}

void runTimer(std::size_t slot) {
    if (slot >= timers.size() || timers[slot].callback == nullptr) {
        return;  // nothing booked there
    }
    const Timer due = timers[slot];
    timers[slot] = {};  // freed first: the callback usually books the next timer
    due.callback(due.value);
}

void runDueTimers(Clock::time_point now) {
    // Marked before any runs: a slot booked by a callback is never marked in this turn.
    for (Timer& timer : timers) {
        timer.dueThisTurn = timer.callback != nullptr && timer.due <= now;
    }
    for (std::size_t slot = 0; slot < timers.size(); ++slot) {
        if (timers[slot].dueThisTurn) {
            runTimer(slot);
        }
    }
}

int millisecondsToNextTimer(Clock::time_point now) {
    int wait = -1;
    for (const Timer& timer : timers) {
        if (timer.callback == nullptr) {
            continue;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
        // Clamped: a delay of 2^31 ms or more is a wait of about 25 days, not a negative one.
        const int milliseconds =
            static_cast<int>(std::clamp<decltype(left)>(left, 0, std::numeric_limits<int>::max()));
        wait = wait < 0 ? milliseconds : std::min(wait, milliseconds);
    }
    return wait;
}

}  // namespace wobblux::glut
