// Shortens emscripten's wobblux.js in place with Debian's terser (package node-terser): emscripten
// writes the names of its runtime in full, and the minifier it would use on them (Closure) is not
// in Debian. Every name is shortened, the top-level ones too, but Module, through which the page
// hands the program its settings and reads its state; what nothing reaches is dropped.
//   node minify.cjs FILE      (terser found through NODE_PATH)
"use strict";
const { readFileSync, writeFileSync } = require("fs");
const { minify } = require("terser");

const file = process.argv[2];
minify(readFileSync(file, "utf8"), { toplevel: true, mangle: { reserved: ["Module"] } })
  .then((result) => writeFileSync(file, result.code))
  .catch((error) => {
    console.error(`minify.cjs: ${file}: ${error.message}`);
    process.exitCode = 1;
  });
