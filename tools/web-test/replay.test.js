// tools/web-replay against the native kestrola-replay: the same script gives the same standard
// output, standard error, exit status, logFile.txt and shot files. Needs both builds.
'use strict';
const assert = require('node:assert');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {test} = require('node:test');

const {nativeDir, assetFolder} = require('./native');

const root = path.resolve(__dirname, '../..');
const drivers = {
  native: [path.join(nativeDir, 'kestrola-replay')],
  web: [path.join(root, 'tools/web-replay')],
};

// Runs SCRIPT (a file in a fresh working directory, or standard input) with one driver; what it
// printed and every file it left behind.
function run(driver, script, options = {}) {
  const folder = assetFolder('kestrola-' + driver + '-', options.without);
  fs.mkdirSync(path.join(folder, 'shots'));
  let argument = '-';
  if (!options.stdin) {
    fs.writeFileSync(path.join(folder, 'script.txt'), script);
    argument = options.argument || 'script.txt';
  }
  const [program] = drivers[driver];
  const result = spawnSync(program, [argument], {cwd: folder, input: options.stdin ? script : '',
                                                 maxBuffer: 1 << 26});
  const files = {};
  for (const name of ['logFile.txt', 'shot.bmp', 'shots/end.bmp']) {
    const file = path.join(folder, name);
    if (fs.existsSync(file)) files[name] = fs.readFileSync(file).toString('base64');
  }
  fs.rmSync(folder, {recursive: true, force: true});
  return {status: result.status, stdout: result.stdout.toString(), stderr: result.stderr.toString(), files};
}

function same(script, options) {
  const native = run('native', script, options);
  const web = run('web', script, options);
  assert.deepStrictEqual(web, native);
  return native;
}

test('a turn of play, its dumps and shots, and a script error', function () {
  const result = same('ticks 1\nclick 120 157\nclick 285 85\nclick 135 85\nclick 150 200\n' +
                      'shot shot.bmp\nkey space\nsettle\ndump\nshot shots/end.bmp\nwait 5\nbogus 1\ndump\n');
  assert.strictEqual(result.status, 2);
  assert.match(result.stderr, /^12: /);
  assert.strictEqual(Object.keys(result.files).length, 3);
});

test('leaving through the menu\'s Quit, with the script on standard input', function () {
  const result = same('ticks 1\nset option music 0\nmotion 120 211\nwait 30\ndump\nclick 120 211\ndump\n',
                      {stdin: true});
  assert.strictEqual(result.status, 1);
});

test('a missing script, and a start without the pictures', function () {
  assert.strictEqual(same('', {argument: 'nowhere.txt'}).status, 2);
  assert.strictEqual(same('dump\n', {without: 'Images'}).status, 1);
});
