// The page's loader: the program, its wasm asked for first; the hint and the canvas's focus, or
// for index.html?show a screen kept awake; the failure line; and, where the browser allows it,
// the service worker that keeps the site for use without a network.
"use strict";
(function () {
  // The program's wasm, which the page asked for in its head (emscripten would ask only once
  // wobblux.js had arrived and run): gzipped, half the bytes, where the browser can unpack it,
  // for a host that does not compress what it sends. Not a preload link: WebKit does not hand a
  // preloaded response to fetch(), and would download the wasm twice. A page without that line
  // (a host that rewrote the head, or a policy that refused the line) has the loader ask for it
  // here, rather than stop before the failure line below can be shown.
  var wasm = window.wobbluxWasm ||
    fetch(window.DecompressionStream ? "wobblux.wasm.gz" : "wobblux.wasm");
  var canvas = document.getElementById("canvas");
  var hint = document.getElementById("hint");
  var problem = document.getElementById("problem");

  // index.html?show plays the unattended show (the program reads the same address): no input,
  // so no hint and no pointer over the canvas, and a screen kept awake for a kiosk.
  var show = new URLSearchParams(location.search).has("show");
  if (show) {
    hint.hidden = true;
    document.documentElement.classList.add("show");
    keepAwake();
    document.addEventListener("visibilitychange", keepAwake);
  } else {
    takeInput();
  }

  // Where the browser offers it, the screen stays on while the page is shown. The lock ends
  // whenever the page is hidden, so it is asked for again each time it is shown; a refusal (no
  // permission, a battery saver) leaves the screen to its own settings.
  function keepAwake() {
    if (document.visibilityState !== "visible" || !navigator.wakeLock) return;
    navigator.wakeLock.request("screen").catch(function () {});
  }

  function takeInput() {
    // The hint fades after a few seconds, or at the first key, press or wheel turn.
    var hideHint = function () { hint.classList.add("gone"); };
    setTimeout(hideHint, 6000);
    ["keydown", "pointerdown", "wheel"].forEach(function (type) {
      addEventListener(type, hideHint, { once: true, capture: true, passive: true });
    });

    // Keys go to the canvas, so it keeps the focus; a drag that leaves it stays its own, as a
    // window's does; the right button belongs to the program, not to a context menu.
    canvas.addEventListener("pointerdown", function (event) {
      canvas.focus();
      canvas.setPointerCapture(event.pointerId);
    });
    canvas.addEventListener("contextmenu", function (event) { event.preventDefault(); });
    canvas.focus();
  }

  // The first problem is the one to tell; what follows from it says less.
  function showProblem(line) {
    if (!problem.hidden) return;
    problem.textContent = line;
    problem.hidden = false;
    canvas.hidden = true;
    hint.hidden = true;
  }
  var notLoaded = "Wobblux could not be loaded. Check the connection and reload the page.";
  var lastLine = "";
  var started = false;

  // The program says why it stops in its last line on stderr (no WebGL, for one).
  window.Module = {
    printErr: function (line) { lastLine = line; console.error(line); },
    onRuntimeInitialized: function () {
      started = true;
      registerWorker();
    },
    onExit: function (status) {
      if (status !== 0) showProblem(lastLine || "Wobblux stopped.");
    },
    onAbort: stopped,
    // The wasm asked for above, unpacked if it still starts with gzip's magic number (a host
    // may have unpacked it already, saying it sent it gzip-encoded), then compiled.
    instantiateWasm: function (imports, receive) {
      wasm.then(function (response) {
        if (!response.ok) throw new Error(response.url + ": " + response.status);
        return response.arrayBuffer();
      }).then(function (bytes) {
        if (new Uint8Array(bytes)[0] !== 0x1f) return bytes;
        var unpacked = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
        return new Response(unpacked).arrayBuffer();
      }).then(function (bytes) {
        return WebAssembly.instantiate(bytes, imports);
      }).then(function (compiled) { receive(compiled.instance); },
              function () { showProblem(notLoaded); });
      return {};
    }
  };
  // Anything thrown out of the program ends it: the page says so rather than freeze.
  function stopped() {
    showProblem(started ? "Wobblux stopped on an internal error. Reload the page to start it again."
                        : notLoaded);
  }
  addEventListener("error", stopped);
  addEventListener("unhandledrejection", stopped);
  var script = document.createElement("script");
  script.src = "wobblux.js";
  script.onerror = function () { showProblem(notLoaded); };
  document.body.appendChild(script);

  // Once the page has loaded and the program has started: the worker's copying of the site then
  // competes with nothing, and finds every file the page fetched in the HTTP cache. Where there
  // is no service worker (an old browser, a file:// page, an insecure origin, a sandboxed frame,
  // where even asking throws), the page runs as it is.
  var untilRegistering = 2;
  function registerWorker() {
    if (--untilRegistering > 0) return;
    try {
      navigator.serviceWorker.register("sw.js").catch(function () {});
    } catch (error) {
      // Nothing to do: the site simply needs the network next time.
    }
  }
  addEventListener("load", registerWorker);
})();
