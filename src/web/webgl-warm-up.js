// Started by the page's loader while the program downloads and compiles: one WebGL context made
// here, off the page's main thread, sets the browser's GPU side going (chromium starts its GPU
// process), so that the program's own context comes sooner and the page stays responsive
// meanwhile. The page hears one message when it is done, whether or not there was WebGL.
"use strict";
try {
  new OffscreenCanvas(1, 1).getContext("webgl");
} catch (error) {
  // No OffscreenCanvas or no WebGL in a worker: there is nothing to wait for.
}
postMessage(null);
