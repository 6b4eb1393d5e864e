// The site as an app in chromium, in a profile of its own as a visitor's browser has: the manifest
// and its icons, nothing against installing it, the service worker that starts it with no
// network, and a new build that replaces the old one's files and cache.

import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cp, mkdtemp, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';
import {
  closeChecked, decodePng, launch, launchPersistent, openInContext, pixel, readCanvas, runTicks,
  serveSite, siteDir,
} from './harness.mjs';

const sourceDir = fileURLToPath(new URL('../../src/web/', import.meta.url));
const cmake = process.env.WOBBLUX_CMAKE ?? 'cmake';

// Two copies of the site, in folders a/ and b/ of one origin, as a host may serve them. The
// server lets browsers keep every file for a day, as many hosts do, so a new build reaches the
// app only if the worker asks the server past the HTTP cache.
const shared = {};
before(async () => {
  shared.root = await mkdtemp(join(tmpdir(), 'wobblux-app-'));
  for (const folder of ['a', 'b']) await cp(siteDir, join(shared.root, folder), { recursive: true });
  shared.site = await serveSite(shared.root, { 'Cache-Control': 'max-age=86400' });
  shared.url = (folder) => `${shared.site.url}${folder}/`;
});
after(async () => {
  shared.site?.close();
  await rm(shared.root, { recursive: true, force: true });
});

// A fresh profile for each test; its folder goes with it.
async function withProfile(run) {
  const dir = await mkdtemp(join(tmpdir(), 'wobblux-profile-'));
  const context = await launchPersistent(dir);
  try {
    await run(context);
  } finally {
    await context.close();
    await rm(dir, { recursive: true, force: true });
  }
}

async function openControlled(context, url) {
  const page = await openInContext(context, url);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  return page;
}

const yellow = ([r, g, b]) => r > 100 && g > 100 && b < r / 2;

// Width and height from a PNG's header chunk.
function pngSize(bytes) {
  assert.equal(bytes.toString('latin1', 1, 4), 'PNG');
  return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
}

test('the manifest parses, its icons have their stated sizes, and chromium would install it', async () => {
  await withProfile(async (context) => {
    const page = await openControlled(context, shared.url('a'));
    const cdp = await context.newCDPSession(page.page);
    const { errors, manifest } = await cdp.send('Page.getAppManifest');
    assert.deepEqual(errors, []);
    // Relative in the file, so the app is the folder it was found in.
    assert.equal(manifest.startUrl, shared.url('a'));
    assert.equal(manifest.scope, shared.url('a'));
    assert.ok(manifest.icons.length >= 2);
    for (const icon of manifest.icons) {
      const bytes = Buffer.from(await (await fetch(icon.url)).arrayBuffer());
      assert.equal(pngSize(bytes), icon.sizes, icon.url);
    }
    // A mask may keep no more than the circle of 40 % of the size about the centre: outside it
    // the maskable icon is its opaque background and nothing else.
    const image = await decodePng(page, await readFile(join(shared.root, 'a/icon-maskable-512.png')));
    const background = pixel(image, 0, 0);
    let differing = 0;
    for (let y = 0; y < image.height; ++y) {
      for (let x = 0; x < image.width; ++x) {
        if (Math.hypot(x + 0.5 - image.width / 2, y + 0.5 - image.height / 2) <= 0.4 * image.width) {
          continue;
        }
        const at = (y * image.width + x) * 4;
        const same = pixel(image, x, y).every((value, i) => Math.abs(value - background[i]) <= 2);
        if (!same || image.data[at + 3] !== 255) ++differing;
      }
    }
    assert.equal(differing, 0, 'pixels of the maskable icon outside its safe circle');
    assert.deepEqual(await cdp.send('Page.getInstallabilityErrors'), { installabilityErrors: [] });
    await closeChecked(page);
  });
});

// The page's, the browser's and the worker's requests alike, from the `from`th on, each file
// asked for more than once; the folder is its index.html.
function fetchedTwice(from) {
  const files = shared.site.requests.slice(from)
    .map(({ path }) => path.replace(/\/$/, '/index.html'));
  return files.filter((file, i) => files.indexOf(file) !== i);
}

test('a first visit fetches each file once, and after it the app draws with no network', async () => {
  await withProfile(async (context) => {
    const from = shared.site.requests.length;
    const show = await openControlled(context, `${shared.url('b')}index.html?show`);
    assert.deepEqual(fetchedTwice(from), [], 'fetched twice for index.html?show');
    await show.close();
  });
  await withProfile(async (context) => {
    const from = shared.site.requests.length;
    const page = await openControlled(context, shared.url('a'));
    assert.deepEqual(fetchedTwice(from), [], 'fetched twice');
    await runTicks(page, 5);
    await context.setOffline(true);
    await page.reload();
    await page.waitForFunction(() => window.Module?.calledRun === true);
    await runTicks(page, 30);
    const image = await readCanvas(page);
    assert.ok(yellow(pixel(image, 400, 465)), `hourglass ${pixel(image, 400, 465)}`);
    await closeChecked(page);
  });
});

// Asks the page until `condition` (which may return a promise) holds, for up to 20 s.
async function until(page, condition, argument) {
  for (let attempt = 0; attempt < 200; ++attempt) {
    if (await page.evaluate(condition, argument)) return;
    await sleep(100);
  }
  assert.fail(`never: ${condition}`);
}

// Writes folder's sw.js as the build does, from every other file there; returns sw.js.
async function writeWorker(folder) {
  const files = (await readdir(folder)).filter((name) => name !== 'sw.js');
  execFileSync(cmake, [`-DSITE=${folder}`, `-DTEMPLATE=${join(sourceDir, 'sw.js.in')}`,
    '-P', join(sourceDir, 'service_worker.cmake'), ...files]);
  return readFile(join(folder, 'sw.js'), 'utf8');
}

test('a new build replaces its folder\'s files and cache at the next visit, not another folder\'s', async () => {
  const folder = join(shared.root, 'a');
  const built = await readFile(join(folder, 'sw.js'), 'utf8');
  // The build's worker names exactly the files of the site and a hash of them: written again
  // from the folder's files, it comes out the same.
  assert.equal(await writeWorker(folder), built);
  await withProfile(async (context) => {
    for (const name of ['b', 'a']) await (await openControlled(context, shared.url(name))).close();

    // The page's hint, which the program leaves alone (it sets the title itself).
    const index = join(folder, 'index.html');
    await writeFile(index, (await readFile(index, 'utf8')).replace(
      '<p id="hint">Drag', '<p id="hint">Rebuilt. Drag'));
    const rebuiltPage = (page) =>
      page.evaluate(() => document.querySelector('#hint').textContent.startsWith('Rebuilt.'));
    const rebuilt = await writeWorker(folder);
    const buildName = (worker) => worker.match(/const build = "([0-9a-f]+)"/)[1];
    assert.notEqual(buildName(rebuilt), buildName(built));

    // This visit still runs the build it has, whole, while the new one is copied.
    const visit = await openControlled(context, shared.url('a'));
    assert.equal(await rebuiltPage(visit), false);
    await until(visit, ([scope, build]) => caches.keys().then((names) =>
      names.includes(`wobblux ${scope} ${build}`)), [shared.url('a'), buildName(rebuilt)]);
    await visit.close();
    // With no page of the old build open, the new worker takes over and deletes its cache, which
    // a page of the other folder sees.
    const other = await openControlled(context, shared.url('b'));
    await until(other, ([scope, build]) => caches.keys().then((names) =>
      names.filter((cache) => cache.includes(scope) && !cache.endsWith(build)).length === 0),
    [shared.url('a'), buildName(rebuilt)]);

    const next = await openControlled(context, shared.url('a'));
    assert.equal(await rebuiltPage(next), true);
    const names = await next.evaluate(() => caches.keys());
    const of = (name) => names.filter((cache) => cache.includes(shared.url(name)));
    assert.deepEqual(of('a'), [`wobblux ${shared.url('a')} ${buildName(rebuilt)}`]);
    assert.equal(of('b').length, 1, 'the other folder keeps its cache');
    await closeChecked(next);
  });
});

test('without the line of its head that asks for the wasm, the page asks itself', async () => {
  const browser = await launch();
  try {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
    await context.route('**/b/', async (route) => {
      const response = await route.fetch();
      const html = (await response.text()).replace(/<script>[^<]*wobbluxWasm[^<]*<\/script>/, '');
      await route.fulfill({ response, body: html });
    });
    const page = await openInContext(context, shared.url('b'));
    assert.equal(await page.evaluate(() => 'wobbluxWasm' in window), false);
    await page.waitForFunction(() => window.Module?.calledRun === true);
    await runTicks(page, 30);
    const image = await readCanvas(page);
    assert.ok(yellow(pixel(image, 400, 465)), `hourglass ${pixel(image, 400, 465)}`);
    await closeChecked(page);
  } finally {
    await browser.close();
  }
});

test('where the worker cannot be registered the page runs as before', async () => {
  const browser = await launch();
  try {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
    await context.route('**/sw.js', (route) => route.fulfill({ status: 404 }));
    const page = await openInContext(context, shared.url('b'));
    // Loaded, so the registration has been tried, and started, so the ticks draw: the program
    // may finish compiling its wasm after the page's load event.
    await page.waitForFunction(
      () => document.readyState === 'complete' && window.Module?.calledRun === true);
    await runTicks(page, 30);
    const image = await readCanvas(page);
    assert.ok(yellow(pixel(image, 400, 465)), `hourglass ${pixel(image, 400, 465)}`);
    assert.equal(await page.locator('#problem').isVisible(), false);
    assert.equal(await page.evaluate(() => navigator.serviceWorker.controller), null);
    // The browser's own line about the missing worker is the only one.
    page.seen = page.seen.filter((line) => !/when fetching the script/.test(line));
    await closeChecked(page);
  } finally {
    await browser.close();
  }
});
