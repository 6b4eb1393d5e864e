#pragma once

namespace wobblux {

// The windowing toolkit's callbacks and the one-time GL set-up. All run on the toolkit's one
// thread, one at a time; they read and change the shared `app` state.

// Depth test, lighting with one light, colour material and alpha blending; called once.
void initGraphics();

// Keeps the viewport and the perspective projection in step with the window size, in pixels.
void onReshape(int width, int height);

// The value every tick timer carries; onTimerTick does not read it.
inline constexpr int kTickTimerValue = 1;

// Time from the end of one tick's work to the start of the next, in milliseconds.
inline constexpr unsigned int kTickMilliseconds = 33;

// Advances every simulation one step, asks for a redraw and arms the next tick.
void onTimerTick(int value);

// Draws one frame: light, camera, cones, darts, sparks, sheet, sparks again, tank.
void onDisplay();

// The space bar toggles the sheet's excited state.
void onKeyboard(unsigned char key, int x, int y);

// Every button event picks the drag mode; the right button also toggles the excited state.
void onMouse(int button, int state, int x, int y);

// Drags turn the camera or move it nearer or farther, a fixed step per event.
void onMotion(int x, int y);

}  // namespace wobblux
