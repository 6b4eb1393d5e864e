// What the user does to the scene: the space bar, the mouse, the window's size and touch.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  closeChecked, engine, litSpan, openPage, readCanvas, runTicks, serveAndLaunch, sparks,
} from './harness.mjs';

const shared = serveAndLaunch();

// Some 900 spark pixels 20 ticks into the spray, thousands later, and none once the last spark
// has lived its 2 s.
const spraying = async (page) => sparks(await readCanvas(page)) > 300;
const sparkLifeTicks = 61;

// The tank's outline across the middle row: it moves right as the view turns right and widens
// as the view comes nearer.
const outline = async (page) => litSpan(await readCanvas(page), 300);

test('the space bar starts and stops the spray, once per press however long held', async () => {
  const page = await openPage(shared);
  await runTicks(page, 5);
  assert.equal(await spraying(page), false);
  // Held for 2 s against a keyboard's auto-repeat: 15 repeats, an even number of toggles
  // in all if they counted. A driver that sends no repeats holds the key as long.
  await page.keyDown(' ');
  for (let repeat = 0; repeat < 15; ++repeat) {
    await runTicks(page, 4);
    if (engine.can.keyRepeats) await page.keyDown(' ');
  }
  await page.keyUp(' ');
  await runTicks(page, 10);
  assert.equal(await spraying(page), true);
  assert.ok(await page.evaluate(() => document.querySelector('#hint.gone') !== null),
    'the hint fades at the first key');
  await page.keyDown(' ');
  await page.keyUp(' ');
  await runTicks(page, sparkLifeTicks + 2);
  assert.equal(await spraying(page), false);
  await closeChecked(page);
});

async function drag(page, from, to, { button = 'left', steps }) {
  await page.mouseMove(from.x, from.y);
  await page.mouseDown(button);
  for (let step = 1; step <= steps; ++step) {
    await page.mouseMove(from.x + ((to.x - from.x) * step) / steps,
      from.y + ((to.y - from.y) * step) / steps);
  }
  await page.mouseUp(button);
}

test('a left drag turns, off the canvas too; a middle drag zooms; right sprays', async () => {
  const page = await openPage(shared);
  await runTicks(page, 5);
  const start = await outline(page);
  // Pressed at the canvas's right edge, the drag goes on beyond it.
  await drag(page, { x: 790, y: 300 }, { x: 1400, y: 300 }, { steps: 30 });
  await runTicks(page, 2);
  const turned = await outline(page);
  assert.ok(turned.centre > start.centre + 15, `turned ${start.centre} to ${turned.centre}`);

  await drag(page, { x: 640, y: 300 }, { x: 640, y: 400 }, { button: 'middle', steps: 10 });
  await runTicks(page, 2);
  const nearer = await outline(page);
  assert.ok(nearer.width > turned.width * 1.15, `widened ${turned.width} to ${nearer.width}`);

  // The right button excites the sheet while it is held: no menu, no drag needed.
  await page.mouseDown('right');
  await runTicks(page, 20);
  const whileHeld = sparks(await readCanvas(page));
  await page.mouseUp('right');
  await runTicks(page, sparkLifeTicks + 2);
  const afterRelease = sparks(await readCanvas(page));
  assert.ok(whileHeld > afterRelease, `sparks ${whileHeld} while held, ${afterRelease} after`);
  await closeChecked(page);
});

// The tank's front face is a square: at any size its outline is as wide as it is tall.
async function assertSquareTank(page, width, height) {
  const image = await readCanvas(page);
  assert.deepEqual([image.width, image.height], [width, height]);
  assert.deepEqual(await page.evaluate(() => [canvas.width, canvas.height]), [width, height]);
  const across = litSpan(image, height / 2).width;
  const down = litSpan(image, width / 2, { column: true }).width;
  assert.ok(Math.abs(across - down) <= 0.02 * down, `outline ${across} x ${down}`);
}

test('the canvas follows the window in device pixels and the picture keeps its shape', async () => {
  const ratio = engine.can.deviceScaleFactor ? 2 : 1;
  const page = await openPage(shared, { width: 500, height: 400, deviceScaleFactor: ratio });
  await runTicks(page, 2);
  await assertSquareTank(page, 500 * ratio, 400 * ratio);
  await page.resize(450, 300);
  await runTicks(page, 2);
  await assertSquareTank(page, 450 * ratio, 300 * ratio);
  await closeChecked(page);
});

test('one finger turns, two fingers zoom, a tap starts the spray', async () => {
  const page = await openPage(shared, { touch: true });
  await runTicks(page, 5);
  const start = await outline(page);
  await page.touch('start', [{ x: 400, y: 300, id: 1 }]);
  for (let step = 1; step <= 30; ++step) {
    await page.touch('move', [{ x: 400 + 8 * step, y: 300, id: 1 }]);
  }
  await page.touch('end', []);
  await runTicks(page, 2);
  const turned = await outline(page);
  assert.ok(turned.centre > start.centre + 15, `turned ${start.centre} to ${turned.centre}`);
  assert.equal(await spraying(page), false, 'a drag is no tap');

  await page.touch('start', [{ x: 350, y: 300, id: 1 }, { x: 450, y: 300, id: 2 }]);
  for (let step = 1; step <= 10; ++step) {
    await page.touch('move', [{ x: 350, y: 300 + 10 * step, id: 1 },
      { x: 450, y: 300 + 10 * step, id: 2 }]);
  }
  await page.touch('end', []);
  await runTicks(page, 2);
  const nearer = await outline(page);
  assert.ok(nearer.width > turned.width * 1.15, `widened ${turned.width} to ${nearer.width}`);

  await page.tap(400, 300);
  await runTicks(page, 20);
  assert.equal(await spraying(page), true);
  await closeChecked(page);
});

// A tap lasts at most 300 ms and wanders at most 10 CSS pixels in a straight line from where it
// came down; the fake clock times the touch to the millisecond.
test('a tap is short and still; longer is no tap, farther is a drag', async () => {
  const page = await openPage(shared, { touch: true });
  const hold = async (milliseconds, ...wanderTo) => {
    await page.touch('start', [{ x: 400, y: 300, id: 1 }]);
    for (const [x, y] of wanderTo) await page.touch('move', [{ x, y, id: 1 }]);
    await page.runFor(milliseconds);
    await page.touch('end', []);
  };
  // A toggle shows at once as sparks rising, or as sparks dying out within their 2 s life.
  const sprayingAfter = async (ticks) => {
    await runTicks(page, ticks);
    return spraying(page);
  };
  await runTicks(page, 5);

  await hold(300);
  assert.equal(await sprayingAfter(20), true, 'held still for 300 ms: a tap');
  await hold(301);
  assert.equal(await sprayingAfter(sparkLifeTicks + 2), true, 'held for 301 ms: no tap');
  await hold(100, [403, 304], [406, 308]);
  assert.equal(await sprayingAfter(sparkLifeTicks + 2), false, 'wandered 10 px: a tap');

  await hold(100, [405, 305], [408, 308]);
  assert.equal(await sprayingAfter(20), false, 'moved 11.3 px: a drag, no tap');
  const start = await outline(page);
  await hold(100, ...Array.from({ length: 20 }, (_, i) => [411 + 2 * i, 300]));
  await runTicks(page, 2);
  const turned = await outline(page);
  assert.ok(turned.centre > start.centre + 5, `a drag turned ${start.centre} to ${turned.centre}`);
  assert.equal(await sprayingAfter(20), false, 'a drag is no tap');
  await closeChecked(page);
});
