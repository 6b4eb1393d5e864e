// Put into the page ahead of its own scripts by tests/web/measure.mjs: counts and times the ticks
// (the program's 33 ms timeouts: the simulations' step) and times every animation frame callback
// (the display: wasm, the GL subset and the WebGL calls), on the real clock.
"use strict";
(function () {
  var measured = { ticks: 0, tickTimes: [], frames: [], firstFrame: null };
  window.measured = measured;
  var setTimeoutOriginal = window.setTimeout;
  window.setTimeout = function (callback, delay) {
    var rest = Array.prototype.slice.call(arguments, 2);
    var counted = delay === 33
      ? function () {
        var start = performance.now();
        measured.ticks++;
        callback.apply(window, rest);
        measured.tickTimes.push(performance.now() - start);
      }
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
