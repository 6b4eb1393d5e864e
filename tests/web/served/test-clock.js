// Put into the page ahead of its own scripts by the tests' server, for engines whose driver
// cannot run a script before the page's: a clock that stands still at a whole second until the
// test moves it (window.testClock.runFor), and a record of console errors and uncaught errors
// (window.testProblems), since those drivers report neither, and of the page's
// Content-Security-Policy violations (window.policyViolations).
"use strict";
(function () {
  var startSecond = 1700000000;
  var frameMs = 16;  // an animation frame every 16 ms of clock time, as Playwright's clock
  var now = startSecond * 1000;
  var origin = now;
  var due = [];  // {id, at, callback}
  var nextId = 1;

  var realSetTimeout = window.setTimeout.bind(window);
  var realFrame = window.requestAnimationFrame.bind(window);

  function schedule(callback, delay, frame) {
    var id = nextId++;
    due.push({ id: id, at: now + Math.max(0, Number(delay) || 0), callback: callback,
               frame: frame === true });
    return id;
  }
  function cancel(id) {
    due = due.filter(function (entry) { return entry.id !== id; });
  }
  window.setTimeout = function (callback, delay) {
    var rest = Array.prototype.slice.call(arguments, 2);
    return schedule(function () { callback.apply(window, rest); }, delay);
  };
  window.clearTimeout = cancel;
  window.requestAnimationFrame = function (callback) {
    return schedule(function () { callback(now - origin); },
                    frameMs - ((now - origin) % frameMs), true);
  };
  window.cancelAnimationFrame = cancel;
  performance.now = function () { return now - origin; };
  var RealDate = Date;
  function FakeDate() {
    var values = Array.prototype.slice.call(arguments);
    if (!(this instanceof FakeDate)) return new RealDate(now).toString();
    return values.length === 0 ? new RealDate(now) : new (Function.prototype.bind.apply(
      RealDate, [null].concat(values)))();
  }
  FakeDate.prototype = RealDate.prototype;
  FakeDate.now = function () { return now; };
  FakeDate.UTC = RealDate.UTC;
  FakeDate.parse = RealDate.parse;
  window.Date = FakeDate;

  // Runs what falls due within `milliseconds`, in time order (ties in the order set), then
  // leaves the clock at the end of the span; resolves when done. Each animation frame runs in a
  // real one, so that the engine presents what it drew as it would have: WebKit shows nothing of
  // a WebGL frame drawn outside its rendering.
  function runFor(milliseconds) {
    var end = now + milliseconds;
    return new Promise(function (resolve) {
      function run(entry) {
        try {
          entry.callback();
        } catch (error) {
          realSetTimeout(function () { throw error; });  // uncaught, as it would have been
        }
      }
      function step() {
        for (;;) {
          var next = null;
          for (var i = 0; i < due.length; ++i) {
            if (due[i].at <= end && (next === null || due[i].at < next.at)) next = due[i];
          }
          if (next === null) break;
          cancel(next.id);
          now = Math.max(now, next.at);
          if (next.frame) {
            realFrame(function () { run(next); step(); });
            return;
          }
          run(next);
        }
        now = end;
        resolve();
      }
      step();
    });
  }
  window.testClock = { runFor: runFor };

  var problems = [];
  window.testProblems = problems;
  var consoleError = console.error;
  console.error = function () {
    problems.push(Array.prototype.map.call(arguments, String).join(" "));
    return consoleError.apply(console, arguments);
  };
  addEventListener("error", function (event) { problems.push("uncaught: " + event.message); });
  var violations = [];
  window.policyViolations = violations;
  document.addEventListener("securitypolicyviolation", function (event) {
    violations.push(event.violatedDirective + " blocked " + event.blockedURI);
  }, true);
  addEventListener("unhandledrejection", function (event) {
    problems.push("unhandled rejection: " + String(event.reason));
  });
})();
