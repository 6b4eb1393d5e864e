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
  var requestOriginal = window.requestAnimationFrame;
  window.requestAnimationFrame = function (callback) {
    return requestOriginal.call(window, function (time) {
      var start = performance.now();
      callback(time);
      var end = performance.now();
      measured.frames.push(end - start);
      if (measured.firstFrame === null) measured.firstFrame = end;
    });
  };
})();
