// Prints what the site costs in headless chromium at 800 x 600 on the real clock: its size, when
// the first frame is drawn, the tick rate at full spray and the time of each animation frame's
// work (the display callback: wasm, the GL subset and the WebGL calls). Nothing is asserted.
//   node tests/web/measure.mjs    (WOBBLUX_SITE=build-c-web/site for another build's site)

import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serveSite, siteDir } from './harness.mjs';

// Counts the ticks (the program's 33 ms timeouts) and times every animation frame callback.
function instrument() {
  const measured = { ticks: 0, frames: [], firstFrame: null };
  window.measured = measured;
  const setTimeoutOriginal = window.setTimeout;
  window.setTimeout = function (callback, delay, ...rest) {
    const counted = delay === 33 ? (...args) => { measured.ticks++; callback(...args); } : callback;
    return setTimeoutOriginal.call(window, counted, delay, ...rest);
  };
  const requestOriginal = window.requestAnimationFrame;
  window.requestAnimationFrame = (callback) => requestOriginal.call(window, (time) => {
    const start = performance.now();
    callback(time);
    const end = performance.now();
    measured.frames.push(end - start);
    measured.firstFrame ??= end;
  });
}

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
// The first visit loads every file but the PNG icons, which only an installing browser and the
// service worker fetch.
let total = 0;
let totalGzip = 0;
let firstVisitGzip = 0;
for (const name of readdirSync(siteDir).sort()) {
  const bytes = readFileSync(join(siteDir, name));
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  total += bytes.length;
  totalGzip += gzipped;
  if (!name.endsWith('.png')) firstVisitGzip += gzipped;
  console.log(`${name}: ${kb(bytes.length)}, ${kb(gzipped)} gzipped`);
}
console.log(`site: ${kb(total)}, ${kb(totalGzip)} gzipped`);
console.log(`first visit (all but the icons): ${kb(firstVisitGzip)} gzipped`);

const site = await serveSite();
const browser = await launch();
const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
await page.addInitScript(instrument);
await page.goto(site.url);
await page.waitForFunction(() => window.measured.firstFrame !== null);
const firstFrame = await page.evaluate(() => measured.firstFrame);
console.log(`first frame drawn ${firstFrame.toFixed(0)} ms after navigation`);

await page.keyboard.press('Space');
await page.waitForTimeout(3000);  // sparks live 2 s: the pool is as full as it gets
const seconds = 5;
const before = await page.evaluate(() => ({
  ticks: measured.ticks, frames: measured.frames.length,
}));
await page.waitForTimeout(seconds * 1000);
const after = await page.evaluate(() => ({ ticks: measured.ticks, frames: [...measured.frames] }));
const frames = after.frames.slice(before.frames).sort((a, b) => a - b);
const quantile = (q) =>
  frames[Math.min(frames.length - 1, Math.floor(q * frames.length))].toFixed(2);
console.log(`full spray: ${((after.ticks - before.ticks) / seconds).toFixed(1)} ticks/s, ` +
  `${(frames.length / seconds).toFixed(1)} frames/s`);
console.log(`frame work: median ${quantile(0.5)} ms, 90% ${quantile(0.9)} ms, ` +
  `max ${quantile(1)} ms`);
await browser.close();
site.close();
