// Prints what the site costs in each engine at 800 x 600 on the real clock: its size, when the
// first frame is drawn after navigation, the tick and frame rates at full spray over 10 s and
// the time of each animation frame's work (the display callback: wasm, the GL subset and the
// WebGL calls). Nothing is asserted.
//   node tests/web/measure.mjs [chromium] [firefox] [webkit]    (all three unless named;
//   WOBBLUX_SITE=build-c-web/site for another build's site)

import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { openPage, serveSite, siteDir } from './harness.mjs';

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
// The first visit loads every file but the PNG icons, which only an installing browser and the
// service worker fetch.
let total = 0;
let totalGzip = 0;
let firstVisitGzip = 0;
for (const name of readdirSync(siteDir).sort()) {
  if (!statSync(join(siteDir, name)).isFile()) continue;
  const bytes = readFileSync(join(siteDir, name));
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  total += bytes.length;
  totalGzip += gzipped;
  if (!name.endsWith('.png')) firstVisitGzip += gzipped;
  console.log(`${name}: ${kb(bytes.length)}, ${kb(gzipped)} gzipped`);
}
console.log(`site: ${kb(total)}, ${kb(totalGzip)} gzipped`);
console.log(`first visit (all but the icons): ${kb(firstVisitGzip)} gzipped`);

const seconds = 10;
const names = process.argv.length > 2 ? process.argv.slice(2) : ['chromium', 'firefox', 'webkit'];
const site = await serveSite();
for (const name of names) {
  const { engine } = await import(`./engines/${name}.mjs`);
  const browser = await engine.launch();
  const page = await openPage({ site, browser },
    { clock: false, scripts: ['measure-frames.js'], waitForStart: false });
  await page.waitFor(() => window.measured.firstFrame !== null);
  const firstFrame = await page.evaluate(() => measured.firstFrame);
  await page.keyDown(' ');
  await page.keyUp(' ');
  await new Promise((resolve) => setTimeout(resolve, 3000));  // sparks live 2 s: the pool is full
  const before = await page.evaluate(() => ({
    ticks: measured.ticks, frames: measured.frames.length, at: performance.now(),
  }));
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const after = await page.evaluate(() => ({
    ticks: measured.ticks, frames: measured.frames.slice(), at: performance.now(),
  }));
  const span = (after.at - before.at) / 1000;
  const frames = after.frames.slice(before.frames).sort((a, b) => a - b);
  const quantile = (q) =>
    frames[Math.min(frames.length - 1, Math.floor(q * frames.length))].toFixed(2);
  console.log(`${name} ${browser.version}: first frame ${firstFrame.toFixed(0)} ms after ` +
    `navigation; full spray: ${((after.ticks - before.ticks) / span).toFixed(1)} ticks/s, ` +
    `${(frames.length / span).toFixed(1)} frames/s; frame work: median ${quantile(0.5)} ms, ` +
    `90% ${quantile(0.9)} ms, max ${quantile(1)} ms`);
  await page.close();
  await browser.close();
}
site.close();
