#pragma once

// GLUT's one-shot timers: slots that the platform's waiting runs. The platform supplies the
// clock and the wait. Either it arms a wait of its own per slot and runs that slot when it ends
// (runTimer), or it asks how long it may wait (millisecondsToNextTimer) and runs the timers due
// by then (runDueTimers).

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

namespace wobblux::glut {

using Clock = std::chrono::steady_clock;

struct Timer {
    void (*callback)(int value) = nullptr;  // null: the slot is free
    int value = 0;
    unsigned int milliseconds = 0;  // the delay asked for
    Clock::time_point due;          // booking time plus the delay
    bool dueThisTurn = false;       // runDueTimers found it due when it began
};

// Books callback(value) to run once, `milliseconds` after `now`, in a free slot, and returns
// the slot; a null callback books nothing. Slots are reused, so a program that keeps one timer
// armed allocates once, not per tick.
std::optional<std::size_t> bookTimer(unsigned int milliseconds, void (*callback)(int), int value,
                                     Clock::time_point now);

// Every slot, free or booked, by number.
const std::vector<Timer>& timerSlots();

// Frees the slot, then runs its callback, which may book the next timer in the same slot.
void runTimer(std::size_t slot);

// Runs the timers due at `now`, in slot order; one booked by one of them waits for a later
// turn, even at 0 ms, so that a timer that books itself cannot keep the turn from ending.
void runDueTimers(Clock::time_point now);

// Milliseconds from `now` until the next timer is due, rounded up (0 if one is due), or -1 if
// none is booked: how long the platform may wait.
int millisecondsToNextTimer(Clock::time_point now);

}  // namespace wobblux::glut
