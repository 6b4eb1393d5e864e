// The bytes a first visit's first frame waits for, as a host that compresses nothing sends them:
// the page, its stylesheet and loader, the program's script and its wasm as a browser that can
// unpack gzip asks for it. Each has a budget just above its size: growth is a decision to make
// here, not an accident found on a phone.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { siteDir } from './harness.mjs';

const budgets = {
  'index.html': 1400,
  'page.css': 900,
  'loader.js': 2200,
  'wobblux.js': 16500,
  'wobblux.wasm.gz': 20500,
};

test('what the first frame waits for stays within its budget', () => {
  const sizes = Object.fromEntries(Object.keys(budgets)
    .map((file) => [file, statSync(join(siteDir, file)).size]));
  const over = Object.keys(budgets).filter((file) => sizes[file] > budgets[file]);
  assert.deepEqual(over, [], `sizes ${JSON.stringify(sizes)}, budgets ${JSON.stringify(budgets)}`);
});
