// With the clock fixed, the browser's canvas after N ticks is the picture the native build
// draws of the same state through the same GL subset (tests/gles' gles_subset on Mesa).

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import {
  closingChecks, decodePng, engine, openPage, readCanvas, serveAndLaunch, startSecond, tickMs,
} from './harness.mjs';

const tool = process.env.WOBBLUX_GLES_SUBSET;
const skip = tool && existsSync(tool) ? false
  : `the native frame tool (${tool || 'WOBBLUX_GLES_SUBSET unset'}) is not built: ` +
    'build the gles_subset target of a native build to compare pictures';

// The shares each engine keeps, within 2 and within 8. Measured: chromium's SwiftShader against
// Mesa's llvmpipe, the starting scene has 99.995% of its pixels within 2 and within 8, the full
// spray 99.715% within 2 and 99.829% within 8; what differs are single pixels where the two
// rasterisers split a triangle edge or step a spark's line differently. Firefox and WebKit draw
// WebGL on llvmpipe, as the native tool does, and both scenes came out identical to its frames
// (no pixel differs at all); they are held to 99.99%, a little room for another Mesa. A tick too
// many or too few leaves 2.6% of pixels more than 8 apart.
const tolerances = {
  chromium: { within2: 0.995, within8: 0.997 },
  firefox: { within2: 0.9999, within8: 0.9999 },
  webkit: { within2: 0.9999, within8: 0.9999 },
};
const { within2: within2Share, within8: within8Share } = tolerances[engine.name];

const shared = skip ? {} : serveAndLaunch();
let scratch;
before(() => { scratch = mkdtempSync(join(tmpdir(), 'wobblux-web-')); });
after(() => rmSync(scratch, { recursive: true }));

// The browser's frame after `ticks` ticks, the sheet excited from tick `exciteFrom` (1 or
// more) on. The first tick runs at the start time and tick k at 33 k ms, as in the native tool's
// clock script of 33 ms per tick.
async function browserFrame(page, ticks, exciteFrom) {
  let now = 0;
  const runTo = async (time) => {
    await page.runFor(time - now);
    now = time;
  };
  if (exciteFrom !== undefined) {
    await runTo((exciteFrom - 1) * tickMs);
    await page.keyDown(' ');
    await page.keyUp(' ');
  }
  await runTo(ticks * tickMs - 1);  // the last tick and its frame, not the next tick
  return readCanvas(page);
}

async function nativeFrame(ticks, exciteFrom) {
  const output = join(scratch, `native-${ticks}.png`);
  await promisify(execFile)(tool, [
    '--width', '800', '--height', '600', '--ticks', String(ticks),
    '--excite-from', exciteFrom === undefined ? 'none' : String(exciteFrom),
    '--start-second', String(startSecond), '--clock', String(tickMs), '--output', output,
  ]);
  return readFileSync(output);
}

// Shares of pixels whose largest channel difference is at most 2 and at most 8, and the largest.
function compare(one, other) {
  assert.deepEqual([one.width, one.height], [other.width, other.height]);
  let within2 = 0;
  let within8 = 0;
  let largest = 0;
  for (let i = 0; i < one.data.length; i += 4) {
    const difference = Math.max(
      ...[0, 1, 2].map((c) => Math.abs(one.data[i + c] - other.data[i + c])));
    largest = Math.max(largest, difference);
    if (difference <= 2) ++within2;
    if (difference <= 8) ++within8;
  }
  const pixels = one.data.length / 4;
  return { within2: within2 / pixels, within8: within8 / pixels, largest };
}

for (const [name, ticks, exciteFrom] of [['the starting scene', 30], ['the full spray', 120, 30]]) {
  test(`${name} is the native picture`, { skip }, async () => {
    const page = await openPage(shared);
    const image = await browserFrame(page, ticks, exciteFrom);
    const native = await decodePng(page, await nativeFrame(ticks, exciteFrom));
    const shares = compare(image, native);
    console.log(`# ${engine.name}, ${name}: ${(100 * shares.within2).toFixed(3)}% of pixels within 2, ` +
      `${(100 * shares.within8).toFixed(3)}% within 8, largest difference ${shares.largest}`);
    assert.ok(shares.within2 >= within2Share && shares.within8 >= within8Share);
    for (const check of closingChecks) await check(page);
    await page.close();
  });
}
