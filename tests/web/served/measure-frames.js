// Put into the page ahead of its own scripts by tests/web/measure.mjs: counts the ticks (the
// program's 33 ms timeouts) and times every animation frame callback (the display: wasm, the GL
// subset and the WebGL calls), on the real clock.
"use strict";
(function () {
  var measured = { ticks: 0, frames: [], firstFrame: null };
  window.measured = measured;
  var setTimeoutOriginal = window.setTimeout;
  window.setTimeout = function (callback, delay) {
    var rest = Array.prototype.slice.call(arguments, 2);
    var counted = delay === 33
      ? function () { measured.ticks++; callback.apply(window, rest); }
      : function () { callback.apply(window, rest); };
    return setTimeoutOriginal.call(window, counted, delay);
  };
  // Only the callbacks that draw are the program's frames: a test's waitFor polls on animation
  // frames too.
  var drew = false;
  if (window.WebGLRenderingContext) ["drawArrays", "drawElements"].forEach(function (name) {
    var drawOriginal = WebGLRenderingContext.prototype[name];
    WebGLRenderingContext.prototype[name] = function () {
      drew = true;
      return drawOriginal.apply(this, arguments);
    };
  });
  var requestOriginal = window.requestAnimationFrame;
  window.requestAnimationFrame = function (callback) {
    return requestOriginal.call(window, function (time) {
      var start = performance.now();
      drew = false;
      callback(time);
      var end = performance.now();
      if (!drew) return;
      measured.frames.push(end - start);
      if (measured.firstFrame === null) measured.firstFrame = end;
    });
  };
})();
