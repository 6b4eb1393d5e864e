// Shortens a script of the site with Debian's terser (package node-terser), so that a first
// visit waits on fewer bytes: emscripten's wobblux.js, whose runtime emscripten writes with every
// name in full (the minifier it would use, Closure, is not in Debian), and the loader. Every name
// is shortened, the top-level ones too, but Module, through which the page hands the program its
// settings and reads its state; comments and what nothing reaches are dropped.
//   node minify.cjs SOURCE [OUTPUT]      (OUTPUT: SOURCE itself unless named; terser is found
//                                         through NODE_PATH)
"use strict";
const { readFileSync, writeFileSync } = require("fs");
const { minify } = require("terser");

const [source, output = source] = process.argv.slice(2);
minify(readFileSync(source, "utf8"), { toplevel: true, mangle: { reserved: ["Module"] } })
  .then((result) => writeFileSync(output, result.code))
  .catch((error) => {
    console.error(`minify.cjs: ${source}: ${error.message}`);
    process.exitCode = 1;
  });
