#pragma once

#include <cstdint>

namespace wobblux {

// The unattended show: a fixed script that plays a person's part through the same input
// callbacks a person reaches, so the scene follows every rule it follows for a person. It tilts
// the view a little, then turns it about the vertical axis one degree every few ticks, and
// excites the sheet for a while in every cycle, so the fountain sprays, the centre rises and the
// darts flee and come back. Ticks are counted from the show's first tick, 0.

// The script's timing, in ticks (a tick is at least 33 ms: a cycle is some 20 s).
inline constexpr std::int64_t kShowCycleTicks = 600;
inline constexpr std::int64_t kShowExciteTick = 90;     // within each cycle: the space bar...
inline constexpr std::int64_t kShowCalmTick = 330;      // ...and again, eight seconds later
inline constexpr std::int64_t kShowTurnEveryTicks = 5;  // one degree: a turn a minute or so
inline constexpr std::int64_t kShowTiltSteps = 12;      // degrees, at the start only

// Plays what the script does just before tick `tick`: key presses, button events and drag steps,
// through onKeyboard, onMouse and onMotion. It then drops whole turns from the view's angles, so
// they stay within one turn however long the show runs.
void playShowInput(std::int64_t tick);

// The show's timer callback: the script's input for this tick, then the tick itself as
// onTimerTick runs it, and the next show tick armed.
void onShowTick(int value);

}  // namespace wobblux
