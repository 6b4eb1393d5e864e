// Hours of use compressed onto the fake clock: 20,000 ticks (11 minutes of the program's time)
// with the spray toggling, drags, taps and window resizes mixed in. Whatever the platform layer
// keeps per timer, listener or event must not pile up: after a warm-up, the program's wasm heap,
// the page's live timeouts and its event listeners stay where they were, and nothing reaches the
// console.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { closeChecked, openPage, runTicks, serveAndLaunch } from './harness.mjs';

const shared = serveAndLaunch();

const rounds = 100;
const ticksPerRound = 200;
const warmUpRounds = 10;

// Counts the page's pending timeouts and its listeners (added minus removed) from the start.
function countLiveObjects() {
  const timers = new Set();
  let listeners = 0;
  window.live = () => ({ timers: timers.size, listeners });
  const setTimeoutFaked = window.setTimeout;
  const clearTimeoutFaked = window.clearTimeout;
  window.setTimeout = function (callback, delay, ...rest) {
    const id = setTimeoutFaked.call(window, (...args) => {
      timers.delete(id);
      if (typeof callback === 'function') callback(...args);
    }, delay, ...rest);
    timers.add(id);
    return id;
  };
  window.clearTimeout = (id) => {
    timers.delete(id);
    clearTimeoutFaked.call(window, id);
  };
  const add = EventTarget.prototype.addEventListener;
  const remove = EventTarget.prototype.removeEventListener;
  EventTarget.prototype.addEventListener = function (...args) {
    ++listeners;
    return add.apply(this, args);
  };
  EventTarget.prototype.removeEventListener = function (...args) {
    --listeners;
    return remove.apply(this, args);
  };
}

test('20,000 ticks of use leave the heap, the timers and the listeners as they were', async () => {
  // A small window: the test is about what piles up, not about rasterising.
  const page = await openPage(shared, {
    width: 240, height: 180, touch: true, initScript: countLiveObjects,
  });
  const reading = () => page.evaluate(() => ({ heap: Module._wobbluxHeapInUse(), ...live() }));

  let warm;
  for (let round = 1; round <= rounds; ++round) {
    const button = round % 2 ? 'left' : 'middle';
    await page.keyDown(' ');
    await page.keyUp(' ');
    await page.mouseMove(100, 90);
    await page.mouseDown(button);
    for (const [x, y] of [[110, 83], [120, 77], [130, 70]]) await page.mouseMove(x, y);
    await page.mouseUp(button);
    await page.touch('start', [{ x: 120, y: 90, id: 1 }]);
    await page.touch('move', [{ x: 160, y: 90, id: 1 }]);
    await page.touch('end', []);
    if (round % 10 === 5) await page.resize(200 + round, 180);
    await runTicks(page, ticksPerRound);
    if (round === warmUpRounds) warm = await reading();
  }
  const end = await reading();
  console.log(`# after warm-up ${JSON.stringify(warm)}, after ${rounds * ticksPerRound} ticks ` +
    JSON.stringify(end));
  assert.deepEqual(end, warm);
  await closeChecked(page);
});
