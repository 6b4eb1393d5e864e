// Firefox: Debian's firefox-esr through puppeteer-core over WebDriver BiDi, in an Xvfb of the
// test's own (without a display it has no WebGL), time on the fake clock that the test's server
// puts into the page.

import puppeteer from 'puppeteer-core';
import { clockScript, MouseBeyondViewport, poll } from './common.mjs';
import { startXvfb } from './xvfb.mjs';

class FirefoxPage {
  constructor(page) {
    this.page = page;
    this.seen = [];
    page.on('console', (message) => {
      if (message.type() === 'error') this.seen.push(message.text());
    });
    page.on('pageerror', (error) => this.seen.push(String(error)));
    this.beyond = new MouseBeyondViewport(this);
  }
  evaluate(fn, argument) { return this.page.evaluate(fn, argument); }
  // Polled from here: puppeteer's own waiting runs on animation frames, which the fake clock holds.
  waitFor(fn, argument) { return poll(() => this.evaluate(fn, argument), { what: String(fn) }); }
  title() { return this.page.title(); }
  async screenshot() { return Buffer.from(await (await this.page.$('#canvas')).screenshot()); }
  keyDown(key) { return this.page.keyboard.down(key); }
  keyUp(key) { return this.page.keyboard.up(key); }
  async mouseMove(x, y) {
    if (!(await this.beyond.move(x, y))) await this.page.mouse.move(x, y);
  }
  async mouseDown(button = 'left') {
    await this.page.mouse.down({ button });
    this.beyond.press(button);
  }
  async mouseUp(button = 'left') {
    await this.page.mouse.up({ button });
    this.beyond.release(button);
  }
  async wheel(x, y, deltaY) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel({ deltaY });
  }
  // Real touch input: each finger is one of puppeteer's touch handles.
  async touch(type, points) {
    if (type === 'start') {
      this.fingers = [];
      for (const { x, y } of points) this.fingers.push(await this.page.touchscreen.touchStart(x, y));
    } else if (type === 'move') {
      for (const [index, { x, y }] of points.entries()) await this.fingers[index].move(x, y);
    } else {
      for (const finger of this.fingers) await finger.end();
      this.fingers = [];
    }
  }
  tap(x, y) { return this.page.touchscreen.tap(x, y); }
  async resize(width, height) {
    const { deviceScaleFactor } = this.page.viewport();
    await this.page.setViewport({ width, height, deviceScaleFactor });
  }
  runFor(milliseconds) { return this.evaluate((ms) => window.testClock.runFor(ms), milliseconds); }
  async problems() { return this.seen; }
  close() { return this.page.browserContext().close(); }
}

export const engine = {
  name: 'firefox',
  // Key repeats: BiDi sends each further keyDown of a held key with `repeat` set.
  can: { keyRepeats: true, deviceScaleFactor: true, startWithoutWebGl: true },
  async launch({ webgl = true } = {}) {
    const xvfb = await startXvfb();
    const options = {
      browser: 'firefox',
      executablePath: '/usr/bin/firefox-esr',
      headless: true,
      env: { ...process.env, DISPLAY: xvfb.display },
      extraPrefsFirefox: webgl ? {} : { 'webgl.disabled': true },
    };
    let browser;
    try {
      // Now and then firefox-esr crashes while it starts, before any page exists (seen as a
      // SIGSEGV, "Code: 11", with a minidump): a browser that never started is started again,
      // once, so that the crash of a fresh process is not taken for a fault of the page.
      browser = await puppeteer.launch(options).catch((error) => {
        if (!/Failed to launch the browser process/.test(error.message)) throw error;
        return puppeteer.launch(options);
      });
    } catch (error) {
      await xvfb.stop();
      throw error;
    }
    return {
      version: await browser.version(),
      async open(site, url, { width, height, deviceScaleFactor, touch, clock, scripts }) {
        site.inject = [...(clock ? [clockScript] : []), ...scripts];
        const context = await browser.createBrowserContext();
        const page = new FirefoxPage(await context.newPage());
        await page.page.setViewport({ width, height, deviceScaleFactor, hasTouch: touch });
        await page.page.goto(url);
        return page;
      },
      async close() {
        await browser.close();
        await xvfb.stop();
      },
    };
  },
};
