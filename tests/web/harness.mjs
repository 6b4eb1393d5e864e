// What every browser test shares: the site on a static server of its own, the engine under test
// (WOBBLUX_ENGINE: chromium, the default, firefox or webkit; each adapter in engines/ gives the
// same small page interface), a page on a fake clock, the canvas's pixels as the user sees
// them, and the checks that close every page.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';
import { after, before } from 'node:test';

// The site to test: WOBBLUX_SITE, or else the web preset's build-web/site.
export const siteDir = resolve(process.env.WOBBLUX_SITE ??
  fileURLToPath(new URL('../../build-web/site', import.meta.url)));
export const tickMs = 33;
export { poll, startSecond } from './engines/common.mjs';

export const engineName = process.env.WOBBLUX_ENGINE ?? 'chromium';
const { engine } = await import(`./engines/${engineName}.mjs`);
export { engine };
// The chromium-only calls of the app test, which needs Playwright's profiles and routes.
export { launchChromium as launch, launchPersistent, openInContext } from './engines/chromium.mjs';

const servedDir = fileURLToPath(new URL('served', import.meta.url));
const testPath = '/test/';
const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml', '.png': 'image/png', '.css': 'text/css',
};

// Serves `root` (the site) on 127.0.0.1 at a free port, a folder's index.html for the folder,
// and lists every request with its status; `headers` go with every file.
// The test's own files (served/) are under /test/. Pages get the scripts named in `inject`
// (files of served/) ahead of their own, as <script src> elements of the same origin; the files
// named in `missing` answer 404.
export async function serveSite(root = siteDir, headers = {}) {
  const site = { requests: [], inject: [], missing: new Set() };
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://x').pathname;
    const [base, name] = path.startsWith(testPath)
      ? [servedDir, path.slice(testPath.length)]
      : [root, path.endsWith('/') ? `${path}index.html` : path];
    const file = normalize(join(base, name));
    let status = 200;
    if (path === `${testPath}${initScriptName}`) {
      response.writeHead(200, { 'Content-Type': 'text/javascript', 'Cache-Control': 'no-store' });
      response.end(`(${site.initScript})();`);
      site.requests.push({ path, status });
      return;
    }
    try {
      if (!file.startsWith(base + sep) || site.missing.has(name.replace(/^\//, ''))) {
        throw new Error('not served');
      }
      let body = await readFile(file);
      if (extname(file) === '.html' && site.inject.length > 0) body = injected(body, site.inject);
      const type = types[extname(file)] ?? 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store', ...headers });
      response.end(body);
    } catch {
      status = 404;
      response.writeHead(404).end();
    }
    site.requests.push({ path, status });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  site.url = `http://127.0.0.1:${server.address().port}/`;
  site.close = () => server.close();
  return site;
}

// A test's own function to run before the page's scripts (openPage's initScript), served as a
// file of the same origin like the others.
const initScriptName = 'init-script.js';

// The scripts go before the page's first script, or at the end of its head.
function injected(html, scripts) {
  const tags = scripts.map((name) => `<script src="${testPath}${name}"></script>`).join('');
  const text = html.toString();
  const at = text.search(/<script[\s>]/i);
  return Buffer.from(at >= 0 ? text.slice(0, at) + tags + text.slice(at)
    : text.replace(/<\/head>/i, `${tags}</head>`));
}

// Serves the site and launches the engine before a test file's tests, and stops both after
// them; the returned object holds them (site, browser) once they run.
export function serveAndLaunch(options = {}) {
  const shared = {};
  before(async () => {
    shared.site = await serveSite(options.root);
    shared.browser = await engine.launch(options);
  });
  after(async () => {
    await shared.browser?.close();
    shared.site?.close();
  });
  return shared;
}

// Opens the site at 800 x 600 (CSS pixels) on a fake clock that stands still until runTicks
// (on the real clock with `clock: false`), and waits until main() has run unless told not to.
// `touch` asks for a page that takes touch input, `deviceScaleFactor` for that devicePixelRatio
// (where the engine can set it), `scripts` for files of served/ and `initScript` for a function
// to run before the page's own scripts, after the fake clock's.
export async function openPage(shared, { width = 800, height = 600, deviceScaleFactor = 1,
  touch = false, waitForStart = true, path = '', clock = true, scripts = [], initScript } = {}) {
  if (initScript) {
    shared.site.initScript = String(initScript);
    scripts = [...scripts, initScriptName];
  }
  const page = await shared.browser.open(shared.site, new URL(path, shared.site.url).href,
    { width, height, deviceScaleFactor, touch, clock, scripts });
  // main() has run once the first tick's timer waits on the fake clock.
  if (waitForStart) await page.waitFor(() => window.Module?.calledRun === true);
  return page;
}

// Runs `ticks` ticks (and the frames they ask for) on the fake clock.
export async function runTicks(page, ticks) {
  await page.runFor(ticks * tickMs);
}

// The canvas as shown on the screen, {width, height, data: RGBA bytes}.
export async function readCanvas(page) {
  await page.evaluate(() => { document.getElementById('hint').style.display = 'none'; });
  return decodePng(page, await page.screenshot());
}

// PNG bytes to RGBA, decoded by the browser itself.
export async function decodePng(page, png) {
  const { width, height, base64 } = await page.evaluate(async (source) => {
    // From bytes, not a data: URL, which the page's policy does not allow.
    const png = Uint8Array.from(atob(source), (character) => character.charCodeAt(0));
    const image = await createImageBitmap(new Blob([png], { type: 'image/png' }));
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
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

// What every page must have kept to at its end. Each check is asserted in turn; add one here
// and every test of every engine makes it.
export const closingChecks = [
  async function noWebGlError(page) {
    assert.equal(await webGlError(page), 0, 'WebGL recorded no error');
  },
  async function noConsoleOrUncaughtError(page) {
    assert.deepEqual(await page.problems(), [], 'no console error and no uncaught error');
  },
  async function noPolicyViolation(page) {
    assert.deepEqual(await page.evaluate(() => window.policyViolations ?? ['not recorded']), [],
      'no Content-Security-Policy violation');
  },
];

// Ends a test's page after the closing checks.
export async function closeChecked(page, { webgl = true } = {}) {
  for (const check of closingChecks) {
    if (webgl || check.name !== 'noWebGlError') await check(page);
  }
  await page.close();
}
