// Runs the wasm build's same-bits program (tests/wasm, served from the site's root) in this page
// and keeps what it prints in window.sameBits.lines.
"use strict";
(function () {
  var output = document.getElementById("output");
  var sameBits = { lines: [] };
  window.sameBits = sameBits;
  function keep(line) {
    sameBits.lines.push(line);
    output.textContent += line + "\n";
  }
  window.Module = { print: keep, printErr: keep };
  var script = document.createElement("script");
  script.src = "/same_bits_tests.js";
  document.body.appendChild(script);
})();
