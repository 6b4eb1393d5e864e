// An Xvfb server of the test's own, for the engines that draw WebGL only with an X display.

import { spawn } from 'node:child_process';

// Starts Xvfb on a display it picks itself and resolves to {display, stop} once it is ready.
export function startXvfb({ width = 1920, height = 1200 } = {}) {
  return new Promise((resolve, reject) => {
    const server = spawn('/usr/bin/Xvfb', ['-displayfd', '3', '-screen', '0',
      `${width}x${height}x24`, '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
    let errors = '';
    let number = '';
    const timer = setTimeout(() => fail(new Error('Xvfb did not start within 10 s')), 10000);
    function fail(error) {
      clearTimeout(timer);
      server.kill();
      reject(new Error(`${error.message}${errors ? `: ${errors.trim()}` : ''}`));
    }
    server.stderr.on('data', (data) => { errors += data; });
    server.on('error', fail);
    server.on('exit', (code) => fail(new Error(`Xvfb exited with ${code}`)));
    // Xvfb writes its display number and a newline to this pipe once it takes clients.
    server.stdio[3].on('data', (data) => {
      number += data;
      if (!number.includes('\n')) return;
      clearTimeout(timer);
      server.removeAllListeners('exit');
      const stopped = new Promise((done) => server.once('exit', done));
      resolve({
        display: `:${number.trim()}`,
        stop: async () => { server.kill(); await stopped; },
      });
    });
  });
}
