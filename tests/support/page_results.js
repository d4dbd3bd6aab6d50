// The page's result line for bar positions read from a file, six to a
// line, one line out for each, from the page's own core:
// node page_results.js toric-core.js POSITIONS
'use strict';
const fs = require('fs');
const path = require('path');
const [coreScript, positions] = process.argv.slice(2);
require(path.resolve(coreScript))().then((core) => {
  const out = [];
  for (const line of fs.readFileSync(positions, 'utf8').split('\n')) {
    if (!line) continue;
    const p = line.split(' ').map(Number);
    out.push(core.UTF8ToString(core._toric_result(...p)));
  }
  process.stdout.write(out.join('\n') + '\n');
});
