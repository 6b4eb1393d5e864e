// The native build's recorded scene, fountain and sheet hashes and the libm bits, computed again
// by the wasm build inside this engine's page (its own JavaScript and WebAssembly compiler):
// tests/wasm's program, which prints one line per check and the totals.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { engine, openPage, serveAndLaunch } from './harness.mjs';

const programDir = process.env.WOBBLUX_SAME_BITS_DIR;
const shared = serveAndLaunch({ root: programDir });

test(`the recorded hashes and libm bits come out the same in ${engine.name}`, {
  skip: !programDir && 'WOBBLUX_SAME_BITS_DIR (the wasm build\'s tests/wasm) is not set',
}, async () => {
  const page = await openPage(shared, { path: 'test/same-bits.html', waitForStart: false });
  await page.waitFor(() => window.sameBits.lines.some((line) => / passed, \d+ failed$/.test(line)));
  const lines = await page.evaluate(() => window.sameBits.lines);
  console.log(lines.map((line) => `# ${line}`).join('\n'));
  assert.equal(lines.at(-1), '7 passed, 0 failed');
  assert.deepEqual(lines.filter((line) => !line.startsWith('ok ')).slice(0, -1), []);
  assert.deepEqual(await page.problems(), []);
  await page.close();
});
