// The page as a visitor meets it: its title and icon, the scene in its colours, a WebGL context
// that is lost and comes back, and a clear line when the program cannot run.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  closeChecked, engine, openPage, pixel, readCanvas, runTicks, serveAndLaunch, serveSite, sparks,
} from './harness.mjs';

const shared = serveAndLaunch();

// Each probe, at 800 x 600 after one second, lies where that part of the scene is drawn.
const yellow = ([r, g, b]) => r > 100 && g > 100 && b < r / 2;
const blue = ([r, g, b]) => b > 60 && b > 2 * Math.max(r, g);
const paleBlue = ([r, g, b]) => b > r && b > g && r > 8 && b < 90;
const black = ([r, g, b]) => r + g + b === 0;

test('the scene shows in its colours, titled, asking the server for nothing missing', async () => {
  const page = await openPage(shared);
  await runTicks(page, 30);
  const image = await readCanvas(page);
  assert.equal(await page.title(), 'Wobblux');
  assert.deepEqual([image.width, image.height], [800, 600]);
  assert.ok(yellow(pixel(image, 400, 465)), `hourglass ${pixel(image, 400, 465)}`);
  assert.ok(blue(pixel(image, 400, 150)), `sheet ${pixel(image, 400, 150)}`);
  assert.ok(paleBlue(pixel(image, 200, 300)), `tank wall ${pixel(image, 200, 300)}`);
  assert.ok(black(pixel(image, 60, 300)), `background ${pixel(image, 60, 300)}`);
  // As the desktop window: depth, no alpha (the page would show through), no multisampling.
  assert.deepEqual(await page.evaluate(() => {
    const { alpha, depth, stencil, antialias } = canvas.getContext('webgl').getContextAttributes();
    return { alpha, depth, stencil, antialias };
  }), { alpha: false, depth: true, stencil: false, antialias: false });
  assert.deepEqual(await page.evaluate(async () => {
    const icon = await fetch(document.querySelector('link[rel=icon]').href);
    return [icon.ok, icon.headers.get('Content-Type')];
  }), [true, 'image/svg+xml']);
  assert.deepEqual(shared.site.requests.filter((request) => request.status !== 200), []);
  await closeChecked(page);
});

test('a lost WebGL context that the browser restores draws the scene again', async () => {
  const page = await openPage(shared);
  await runTicks(page, 10);
  const waitFor = (type, action) => page.evaluate(([type, action]) => new Promise((resolve) => {
    const canvas = document.querySelector('#canvas');
    canvas.addEventListener(type, () => resolve(true), { once: true });
    window.loser ??= canvas.getContext('webgl').getExtension('WEBGL_lose_context');
    window.loser[action]();
  }), [type, action]);
  await waitFor('webglcontextlost', 'loseContext');
  await runTicks(page, 10);
  await waitFor('webglcontextrestored', 'restoreContext');
  await runTicks(page, 2);
  const image = await readCanvas(page);
  assert.ok(yellow(pixel(image, 400, 465)), `hourglass ${pixel(image, 400, 465)}`);
  assert.ok(blue(pixel(image, 400, 150)), `sheet ${pixel(image, 400, 150)}`);
  await closeChecked(page);
});

test('?show plays the show: no hint, no input taken, and the spray within the first cycle', async () => {
  const page = await openPage(shared, { path: '?show' });
  await runTicks(page, 55);
  assert.equal(await page.evaluate(() => document.getElementById('hint').getClientRects().length),
    0, 'no hint');
  // A click and the space bar, which would start the spray on a page that took input; the show
  // starts it at its 90th tick.
  await page.mouseMove(400, 300);
  await page.mouseDown();
  await page.mouseUp();
  await page.keyDown(' ');
  await page.keyUp(' ');
  await runTicks(page, 30);
  const beforeTheShowsSpray = sparks(await readCanvas(page));
  await runTicks(page, 30);
  const inIt = sparks(await readCanvas(page));
  assert.ok(beforeTheShowsSpray < 50 && inIt > 300, `sparks ${beforeTheShowsSpray}, then ${inIt}`);
  await closeChecked(page);
});

// Animation frames run only when the test says, and every glClear (one per display) is counted
// as inside or outside a frame.
function holdFrames() {
  const due = [];
  let inFrame = false;
  window.pacing = { outside: 0, perFrame: [], booked: () => due.length };
  window.requestAnimationFrame = (callback) => due.push(callback);
  window.runFrame = () => {
    inFrame = true;
    window.pacing.perFrame.push(0);
    for (const callback of due.splice(0)) callback(performance.now());
    inFrame = false;
  };
  const clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function (mask) {
    if (inFrame) ++window.pacing.perFrame[window.pacing.perFrame.length - 1];
    else ++window.pacing.outside;
    return clear.call(this, mask);
  };
}

test('the scene is drawn only in an animation frame, once however many redisplays', async () => {
  const page = await openPage(shared, { initScript: holdFrames });
  const pacing = () => page.evaluate(() => ({
    outside: window.pacing.outside, perFrame: window.pacing.perFrame,
    booked: window.pacing.booked(),
  }));
  // Ten ticks, each asking for a redisplay, then one frame; again after a resize too.
  for (const resize of [false, true, false]) {
    if (resize) await page.resize(640, 480);
    await runTicks(page, 10);
    const waiting = await pacing();
    assert.equal(waiting.outside, 0, 'nothing drawn outside a frame');
    assert.equal(waiting.booked, 1, 'one frame booked for all the requests');
    await page.evaluate(() => window.runFrame());
  }
  assert.deepEqual(await pacing(), { outside: 0, perFrame: [1, 1, 1], booked: 0 });
  await closeChecked(page);
});

// The page must say what is wrong rather than stay black.
async function problemShown(page) {
  await page.waitFor(() => !document.getElementById('problem').hidden);
  return page.evaluate(() => ({
    line: document.getElementById('problem').textContent,
    canvasShown: document.getElementById('canvas').getClientRects().length > 0,
  }));
}

test('without WebGL the page says so', {
  skip: !engine.can.startWithoutWebGl && `${engine.name} cannot be started without WebGL here`,
}, async () => {
  const browser = await engine.launch({ webgl: false });
  const site = await serveSite();
  try {
    const page = await openPage({ browser, site }, { waitForStart: false });
    const { line, canvasShown } = await problemShown(page);
    assert.match(line, /no WebGL/);
    assert.equal(canvasShown, false);
    await page.close();
  } finally {
    await browser.close();
    site.close();
  }
});

test('a shader that does not compile is named in the line, its log in the console', async () => {
  const page = await openPage(shared, {
    waitForStart: false,
    initScript: () => {
      const real = WebGLRenderingContext.prototype.getShaderParameter;
      WebGLRenderingContext.prototype.getShaderParameter = function (shader, name) {
        return name === this.COMPILE_STATUS ? false : real.call(this, shader, name);
      };
    },
  });
  assert.match((await problemShown(page)).line, /cannot compile its shader/);
  const problems = await page.problems();
  assert.ok(problems.some((line) => line.includes('Shader compile log')), problems.join('\n'));
  await page.close();
});

test('a program that cannot be fetched is reported as not loaded', async () => {
  // The wasm in both its copies, whichever this browser asks for.
  for (const files of [['wobblux.wasm', 'wobblux.wasm.gz'], ['wobblux.js']]) {
    // A server at an address of its own: WebKit may hand a page the script an earlier page
    // preloaded from the same address, whatever the server said about keeping it.
    const site = await serveSite();
    site.missing = new Set(files);
    const page = await openPage({ browser: shared.browser, site }, { waitForStart: false });
    assert.match((await problemShown(page)).line, /could not be loaded/, files.join());
    await page.close();
    site.close();
  }
});
