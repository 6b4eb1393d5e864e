// Prints what the site costs in each engine at 800 x 600 on the real clock: its size; a first
// visit as chromium makes it; the first frame on a phone's network in chromium, beside a bare
// WebGL page's; when the first frame is drawn after navigation in a newly started browser; the
// tick and frame rates at full spray over 10 s and the time of each tick's work (the simulations'
// step) and each animation frame's (the display callback: wasm, the GL subset and the WebGL
// calls). Nothing is asserted.
//   node tests/web/measure.mjs [chromium] [firefox] [webkit]    (all three unless named;
//   WOBBLUX_SITE=build-c-web/site for another build's site; `mobile` alone: the phone's network;
//   WOBBLUX_VISITS=15 for more visits than five, on a busy machine)

import { spawn } from 'node:child_process';
import { mkdtemp, rm } from 'node:fs/promises';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { freePort } from './engines/common.mjs';
import {
  launch, launchPersistent, openInContext, openPage, serveSite, siteDir,
} from './harness.mjs';

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const gzipped = new Map();
let total = 0;
let totalGzip = 0;
for (const name of readdirSync(siteDir).sort()) {
  if (!statSync(join(siteDir, name)).isFile()) continue;
  const bytes = readFileSync(join(siteDir, name));
  gzipped.set(name, gzipSync(bytes, { level: 9 }).length);
  total += bytes.length;
  totalGzip += gzipped.get(name);
  console.log(`${name}: ${kb(bytes.length)}, ${kb(gzipped.get(name))} gzipped`);
}
console.log(`site: ${kb(total)}, ${kb(totalGzip)} gzipped`);

// python's http.server on `dir`, as a plain static host serves a site (no compression, no
// caching headers but Last-Modified); every response it logs is listed, the folder as index.html.
async function servePython(dir) {
  const port = await freePort();
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1',
    '--directory', dir, String(port)], { stdio: ['ignore', 'pipe', 'pipe'] });
  const responses = [];
  server.stderr.on('data', (text) => {
    for (const [, path, status] of String(text).matchAll(/"GET (\S+) HTTP\/[\d.]+" (\d+)/g)) {
      responses.push({ file: path === '/' ? 'index.html' : path.slice(1), status: Number(status) });
    }
  });
  await new Promise((resolve) => server.stdout.once('data', resolve));
  return { url: `http://127.0.0.1:${port}/`, responses, close: () => server.kill() };
}

// A first visit from outside: chromium in a fresh profile, every response to the page, the
// browser and the service worker counted until the worker controls the page, each as its file
// gzipped.
async function firstVisit() {
  const server = await servePython(siteDir);
  const { responses } = server;
  const profile = await mkdtemp(join(tmpdir(), 'wobblux-measure-'));
  const context = await launchPersistent(profile);
  try {
    const page = await openInContext(context, server.url, { clock: false });
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await sleep(1000);  // anything the browser fetches late
  } finally {
    await context.close();
    server.close();
    await rm(profile, { recursive: true, force: true });
  }
  const size = ({ file, status }) => (status === 200 ? gzipped.get(file) ?? 0 : 0);
  const sum = (list) => list.reduce((sum, response) => sum + size(response), 0);
  const files = responses.map(({ file }) => file);
  const twice = [...new Set(files.filter((file, i) => files.indexOf(file) !== i))];
  console.log(responses.map(({ file, status }) => `  ${file} ${status}`).join('\n'));
  console.log(`first visit (chromium, fresh profile, until the service worker is active): ` +
    `${responses.length} responses, ${kb(sum(responses))} gzipped, of which icons ` +
    `${kb(sum(responses.filter(({ file }) => file.endsWith('.png'))))}; fetched more than once: ` +
    `${twice.join(', ') || 'none'}`);
}
const visits = Number(process.env.WOBBLUX_VISITS ?? 5);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const listed = (values) => values.map((ms) => ms.toFixed(0)).join(', ');

// The first frame of a first visit on a phone's network, as Lighthouse's mobile preset has it
// (150 ms round trip, 1.6 Mbit/s down, 750 kbit/s up), from python's http.server, in a chromium
// that already runs and has started its GPU side: each visit in a new context, so nothing is in
// the HTTP cache, the site's and a bare WebGL page's by turns. The bare page (one HTML file, one
// small script, one triangle) is what any WebGL page waits for, the site's own cost its ratio.
async function firstFramesOnMobile() {
  const site = await servePython(siteDir);
  const bare = await servePython(fileURLToPath(new URL('served/bare', import.meta.url)));
  const measureFrames = readFileSync(new URL('served/measure-frames.js', import.meta.url), 'utf8');
  const browser = await launch();
  const firstFrame = async (url, network) => {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
    const page = await context.newPage();
    if (network) {
      const cdp = await context.newCDPSession(page);
      await cdp.send('Network.enable');
      await cdp.send('Network.emulateNetworkConditions', {
        offline: false, latency: 150,
        downloadThroughput: (1.6 * 1024 * 1024) / 8, uploadThroughput: (750 * 1024) / 8,
      });
    }
    await page.addInitScript(measureFrames);
    await page.goto(url, { waitUntil: 'commit' });
    await page.waitForFunction(() => window.measured.firstFrame !== null);
    const ms = await page.evaluate(() => measured.firstFrame);
    await context.close();
    return ms;
  };
  try {
    await firstFrame(bare.url, false);  // the GPU side starts here, before any visit counts
    const frames = { site: [], bare: [] };
    for (let visit = 0; visit < visits; ++visit) {
      frames.site.push(await firstFrame(site.url, true));
      frames.bare.push(await firstFrame(bare.url, true));
    }
    const [ours, theirs] = [median(frames.site), median(frames.bare)];
    console.log(`first frame on a phone's network (chromium ${browser.version()}, running, ` +
      `python's http.server, 150 ms, 1.6 Mbit/s): median ${ours.toFixed(0)} ms of ${visits} ` +
      `first visits (${listed(frames.site)}); a bare WebGL page ${theirs.toFixed(0)} ms ` +
      `(${listed(frames.bare)}); ${(ours / theirs).toFixed(2)} times the bare page's`);
  } finally {
    await browser.close();
    site.close();
    bare.close();
  }
}

const names = process.argv.length > 2 ? process.argv.slice(2) : ['chromium', 'firefox', 'webkit'];
if (names.includes('chromium')) await firstVisit();
if (names.includes('chromium') || names.includes('mobile')) await firstFramesOnMobile();

// Each visit in a newly started browser, as a visitor's first: the median of five (WOBBLUX_VISITS).
const seconds = 10;
const site = await serveSite();
for (const name of names.filter((name) => name !== 'mobile')) {
  const { engine } = await import(`./engines/${name}.mjs`);
  const firstFrames = [];
  let browser;
  let page;
  for (let visit = 0; visit < visits; ++visit) {
    await page?.close();
    await browser?.close();
    browser = await engine.launch();
    page = await openPage({ site, browser },
      { clock: false, scripts: ['measure-frames.js'], waitForStart: false });
    await page.waitFor(() => window.measured.firstFrame !== null);
    firstFrames.push(await page.evaluate(() => measured.firstFrame));
  }
  await page.keyDown(' ');
  await page.keyUp(' ');
  await sleep(3000);  // sparks live 2 s: the pool is full
  const before = await page.evaluate(() => ({
    ticks: measured.tickTimes.length, frames: measured.frames.length, at: performance.now(),
  }));
  await sleep(seconds * 1000);
  const after = await page.evaluate(() => ({
    ticks: measured.tickTimes.slice(), frames: measured.frames.slice(), at: performance.now(),
  }));
  const span = (after.at - before.at) / 1000;
  const sorted = (times, from) => times.slice(from).sort((a, b) => a - b);
  const frames = sorted(after.frames, before.frames);
  const ticks = sorted(after.ticks, before.ticks);
  const quantile = (times, q) =>
    times[Math.min(times.length - 1, Math.floor(q * times.length))].toFixed(2);
  const work = (times) =>
    `median ${quantile(times, 0.5)} ms, 90% ${quantile(times, 0.9)} ms, max ${quantile(times, 1)} ms`;
  console.log(`${name} ${browser.version}: first frame after navigation: median ` +
    `${median(firstFrames).toFixed(0)} ms of ${visits} fresh visits (${listed(firstFrames)}); ` +
    `full spray: ${(ticks.length / span).toFixed(1)} ticks/s, ` +
    `${(frames.length / span).toFixed(1)} frames/s; tick work: ${work(ticks)}; ` +
    `frame work: ${work(frames)}`);
  await page.close();
  await browser.close();
}
site.close();
