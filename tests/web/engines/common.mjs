// What the engine adapters share. Each adapter's page offers: evaluate(fn, argument),
// waitFor(fn, argument), title(), screenshot() (the canvas as PNG bytes), keyDown(key),
// keyUp(key), mouseMove(x, y), mouseDown(button), mouseUp(button) (button 'left', 'middle' or
// 'right'), wheel(x, y, deltaY), touch(type, points) (type 'start', 'move' or 'end'; points
// [{x, y, id}], the fingers down; at 'end' all of them lift), tap(x, y), resize(width,
// height), runFor(milliseconds) (the page's fake clock), problems() (console and uncaught
// errors so far) and close(). Positions are CSS pixels in the viewport.

import { createServer } from 'node:net';

// The fake clock starts on a whole second, as the native frame tool's clock does.
export const startSecond = 1700000000;

// The scripts the test's server puts into pages for drivers that cannot run one before the
// page's own: served/test-clock.js.
export const clockScript = 'test-clock.js';

// Repeats `probe` (an async function) until it returns something truthy, or fails after
// `timeout` milliseconds.
export async function poll(probe, { timeout = 10000, interval = 50, what = 'a condition' } = {}) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const value = await probe();
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, interval));
  }
}

// A TCP port nobody listens on just now.
export function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebDriver moves no pointer outside the viewport, where a drag that left the canvas goes on (the
// page captures the pointer). For such drivers a move out there is a mousemove the page makes on
// the canvas, with the buttons the driver holds; moves inside the viewport stay real input.
export class MouseBeyondViewport {
  constructor(page) {
    this.page = page;
    this.buttons = 0;
  }
  press(button) { this.buttons |= buttonBits[button]; }
  release(button) { this.buttons &= ~buttonBits[button]; }
  // Makes the move in the page and returns true if (x, y) lies outside the viewport.
  async move(x, y) {
    return this.page.evaluate(({ x, y, buttons }) => {
      if (x >= 0 && y >= 0 && x < innerWidth && y < innerHeight) return false;
      document.getElementById('canvas').dispatchEvent(new MouseEvent('mousemove', {
        bubbles: true, cancelable: true, view: window, clientX: x, clientY: y, buttons,
      }));
      return true;
    }, { x, y, buttons: this.buttons });
  }
}
const buttonBits = { left: 1, right: 2, middle: 4 };
