// WebKit: WebKitGTK's MiniBrowser, started and driven by Debian's WebKitWebDriver over classic
// W3C WebDriver (plain HTTP from node), in an Xvfb of the test's own. The driver runs no script
// before the page's and reports no console: the test's server puts served/test-clock.js into
// the page, which brings the fake clock and records errors.

import { spawn } from 'node:child_process';
import { clockScript, freePort, MouseBeyondViewport, poll } from './common.mjs';
import { startXvfb } from './xvfb.mjs';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const elementKey = 'element-6066-11e4-a52e-4f735466cecf';
const buttons = { left: 0, middle: 1, right: 2 };
// WebDriver's codes for the keys that are no character.
const keyValues = { Enter: '\uE007', Escape: '\uE00C', ArrowLeft: '\uE012', Shift: '\uE008' };

async function call(base, method, path, body) {
  const response = await fetch(`${base}${path}`, {
    method, headers: { 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value?.error} ${value?.message}`);
  return value;
}

// Runs `fn` (its source) with one argument in the page and returns what it resolves to.
const asyncScript = `const done = arguments[arguments.length - 1];
Promise.resolve().then(() => (FN)(arguments[0])).then(
  (value) => done({ value: value === undefined ? null : value }),
  (error) => done({ error: String(error) + ' ' + (error && error.stack) }));`;

// WebKitWebDriver turns touch actions into mouse events, so touches are made in the page:
// TouchEvents built with document.createTouch and createTouchList reach it as real ones.
function dispatchTouch({ type, points, lifted }) {
  const canvas = document.getElementById('canvas');
  const list = (fingers) => document.createTouchList(...fingers.map(
    ({ x, y, id }) => document.createTouch(window, canvas, id, x, y, x, y)));
  const down = list(type === 'end' ? [] : points);
  canvas.dispatchEvent(new TouchEvent(`touch${type}`, {
    bubbles: true, cancelable: true, touches: down, targetTouches: down,
    changedTouches: list(type === 'end' ? lifted : points),
  }));
}

class WebKitPage {
  constructor(session) {
    this.session = session;
    this.beyond = new MouseBeyondViewport(this);
  }
  command(method, path, body) { return this.session.command(method, path, body); }
  async evaluate(fn, argument) {
    const result = await this.command('POST', '/execute/async', {
      script: asyncScript.replace('FN', String(fn)), args: [argument ?? null],
    });
    if (result.error) throw new Error(result.error);
    return result.value;
  }
  waitFor(fn, argument) { return poll(() => this.evaluate(fn, argument), { what: String(fn) }); }
  title() { return this.command('GET', '/title'); }
  async screenshot() {
    const canvas = await this.command('POST', '/element', { using: 'css selector', value: '#canvas' });
    return Buffer.from(await this.command('GET', `/element/${canvas[elementKey]}/screenshot`),
      'base64');
  }
  act(source) { return this.command('POST', '/actions', { actions: [source] }); }
  key(type, key) {
    return this.act({ type: 'key', id: 'keyboard', actions: [{ type, value: keyValues[key] ?? key }] });
  }
  keyDown(key) { return this.key('keyDown', key); }
  keyUp(key) { return this.key('keyUp', key); }
  pointer(actions) {
    return this.act({ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions });
  }
  async mouseMove(x, y) {
    this.at = { x, y };
    if (await this.beyond.move(x, y)) return;
    await this.pointer([{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 0 }]);
  }
  async mouseDown(button = 'left') {
    await this.pointer([{ type: 'pointerDown', button: buttons[button] }]);
    this.beyond.press(button);
  }
  // WebKitWebDriver releases every button as the left one: the page gets a mouseup of button 0
  // and the button still held. So the release of the middle or right button is made in the page.
  async mouseUp(button = 'left') {
    await this.pointer([{ type: 'pointerUp', button: buttons[button] }]);
    this.beyond.release(button);
    if (button === 'left') return;
    await this.evaluate(({ x, y, button, buttons }) => {
      document.getElementById('canvas').dispatchEvent(new MouseEvent('mouseup', {
        bubbles: true, cancelable: true, view: window, clientX: x, clientY: y, button, buttons,
      }));
    }, { ...(this.at ?? { x: 0, y: 0 }), button: buttons[button], buttons: this.beyond.buttons });
  }
  wheel(x, y, deltaY) {
    return this.act({ type: 'wheel', id: 'wheel', actions: [
      { type: 'scroll', x: Math.round(x), y: Math.round(y), deltaX: 0, deltaY, duration: 0 }] });
  }
  async touch(type, points) {
    await this.evaluate(dispatchTouch, { type, points, lifted: this.fingers ?? [] });
    this.fingers = type === 'end' ? [] : points;
  }
  async tap(x, y) {
    await this.touch('start', [{ x, y, id: 1 }]);
    await this.touch('end', []);
  }
  // The window has a toolbar: its outer size is set until the page's is the one asked for.
  async resize(width, height) {
    for (let attempt = 0; attempt < 3; ++attempt) {
      const inner = await this.evaluate(() => [innerWidth, innerHeight]);
      if (inner[0] === width && inner[1] === height) return;
      const outer = await this.command('GET', '/window/rect');
      await this.command('POST', '/window/rect', {
        width: outer.width + width - inner[0], height: outer.height + height - inner[1],
      });
      await poll(async () => {
        const now = await this.evaluate(() => [innerWidth, innerHeight]);
        return now[0] !== inner[0] || now[1] !== inner[1];
      }, { timeout: 2000, what: 'the window to resize' }).catch(() => {});
    }
    const inner = await this.evaluate(() => [innerWidth, innerHeight]);
    throw new Error(`the page is ${inner.join(' x ')}, not ${width} x ${height}`);
  }
  runFor(milliseconds) { return this.evaluate((ms) => window.testClock.runFor(ms), milliseconds); }
  async problems() { return this.evaluate(() => window.testProblems ?? ['no error record']); }
  // Every page shares the one session's storage: the service worker and its caches go, or the
  // next page would be the cached one, without what the test's server puts into it.
  async close() {
    await this.evaluate(async () => {
      for (const registration of await navigator.serviceWorker?.getRegistrations() ?? []) {
        await registration.unregister();
      }
      for (const name of await globalThis.caches?.keys() ?? []) await caches.delete(name);
    });
    await this.command('POST', '/url', { url: 'about:blank' });
  }
}

async function startDriver(display) {
  const port = await freePort();
  const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`],
    { stdio: 'ignore', env: { ...process.env, DISPLAY: display } });
  const exited = new Promise((resolve) => driver.once('exit', resolve));
  const base = `http://127.0.0.1:${port}`;
  try {
    await poll(() => fetch(`${base}/status`).then((response) => response.ok, () => false),
      { what: 'WebKitWebDriver' });
  } catch (error) {
    driver.kill();
    throw error;
  }
  return { base, stop: async () => { driver.kill(); await exited; } };
}

export const engine = {
  name: 'webkit',
  // WebDriver drops a held key's further keyDowns, so no repeat reaches the page; the page's
  // devicePixelRatio is the screen's.
  can: { keyRepeats: false, deviceScaleFactor: false, startWithoutWebGl: true },
  async launch({ webgl = true } = {}) {
    const xvfb = await startXvfb();
    let driver;
    let id;
    try {
      driver = await startDriver(xvfb.display);
      const created = await call(driver.base, 'POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation', ...(webgl ? [] : ['--enable-webgl=false'])],
        },
      } } });
      id = created.sessionId;
      var version = created.capabilities.browserVersion;
    } catch (error) {
      await driver?.stop();
      await xvfb.stop();
      throw error;
    }
    const session = {
      command: (method, path, body) => call(driver.base, method, `/session/${id}${path}`, body),
    };
    await session.command('POST', '/timeouts', { script: 60000, pageLoad: 30000 });
    return {
      version,
      async open(site, url, { width, height, touch: _touch, clock, scripts }) {
        site.inject = [...(clock ? [clockScript] : []), ...scripts];
        const page = new WebKitPage(session);
        await session.command('POST', '/url', { url });
        await page.resize(width, height);
        return page;
      },
      async close() {
        await call(driver.base, 'DELETE', `/session/${id}`).catch(() => {});
        await driver.stop();
        await xvfb.stop();
      },
    };
  },
};
