// Writes the control table, as the page's own core gives it, to a file:
// node dump_controls.js toric-core.js controls.json
'use strict';
const fs = require('fs');
const path = require('path');
const [coreScript, output] = process.argv.slice(2);
require(path.resolve(coreScript))().then((core) => {
  const json = core.UTF8ToString(core._toric_controls());
  JSON.parse(json);  // stops the build on a table that is not JSON
  fs.writeFileSync(output, json);
});
