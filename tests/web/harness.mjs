// What every browser test shares: the site on a static server of its own, headless chromium,
// a page on a fake clock, and the canvas's pixels as the user sees them.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

// The site to test: WOBBLUX_SITE, or else the web preset's build-web/site.
export const siteDir = resolve(process.env.WOBBLUX_SITE ??
  fileURLToPath(new URL('../../build-web/site', import.meta.url)));
export const tickMs = 33;
// The fake clock starts on a whole second, as the native frame tool's clock does.
export const startSecond = 1700000000;

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

// Serves a folder (siteDir unless told) on 127.0.0.1 at a free port, a folder's index.html for
// the folder, and lists every request with its status. `headers` go with every file.
export async function serveSite(root = siteDir, headers = {}) {
  const requests = [];
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://x').pathname;
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    let status = 200;
    try {
      if (!file.startsWith(root + sep)) throw new Error('outside the site');
      const body = await readFile(file);
      const type = types[extname(file)] ?? 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type, ...headers });
      response.end(body);
    } catch {
      status = 404;
      response.writeHead(404).end();
    }
    requests.push({ path, status });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  return { url, requests, close: () => server.close() };
}

// Serves the site and launches a browser before a test file's tests, and stops both after them;
// the returned object holds them (site, browser) once they run.
export function serveAndLaunch() {
  const shared = {};
  before(async () => {
    shared.site = await serveSite();
    shared.browser = await launch();
  });
  after(async () => {
    await shared.browser?.close();
    shared.site?.close();
  });
  return shared;
}

const chromiumOptions = (extraArgs) => ({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...extraArgs],
});

export function launch(extraArgs = []) {
  return chromium.launch(chromiumOptions(extraArgs));
}

// A browser with a profile in `dir`, as a visitor's own: unlike launch()'s contexts it is not
// incognito, which an installed app cannot be.
export function launchPersistent(dir, { viewport = { width: 800, height: 600 } } = {}) {
  return chromium.launchPersistentContext(dir, { ...chromiumOptions([]), viewport });
}

// Opens the site at 800 x 600 on a fake clock that stands still until runFor, in a new context
// of `browser` or in the given `context`. Console errors, uncaught exceptions and the page's
// Content-Security-Policy violations are collected in page.problems.
export async function openPage(browser, url, { viewport = { width: 800, height: 600 },
  deviceScaleFactor = 1, hasTouch = false, initScript, waitForStart = true, context } = {}) {
  context ??= await browser.newContext({ viewport, deviceScaleFactor, hasTouch });
  const page = await context.newPage();
  page.problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') page.problems.push(message.text());
  });
  page.on('pageerror', (error) => page.problems.push(String(error)));
  await page.addInitScript(() => {
    window.policyViolations = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      window.policyViolations.push(`${event.violatedDirective} blocked ${event.blockedURI}`);
    }, true);
  });
  // Installed a second early and paused on the start: time then moves only by runFor.
  await page.clock.install({ time: (startSecond - 1) * 1000 });
  await page.clock.pauseAt(startSecond * 1000);
  if (initScript) await page.addInitScript(initScript);
  await page.goto(url);
  // main() has run once the first tick's timer waits on the fake clock.
  if (waitForStart) await page.waitForFunction(() => window.Module?.calledRun === true);
  return page;
}

// Runs `ticks` ticks (and the frames they ask for) on the fake clock.
export async function runTicks(page, ticks) {
  await page.clock.runFor(ticks * tickMs);
}

// The canvas as shown on the screen, {width, height, data: RGBA bytes}. The hint is hidden
// through its style property: the page's policy forbids the style element that Playwright's
// screenshot option `style` would add.
export async function readCanvas(page) {
  const hintShown = (shown) => page.evaluate((shown) => {
    document.querySelector('#hint').style.display = shown ? '' : 'none';
  }, shown);
  await hintShown(false);
  const png = await page.locator('#canvas').screenshot();
  await hintShown(true);
  return decodePng(page, png);
}

// PNG bytes to RGBA, decoded by the browser itself.
export async function decodePng(page, png) {
  const { width, height, base64 } = await page.evaluate(async (source) => {
    const image = new Image();
    image.src = `data:image/png;base64,${source}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const bytes = context.getImageData(0, 0, image.width, image.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    }
    return { width: image.width, height: image.height, base64: btoa(text) };
  }, png.toString('base64'));
  return { width, height, data: Buffer.from(base64, 'base64') };
}

export function pixel(image, x, y) {
  const at = (y * image.width + x) * 4;
  return [image.data[at], image.data[at + 1], image.data[at + 2]];
}

// The span of pixels that are not black along row y (or, with `column`, column x): the tank's
// outline there.
export function litSpan(image, at, { column = false } = {}) {
  const length = column ? image.height : image.width;
  let first = -1;
  let last = -1;
  for (let i = 0; i < length; ++i) {
    if (Math.max(...(column ? pixel(image, at, i) : pixel(image, i, at))) > 6) {
      if (first < 0) first = i;
      last = i;
    }
  }
  return { first, last, width: last - first + 1, centre: (first + last) / 2 };
}

// Grey-white pixels above the hourglass at 800 x 600: the sparks. Nothing else there is grey
// (the darts are coloured, the walls dark).
export function sparks(image) {
  let count = 0;
  for (let y = 230; y < 430; ++y) {
    for (let x = 340; x < 460; ++x) {
      if (Math.min(...pixel(image, x, y)) >= 70) ++count;
    }
  }
  return count;
}

export async function webGlError(page) {
  return page.evaluate(() => document.querySelector('#canvas').getContext('webgl').getError());
}

// Ends a test's page: WebGL recorded no error, the console no error and the page's policy no
// violation over the whole run.
export async function closeChecked(page) {
  assert.equal(await webGlError(page), 0);
  page.problems.push(...await page.evaluate(() => window.policyViolations));
  assert.deepEqual(page.problems, []);
  await page.context().close();
}
