// The runner behind tools/web-replay: the browser build of kestrola-replay in headless Chromium,
// with a file system made of the working directory's Images, Music and Sfx, the script, and the
// folders its shots go to; what the driver writes there (logFile.txt, the shots) is copied back.
'use strict';
const fs = require('fs');
const path = require('path');
const {serve, launch} = require('./browser');

const ASSET_FOLDERS = ['Images', 'Music', 'Sfx'];

function assetFiles(cwd) {
  const files = [];
  for (const folder of ASSET_FOLDERS) {
    const dir = path.join(cwd, folder);
    if (!fs.existsSync(dir) || !fs.statSync(dir).isDirectory()) continue;
    for (const name of fs.readdirSync(dir)) {
      if (fs.statSync(path.join(dir, name)).isFile()) files.push(folder + '/' + name);
    }
  }
  return files;
}

// The shot files the script names, resolved as the driver will: relative to the working directory.
function shotPaths(script, cwd) {
  const paths = [];
  for (const line of script.split('\n')) {
    const words = line.replace(/#.*/, '').trim().split(/\s+/);
    if (words[0] === 'shot' && words.length === 2) paths.push(path.resolve(cwd, words[1]));
  }
  return paths;
}

// The variables the game itself reads (the computer player's seats, level and seed), passed on
// to the driver in the page; the driver's own and the media library's stay here.
const GAME_SETTINGS = ['KESTROLA_COMPUTER', 'KESTROLA_COMPUTER_LEVEL', 'KESTROLA_COMPUTER_SEED'];
function gameSettings() {
  const settings = {};
  for (const name of GAME_SETTINGS) {
    if (name in process.env) settings[name] = process.env[name];
  }
  return settings;
}

// Runs in the page: one run of the driver, everything it printed, and the files it wrote.
async function runInPage(job) {
  const fetched = {};
  await Promise.all(job.assets.map(async function (name) {
    const response = await fetch('cwd/' + name.split('/').map(encodeURIComponent).join('/'));
    fetched[name] = new Uint8Array(await response.arrayBuffer());
  }));
  const out = [], err = [];
  let status = null;
  let stdinAt = 0;
  const stdin = job.stdin === null ? null : new TextEncoder().encode(job.stdin);
  const settings = {
    noInitialRun: true,
    canvas: document.createElement('canvas'), // the window, never shown
    print: (text) => out.push(text),
    printErr: (text) => err.push(text),
    stdin: () => (stdin && stdinAt < stdin.length ? stdin[stdinAt++] : null),
    // The game's own settings from the environment, as the native driver reads them.
    preRun: [function (module) { Object.assign(module.ENV, job.environment); }],
    quit: function (code, toThrow) {
      if (!toThrow || toThrow.name !== 'ExitStatus') err.push('web-replay: ' + toThrow);
      status = code;
      throw toThrow;
    },
  };
  const game = await createKestrolaReplay(settings);
  const FS = game.FS;
  const makeTree = (dir) => FS.mkdirTree(dir);
  makeTree(job.cwd);
  for (const dir of job.folders) makeTree(dir);
  FS.chdir(job.cwd);
  for (const name of job.assets) {
    makeTree(job.cwd + '/' + name.split('/')[0]);
    FS.writeFile(job.cwd + '/' + name, fetched[name]);
  }
  if (job.script !== null) FS.writeFile(job.scriptPath, job.script);
  try {
    game.callMain([job.argument]);
  } catch (error) {
    if (status === null) err.push(String(error));
  }
  const written = {};
  for (const file of [job.cwd + '/logFile.txt'].concat(job.shots)) {
    try {
      written[file] = Array.from(FS.readFile(file));
    } catch (error) {
      // not written
    }
  }
  return {status: status === null ? 1 : status, out, err, written};
}

(async function main() {
  const args = process.argv.slice(2);
  if (args.length !== 1) {
    process.stderr.write('usage: kestrola-replay SCRIPT   (a file, or - for standard input)\n');
    process.exit(2);
  }
  const cwd = process.cwd();
  // The driver is built beside the page's folder, in its sibling named with -driver (the page
  // never loads it); KESTROLA_WEB_DIR names the page's folder, or one that holds the driver.
  const webDir = path.resolve(process.env.KESTROLA_WEB_DIR || path.join(__dirname, '../../build-web'));
  const driverDir = [webDir, webDir + '-driver'].find(function (dir) {
    return fs.existsSync(path.join(dir, 'kestrola-replay.js'));
  }) || webDir + '-driver';
  const argument = args[0];
  let script = null, stdin = null, scriptPath = null;
  if (argument === '-') {
    stdin = fs.readFileSync(0, 'utf8');
  } else {
    scriptPath = path.resolve(cwd, argument);
    try {
      script = fs.readFileSync(scriptPath, 'utf8');
    } catch (error) {
      script = null; // the driver finds no file and says so itself
    }
  }
  const text = stdin !== null ? stdin : script || '';
  const shots = shotPaths(text, cwd);
  // A shot goes where the real directory exists, as it would on this machine.
  const folders = [...new Set(shots.map((file) => path.dirname(file)))].filter((dir) => fs.existsSync(dir));
  if (scriptPath) folders.push(path.dirname(scriptPath));

  const server = await serve(driverDir, function (name) {
    if (!name.startsWith('cwd/')) return name === 'blank' ? {body: Buffer.from('<!doctype html><title>replay</title>')} : null;
    const file = path.join(cwd, name.slice(4));
    return fs.existsSync(file) ? {body: fs.readFileSync(file)} : {status: 404};
  });
  const browser = await launch();
  let result;
  try {
    const page = await browser.newPage();
    await page.goto(server.url + 'blank');
    await page.addScriptTag({url: server.url + 'kestrola-replay.js'});
    result = await page.evaluate(runInPage, {
      cwd, folders, assets: assetFiles(cwd), argument, script, scriptPath, stdin, shots,
      environment: gameSettings(),
    });
  } finally {
    await browser.close();
    server.close();
  }
  for (const [file, bytes] of Object.entries(result.written)) {
    if (fs.existsSync(path.dirname(file))) fs.writeFileSync(file, Buffer.from(bytes));
  }
  const lines = (list) => (list.length ? list.join('\n') + '\n' : '');
  process.stdout.write(lines(result.out), function () {
    process.stderr.write(lines(result.err), function () { process.exit(result.status); });
  });
})().catch(function (error) {
  process.stderr.write('web-replay: ' + (error.stack || error) + '\n');
  process.exit(1);
});
