// Chromium: Debian's chromium through Playwright, headless on SwiftShader, time on Playwright's
// clock.

import { chromium } from 'playwright-core';
import { startSecond } from './common.mjs';

const keyNames = { ' ': 'Space' };
const keyName = (key) => keyNames[key] ?? key;

class ChromiumPage {
  constructor(page, ownsContext) {
    this.page = page;
    this.ownsContext = ownsContext;
    this.seen = [];
    page.on('console', (message) => {
      if (message.type() === 'error') this.seen.push(message.text());
    });
    page.on('pageerror', (error) => this.seen.push(String(error)));
  }
  evaluate(fn, argument) { return this.page.evaluate(fn, argument); }
  async waitFor(fn, argument) { await this.page.waitForFunction(fn, argument); }
  title() { return this.page.title(); }
  screenshot() { return this.page.locator('#canvas').screenshot(); }
  keyDown(key) { return this.page.keyboard.down(keyName(key)); }
  keyUp(key) { return this.page.keyboard.up(keyName(key)); }
  mouseMove(x, y) { return this.page.mouse.move(x, y); }
  mouseDown(button = 'left') { return this.page.mouse.down({ button }); }
  mouseUp(button = 'left') { return this.page.mouse.up({ button }); }
  async wheel(x, y, deltaY) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel(0, deltaY);
  }
  async touch(type, points) {
    this.session ??= await this.page.context().newCDPSession(this.page);
    const name = { start: 'touchStart', move: 'touchMove', end: 'touchEnd' }[type];
    await this.session.send('Input.dispatchTouchEvent', { type: name, touchPoints: points });
  }
  tap(x, y) { return this.page.touchscreen.tap(x, y); }
  resize(width, height) { return this.page.setViewportSize({ width, height }); }
  runFor(milliseconds) { return this.page.clock.runFor(milliseconds); }
  async problems() { return this.seen; }
  close() { return this.ownsContext ? this.page.context().close() : this.page.close(); }
}

// Playwright's own calls (reload, locator, waitForFunction...) reach the page beneath.
function answeringPlaywright(wrapper) {
  return new Proxy(wrapper, {
    get(target, key) {
      if (key in target) return target[key];
      const value = target.page[key];
      return typeof value === 'function' ? value.bind(target.page) : value;
    },
    set(target, key, value) {
      target[key] = value;
      return true;
    },
  });
}

export const chromiumOptions = (extraArgs = []) => ({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...extraArgs],
});

export function launchChromium(extraArgs = []) {
  return chromium.launch(chromiumOptions(extraArgs));
}

// A browser with a profile in `dir`, as a visitor's own: unlike launch()'s contexts it is not
// incognito, which an installed app cannot be.
export function launchPersistent(dir, { viewport = { width: 800, height: 600 } } = {}) {
  return chromium.launchPersistentContext(dir, { ...chromiumOptions(), viewport });
}

// Opens `url` in a new page of `context` on Playwright's clock (unless `clock` is false), with
// the page's Content-Security-Policy violations recorded in window.policyViolations. Closing
// the page closes the context only if it `ownsContext`.
export async function openInContext(context, url, { clock = true, ownsContext = false } = {}) {
  const page = answeringPlaywright(new ChromiumPage(await context.newPage(), ownsContext));
  await page.page.addInitScript(() => {
    window.policyViolations = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      window.policyViolations.push(`${event.violatedDirective} blocked ${event.blockedURI}`);
    }, true);
  });
  // Installed a second early and paused on the start: time then moves only by runFor.
  if (clock) {
    await page.page.clock.install({ time: (startSecond - 1) * 1000 });
    await page.page.clock.pauseAt(startSecond * 1000);
  }
  await page.page.goto(url);
  return page;
}

export const engine = {
  name: 'chromium',
  // What this driver can do that others may not.
  can: { keyRepeats: true, deviceScaleFactor: true, startWithoutWebGl: true },
  async launch({ webgl = true } = {}) {
    const browser = await launchChromium(webgl ? [] : ['--disable-3d-apis']);
    return {
      version: browser.version(),
      async open(site, url, { width, height, deviceScaleFactor, touch, clock, scripts }) {
        site.inject = scripts;
        const context = await browser.newContext({
          viewport: { width, height }, deviceScaleFactor, hasTouch: touch,
        });
        const page = await openInContext(context, url, { clock, ownsContext: true });
        return page;
      },
      close: () => browser.close(),
    };
  },
};
