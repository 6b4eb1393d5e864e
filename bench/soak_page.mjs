// The page's unattended show, index.html?show, in chromium on the real clock for a given time
// (bench/soak runs it; docs/soak.md says what each figure means): its ticks and frames a second
// in its first and last window of time, the JS heap after a forced collection and the wasm
// memory at its first frame and at the end, and the CPU of the browser's processes.
//   node bench/soak_page.mjs SECONDS WINDOW_SECONDS
// The site is the web preset's (build-web/site) unless WOBBLUX_SITE names another; it is served
// as the browser tests serve it (tests/web/harness.mjs), at 640 x 480.
//
// A headless browser's frames reach no X server, and the ticks are timeouts inside the page, so
// both are counted by a small script put into the page ahead of its own: it counts the show's
// 33 ms timeouts and the animation frames that drew, and keeps nothing but a reference to the
// program's wasm memory, so that it adds nothing to the heap it measures (each tick's wrapper is
// garbage at once, and the heap is read after a forced collection). Everything else is read
// from outside: the heap through the DevTools protocol, the CPU from /proc.

import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { loadavg } from 'node:os';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchChromium } from '../tests/web/engines/chromium.mjs';
import { serveSite } from '../tests/web/harness.mjs';

const [seconds, windowSeconds] = process.argv.slice(2).map(Number);
if (!(seconds > 0 && windowSeconds > 0 && 2 * windowSeconds <= seconds)) {
  console.error('usage: node bench/soak_page.mjs SECONDS WINDOW_SECONDS (at most half SECONDS)');
  process.exit(2);
}

function countTicksAndFrames() {
  const counts = { ticks: 0, frames: 0, memory: null };
  window.soakCounts = counts;
  const setTimeoutOriginal = window.setTimeout;
  window.setTimeout = function (callback, delay, ...rest) {
    const counted = delay === 33 ? (...args) => { counts.ticks++; callback(...args); } : callback;
    return setTimeoutOriginal.call(window, counted, delay, ...rest);
  };
  // A frame is an animation frame callback that drew.
  let drew = false;
  for (const name of ['drawArrays', 'drawElements']) {
    const draw = WebGLRenderingContext.prototype[name];
    WebGLRenderingContext.prototype[name] = function (...args) {
      drew = true;
      return draw.apply(this, args);
    };
  }
  // The program's wasm memory, whether the module makes it or is given it: one reference,
  // kept to read its size.
  for (const name of ['instantiate', 'instantiateStreaming']) {
    const instantiate = WebAssembly[name];
    WebAssembly[name] = function (source, imports, ...rest) {
      const given = Object.values(imports?.env ?? {}).find((v) => v instanceof WebAssembly.Memory);
      if (given) counts.memory = given;
      return instantiate.call(WebAssembly, source, imports, ...rest).then((result) => {
        const exports = (result.instance ?? result).exports;
        counts.memory ??= Object.values(exports).find((v) => v instanceof WebAssembly.Memory);
        return result;
      });
    };
  }
  const requestOriginal = window.requestAnimationFrame;
  window.requestAnimationFrame = (callback) => requestOriginal.call(window, (time) => {
    drew = false;
    callback(time);
    if (drew) counts.frames++;
  });
}

// The browser's processes: every descendant of this one.
function browserProcesses() {
  const parents = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      parents.set(Number(name), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch {
      // gone meanwhile
    }
  }
  const found = [process.pid];
  for (let i = 0; i < found.length; ++i) {
    for (const [pid, parent] of parents) if (parent === found[i]) found.push(pid);
  }
  return found.slice(1);
}

const ticksPerSecond = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
// User and system CPU seconds each process has used so far, by its id.
function cpuSeconds() {
  const used = new Map();
  for (const pid of browserProcesses()) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      used.set(pid, (Number(fields[11]) + Number(fields[12])) / ticksPerSecond);
    } catch {
      // gone meanwhile
    }
  }
  return used;
}
// CPU seconds used between two readings; a process that started between them counts from 0.
function cpuBetween(before, after) {
  let total = 0;
  for (const [pid, used] of after) total += used - (before.get(pid) ?? 0);
  return total;
}

// A browser that stops answering must not hold the soak up for ever: the run has three minutes
// beyond its own length, for the start and the readings.
setTimeout(() => {
  console.log('page: the browser stopped answering; the soak gives up on it');
  process.exit(1);
}, (seconds + 180) * 1000).unref();

const site = await serveSite();
const browser = await launchChromium();
const context = await browser.newContext({ viewport: { width: 640, height: 480 } });
const page = await context.newPage();
const cdp = await context.newCDPSession(page);
page.on('crash', () => {
  console.log('page: the page crashed');
  process.exit(1);
});
await page.addInitScript(countTicksAndFrames);
const navigated = performance.now();
await page.goto(new URL('index.html?show', site.url).href);
await page.waitForFunction(() => window.soakCounts.frames > 0, null, { timeout: 60000 });
const firstFrame = performance.now();

// After a forced collection, which is what a heap reading needs (otherwise it measures how lazily
// the collector runs): the JS heap in use, the wasm memory's size and the program's share of it.
async function memory() {
  await cdp.send('HeapProfiler.collectGarbage');
  const { usedSize } = await cdp.send('Runtime.getHeapUsage');
  const wasm = await page.evaluate(() => window.soakCounts.memory?.buffer.byteLength ?? 0);
  const programHeap = await page.evaluate(() => Module._wobbluxHeapInUse());
  return { jsHeap: usedSize, wasm, programHeap };
}

const reading = async () => ({
  at: performance.now(), counts: await page.evaluate(() => ({ ticks: soakCounts.ticks, frames: soakCounts.frames })),
  cpu: cpuSeconds(),
});
const rates = (from, to) => {
  const span = (to.at - from.at) / 1000;
  return {
    ticks: (to.counts.ticks - from.counts.ticks) / span,
    frames: (to.counts.frames - from.counts.frames) / span,
  };
};

const loadAtStart = loadavg()[0];
const memoryAtStart = await memory();
const start = await reading();
await sleep(windowSeconds * 1000);
const first = rates(start, await reading());
await sleep((seconds - windowSeconds) * 1000 - (performance.now() - start.at));
const lastFrom = await reading();
await sleep(windowSeconds * 1000);
const end = await reading();
const last = rates(lastFrom, end);
const memoryAtEnd = await memory();

const kib = (bytes) => `${(bytes / 1024).toFixed(0)} KiB`;
const mib = (bytes) => `${(bytes / 1048576).toFixed(1)} MiB`;
const span = windowSeconds === 60 ? 'minute' : `${windowSeconds} s`;
const pair = (a, b) => `first ${span} ${a.toFixed(2)}, last ${span} ${b.toFixed(2)}`;
console.log(`page: index.html?show in chromium ${browser.version()} (640 x 480, headless, ` +
  `SwiftShader), ${((end.at - start.at) / 60000).toFixed(1)} minutes from its first frame ` +
  `(${((firstFrame - navigated) / 1000).toFixed(1)} s after navigation); load average ` +
  `${loadAtStart.toFixed(2)} at the start, ${loadavg()[0].toFixed(2)} at the end`);
console.log(`  ticks a second (the show's 33 ms timeouts, counted in the page): ` +
  pair(first.ticks, last.ticks));
console.log(`  frames a second (animation frames that drew, counted in the page): ` +
  pair(first.frames, last.frames));
console.log(`  JS heap after a forced collection: start ${kib(memoryAtStart.jsHeap)}, end ` +
  `${kib(memoryAtEnd.jsHeap)}; wasm memory: start ${mib(memoryAtStart.wasm)}, end ` +
  `${mib(memoryAtEnd.wasm)}, of which the program holds ${kib(memoryAtStart.programHeap)}, ` +
  `then ${kib(memoryAtEnd.programHeap)}`);
console.log(`  CPU seconds a second: chromium's processes ` +
  `${(cpuBetween(start.cpu, end.cpu) / ((end.at - start.at) / 1000)).toFixed(2)}`);
await browser.close();
site.close();
