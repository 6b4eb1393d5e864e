// Fifteen seconds of random keys, clicks, drags, wheel turns, touches and resizes, on the fake
// clock moving a tick or two between them; then the page must still draw and still answer the
// space bar. The seed is printed; WOBBLUX_STORM_SEED replays another.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  closeChecked, engine, openPage, pixel, readCanvas, runTicks, serveAndLaunch,
} from './harness.mjs';

const shared = serveAndLaunch();
const stormMs = 15000;
const seed = Number(process.env.WOBBLUX_STORM_SEED ?? 20261209);

// mulberry32: a small generator whose stream the seed fixes.
function generator(state) {
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Grey-white pixels anywhere: the sparks, wherever the storm left the view.
function greyWhite(image) {
  let count = 0;
  for (let y = 0; y < image.height; y += 2) {
    for (let x = 0; x < image.width; x += 2) {
      const rgb = pixel(image, x, y);
      if (Math.min(...rgb) >= 70 && Math.max(...rgb) - Math.min(...rgb) < 60) ++count;
    }
  }
  return count;
}

test(`a storm of input leaves ${engine.name} drawing and answering the space bar`, async () => {
  console.log(`# storm seed ${seed}`);
  const random = generator(seed);
  const below = (n) => Math.floor(random() * n);
  const pick = (items) => items[below(items.length)];
  const page = await openPage(shared, { touch: true });
  const size = { width: 800, height: 600 };
  const at = () => ({ x: 5 + below(size.width - 10), y: 5 + below(size.height - 10) });
  const actions = {
    async key() {
      const key = pick([' ', 'a', 'x', 'Enter', 'Escape']);
      await page.keyDown(key);
      await page.keyUp(key);
    },
    async click() {
      const button = pick(['left', 'middle', 'right']);
      const { x, y } = at();
      await page.mouseMove(x, y);
      await page.mouseDown(button);
      await page.mouseUp(button);
    },
    async drag() {
      const button = pick(['left', 'middle', 'right']);
      const { x, y } = at();
      await page.mouseMove(x, y);
      await page.mouseDown(button);
      for (let step = below(6); step >= 0; --step) {
        const to = at();
        await page.mouseMove(to.x, to.y);
        await runTicks(page, below(2));
      }
      await page.mouseUp(button);
    },
    async wheel() {
      const { x, y } = at();
      await page.wheel(x, y, pick([-120, -40, 40, 120]));
    },
    async touch() {
      if (random() < 0.3) {
        const { x, y } = at();
        await page.tap(x, y);
        return;
      }
      const fingers = () => Array.from({ length: 1 + below(2) }, (_, index) => ({ ...at(), id: index + 1 }));
      let points = fingers();
      await page.touch('start', points);
      for (let step = below(5); step >= 0; --step) {
        points = points.map((point) => ({ ...point, ...at() }));
        await page.touch('move', points);
      }
      await page.touch('end', []);
    },
    async resize() {
      size.width = 460 + below(440);
      size.height = 320 + below(380);
      await page.resize(size.width, size.height);
    },
  };
  const names = Object.keys(actions);
  const counts = Object.fromEntries(names.map((name) => [name, 0]));
  const end = Date.now() + stormMs;
  while (Date.now() < end) {
    const name = pick(names);
    ++counts[name];
    await actions[name]();
    await runTicks(page, 1 + below(2));
  }
  console.log(`# ${Object.entries(counts).map(([name, count]) => `${count} ${name}`).join(', ')}`);

  await page.resize(800, 600);
  await runTicks(page, 70);  // the last spark of a spray started in the storm has lived
  const settled = await readCanvas(page);
  await runTicks(page, 10);
  const later = await readCanvas(page);
  assert.ok(!settled.data.equals(later.data), 'the scene still moves');
  // The spray goes on and off with each press: the grey-white count moves away from the
  // first and back, whichever way the storm left it.
  const sprayCounts = [greyWhite(later)];
  for (let press = 0; press < 2; ++press) {
    await page.keyDown(' ');
    await page.keyUp(' ');
    await runTicks(page, 70);
    sprayCounts.push(greyWhite(await readCanvas(page)));
  }
  const [first, toggled, back] = sprayCounts;
  assert.ok(Math.sign(first - toggled) === Math.sign(back - toggled) &&
    Math.min(Math.abs(first - toggled), Math.abs(back - toggled)) > 200,
    `grey-white pixels ${sprayCounts.join(', ')} before and after each of two presses`);
  await closeChecked(page);
});
