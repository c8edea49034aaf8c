// The browser build against the desktop game: the same pixels, the same ways out, and a page
// that says what is wrong when its files are. Run by `tools/web test` after `tools/web build`.
'use strict';
const assert = require('node:assert');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {test, before, after} = require('node:test');
const {launch, closeServers} = require('./browser');
const {nativeDir, assetFolder, readBmp, nativeShot, canvasPixels, differingPixels} = require('./native');
const pages = require('./pages');
const {webDir, waitForPlay, gameStarted, startGame, clickWindow, leaveWithTheRecording} = pages;

const root = path.resolve(__dirname, '../..');
const ONE_PLAYER = [120, 157];
const QUIT = [120, 211];

let browser;
before(async function () { browser = await launch(); });
after(async function () {
  await browser.close();
  closeServers();
});

// A page with the game ready to start; `problems` collects page errors and aborts.
function openPage(options = {}) {
  return pages.openPage(browser, {...options, context: {acceptDownloads: true, ...options.context}});
}

// A one-player game started on the page shows the desktop's table, pixel for pixel.
async function assertOnePlayerTable(page) {
  await clickWindow(page, ...ONE_PLAYER);
  await page.waitForTimeout(200);
  const desktop = nativeShot('ticks 1\nclick ' + ONE_PLAYER.join(' ') + '\n');
  assert.strictEqual(differingPixels(await canvasPixels(page), desktop), 0);
}

test('the menu\'s Quit and F10 each end the game, and the page offers to start it again',
     async function () {
  const {page, finish} = await openPage();
  await startGame(page);
  for (const leave of [() => clickWindow(page, ...QUIT), () => page.keyboard.press('F10')]) {
    await leave();
    await page.waitForSelector('#ended:not([hidden])', {timeout: 5000});
    assert.match(await page.textContent('#ended'), /The game has ended/);
    await page.click('#again');
    await gameStarted(page);
  }
  await assertOnePlayerTable(page);
  await finish();
});

// The data package as the server sends it: missing, cut short on the way (it cannot be unpacked),
// cut short before packing (it unpacks to too few bytes), or with a picture that no longer starts
// with BM; and the page opened as a file. The page names what is wrong.
test('a missing or damaged data file, a damaged picture and a page opened as a file are named',
     async function () {
  const packed = fs.readFileSync(path.join(webDir, 'kestrola.data.gz'));
  const whole = zlib.gunzipSync(packed);
  const script = fs.readFileSync(path.join(webDir, 'kestrola.js'), 'utf8');
  const field = Number(/"filename":"\/Images\/field\.bmp","start":(\d+)/.exec(script)[1]);
  const badPicture = Buffer.from(whole).fill(0, field, field + 2);
  const data = (answer) => ({override: (name) => name === 'kestrola.data.gz' ? answer : null});
  for (const [options, words, play] of [
    [data({status: 404}), [/kestrola\.data.*missing/]],
    [data({body: packed.subarray(0, packed.length >> 1)}),
     [/kestrola\.data\.gz.*damaged/, /cannot be unpacked/]],
    [data({body: zlib.gzipSync(whole.subarray(0, 1000000))}),
     [/kestrola\.data\.gz.*damaged/, /has 1000000 bytes/]],
    [data({body: zlib.gzipSync(badPicture)}), [/Failed to load image Images\/field\.bmp/], true],
    [{url: 'file://' + path.join(webDir, 'index.html')}, [/tools\/web serve/]],
  ]) {
    const {page, close} = await openPage(options);
    if (play) {
      await waitForPlay(page);
      await page.click('#play');
    }
    await page.waitForSelector('#failed:not([hidden])', {timeout: 20000});
    const text = await page.textContent('#failed-text');
    for (const said of words) assert.match(text, said);
    await close();
  }
});

test('a server that sends the package as gzip content, unpacked by the browser, will do', async function () {
  const packed = fs.readFileSync(path.join(webDir, 'kestrola.data.gz'));
  const {page, finish} = await openPage({override: (name) => name === 'kestrola.data.gz'
    ? {body: packed, headers: {'Content-Encoding': 'gzip'}} : null});
  await startGame(page);
  await assertOnePlayerTable(page);
  await finish();
});

// Every sound the page starts and stops, and every loudness it sets, as Web Audio sees them.
function listenToSound() {
  window.soundLog = [];
  const log = (entry) => window.soundLog.push(entry);
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (when, offset) {
    const node = this;
    log({op: 'start', seconds: node.buffer.duration, loop: node.loop, offset: offset || 0,
         at: performance.now()});
    node.addEventListener('ended', () => log({op: 'ended', seconds: node.buffer.duration}));
    return start.apply(node, arguments);
  };
  const stop = AudioBufferSourceNode.prototype.stop;
  AudioBufferSourceNode.prototype.stop = function (when) {
    log({op: 'stop', seconds: this.buffer.duration, after: (when || 0) && when - this.context.currentTime});
    return stop.apply(this, arguments);
  };
  const value = Object.getOwnPropertyDescriptor(AudioParam.prototype, 'value');
  Object.defineProperty(AudioParam.prototype, 'value', {
    get: value.get,
    set: function (v) { log({op: 'volume', value: Math.round(v * 128)}); value.set.call(this, v); },
  });
  const ramp = AudioParam.prototype.linearRampToValueAtTime;
  AudioParam.prototype.linearRampToValueAtTime = function (v, at) {
    log({op: 'fade', value: v, after: at - window.lastContext.currentTime});
    return ramp.apply(this, arguments);
  };
  const Context = window.AudioContext;
  window.AudioContext = function () {
    window.lastContext = new Context();
    return window.lastContext;
  };
}

test('the sounds play, loop, change loudness and fade as on the desktop', async function () {
  const {page, finish} = await openPage({beforeLoad: listenToSound});
  await startGame(page);
  await page.waitForTimeout(1500); // the tunes are decoded
  // A shot of the one-player game that sets the balls rolling into each other.
  for (const [x, y] of [ONE_PLAYER, [285, 85], [135, 85], [150, 200]]) await clickWindow(page, x, y);
  await page.keyboard.press('Space');
  await page.waitForTimeout(1500);
  await page.keyboard.press('Space'); // time stops: the clock is halted
  await page.waitForTimeout(300);
  await page.keyboard.press('Escape');
  await page.waitForTimeout(300);
  await clickWindow(page, ...QUIT);
  await page.waitForSelector('#ended:not([hidden])');
  await page.waitForTimeout(1300);
  const log = await page.evaluate(() => window.soundLog);
  const starts = log.filter((e) => e.op === 'start');
  // The menu's tune loops for ever at volume 20.
  assert.ok(starts.some((e) => e.loop && e.seconds > 20), JSON.stringify(starts));
  assert.ok(log.some((e) => e.op === 'volume' && e.value === 20));
  // The clock loops on its channel at volume 30 while time runs, and is stopped when it stops.
  const clock = starts.find((e) => e.loop && e.seconds < 5);
  assert.ok(clock, JSON.stringify(starts));
  assert.ok(log.some((e) => e.op === 'volume' && e.value === 30));
  assert.ok(log.some((e) => e.op === 'stop' && e.seconds === clock.seconds && e.after === 0));
  // Collisions and cushions play at the loudness of the impact: volumes other than the fixed ones.
  const impacts = log.filter((e) => e.op === 'volume' && ![20, 30, 128].includes(e.value));
  assert.ok(impacts.length > 0, JSON.stringify(log.filter((e) => e.op === 'volume')));
  // Leaving fades the tune out over a second, then stops it.
  const fade = log.find((e) => e.op === 'fade');
  assert.ok(fade && fade.value === 0 && Math.abs(fade.after - 1) < 0.1, JSON.stringify(fade));
  assert.ok(log.some((e) => e.op === 'stop' && e.seconds > 20 && Math.abs(e.after - 1) < 0.1));
  await finish();
});

// Until the table stands still: the canvas the same over a second, for at most a minute.
async function settled(page) {
  let last = await canvasPixels(page);
  for (let waited = 0; waited < 60000; waited += 1000) {
    await page.waitForTimeout(1000);
    const now = await canvasPixels(page);
    if (now.every((value, i) => value === last[i])) return now;
    last = now;
  }
  throw new Error('the table never came to rest');
}

// The sound may only start with the player's first click; read without lending a gesture.
async function audioState(page) {
  const session = await page.context().newCDPSession(page);
  const {result} = await session.send('Runtime.evaluate', {
    expression: 'window.lastContext ? window.lastContext.state : "none"', userGesture: false,
    returnByValue: true});
  return result.value;
}

test('a game played on the page is the desktop\'s, and its recording replays there exactly',
     async function () {
  const {page, context, server, problems} = await openPage({beforeLoad: listenToSound});
  await waitForPlay(page);
  assert.notStrictEqual(await audioState(page), 'running');
  await page.click('#play');
  await gameStarted(page);
  assert.strictEqual(await audioState(page), 'running');
  // The options with the music off, a one-player game, a Cue stroke, a Chaos, and the turn run
  // to its end.
  for (const [x, y] of [[120, 190], [120, 195], [120, 212], ONE_PLAYER, [45, 85], [90, 160],
                        [75, 140], [285, 85], [135, 85], [150, 200]]) {
    await clickWindow(page, x, y);
    await page.waitForTimeout(100);
  }
  await page.keyboard.press('Space');
  const shown = await settled(page);
  const recording = await leaveWithTheRecording({page, context, server, problems});

  // The desktop's driver plays the browser's recording; before its last pass, it looks.
  const end = recording.findIndex((line) => line.endsWith('keydown f10'));
  assert.ok(end > 0 && recording.some((line) => line.endsWith('keydown space')),
            recording.join('\n'));
  const folder = assetFolder('kestrola-recorded-');
  const script = recording.slice(0, end).concat(['shot shot.bmp', 'dump'], recording.slice(end));
  // Played by the desktop's driver and by the browser's, each leaving by F10 with status 1.
  const lastDump = function (program) {
    try {
      execFileSync(program, ['-'], {cwd: folder, input: script.join('\n')});
    } catch (error) {
      assert.strictEqual(error.status, 1, String(error.stderr));
      return JSON.parse(String(error.stdout).trim().split('\n').pop());
    }
    return null;
  };
  const dump = lastDump(path.join(nativeDir, 'kestrola-replay'));
  const desktop = readBmp(path.join(folder, 'shot.bmp'));
  // The browser's own driver plays it the same, dump for dump.
  const browserDump = lastDump(path.join(root, 'tools', 'web-replay'));
  fs.rmSync(folder, {recursive: true, force: true});
  assert.ok(dump, 'the replay did not leave through F10');
  assert.deepStrictEqual(browserDump, dump);
  assert.strictEqual(differingPixels(shown, desktop), 0);
  // The state the page's game wrote as it ended (the window's checks read the rest of it).
  const atExit = recording.find((line) => line.startsWith('# at exit: '));
  assert.strictEqual(atExit, '# at exit: gameMode ' + dump.gameMode + ', turn ' +
                     dump.match.turnNumber + ', player ' + dump.match.currentPlayer +
                     ', points ' + dump.match.points.join(' '));
  assert.strictEqual(dump.match.turnNumber, 2, 'the turn ran to its end');
});

test('player 2 chosen beside the game is kept between visits, and the computer plays its turn',
     async function () {
  const {page, context, server, problems} = await openPage();
  await waitForPlay(page);
  const shown = () => page.evaluate(() => [document.getElementById('opponent-kind').textContent,
                                           document.getElementById('opponent-level-part').hidden,
                                           document.getElementById('opponent-level').textContent]);
  assert.deepStrictEqual(await shown(), ['a person', true, 'level 2']);
  await page.click('#opponent-kind');
  assert.deepStrictEqual(await shown(), ['the computer', false, 'level 2']);
  await page.click('#opponent-level');
  assert.deepStrictEqual(await shown(), ['the computer', false, 'level 3']);
  await page.reload();
  await waitForPlay(page);
  assert.deepStrictEqual(await shown(), ['the computer', false, 'level 3']);
  await page.click('#play');
  await gameStarted(page);
  // Two players; player 1 ends the turn at once (the row switch, then End turn), and from then
  // on only the computer acts.
  for (const [x, y] of [[120, 174], [285, 85], [255, 85]]) {
    await clickWindow(page, x, y);
    await page.waitForTimeout(200);
  }
  await page.waitForTimeout(15000);
  const recording = await leaveWithTheRecording({page, context, server, problems});
  const handedOver = recording.findIndex((line) => line.endsWith('click 255 85'));
  const itsEvents = recording.slice(handedOver + 1).filter((line) => /^(queue )?(click|key)/.test(line));
  assert.ok(handedOver > 0 && itsEvents.some((line) => line.endsWith('keydown space')),
            recording.join('\n'));
  assert.ok(itsEvents.some((line) => /click \d+ (1[3-9]\d|2\d\d)$/.test(line)),
            'it clicked on the table: ' + itsEvents.join(', '));
});

// Every file under DIR, relative to it, with forward slashes.
function listFiles(dir, under = '') {
  return fs.readdirSync(path.join(dir, under), {withFileTypes: true}).flatMap(function (entry) {
    const name = under ? under + '/' + entry.name : entry.name;
    return entry.isDirectory() ? listFiles(dir, name) : [name];
  }).sort();
}

// The width and height a PNG file says it has; null for anything else.
function pngSize(file) {
  const bytes = fs.readFileSync(file);
  const signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  if (!bytes.subarray(0, 8).equals(signature) || bytes.toString('latin1', 12, 16) !== 'IHDR') return null;
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

const MENU_TUNE = 'Music/Orvane01.ogg'; // the tune the game starts with the start menu

test('the start menu waits for no tune, and one that arrives late plays from where it would be',
     async function () {
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  const {page, server, finish} = await openPage({
    beforeLoad: listenToSound, override: (name) => name === MENU_TUNE ? {hold: held} : null});
  await waitForPlay(page);
  assert.deepStrictEqual(server.requests.filter((name) => name.startsWith('Music/')), []);
  const clicked = await page.evaluate(() => performance.now());
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('cover').classList.contains('gone'));
  await page.waitForTimeout(1200);
  // The game asked for its menu's tune first; it has not come, so nothing plays.
  assert.strictEqual(server.requests.find((name) => name.startsWith('Music/')), MENU_TUNE);
  const tune = (e) => e.op === 'start' && e.loop && e.seconds > 20;
  assert.deepStrictEqual((await page.evaluate(() => window.soundLog)).filter(tune), []);
  const released = await page.evaluate(() => performance.now());
  release();
  await page.waitForFunction(() => window.soundLog.some((e) => e.op === 'start' && e.seconds > 20),
                             null, {timeout: 10000});
  const started = (await page.evaluate(() => window.soundLog)).find(tune);
  assert.ok(started, 'the menu\'s tune plays on, looping');
  // It begins after it arrived, as far in as the time since the game asked for it: at least the
  // time it was held, at most the time since the click.
  assert.ok(started.at > released);
  const heldFor = (released - clicked) / 1000 - 0.3;
  assert.ok(started.offset > Math.min(1, heldFor), JSON.stringify(started));
  assert.ok(started.offset <= (started.at - clicked) / 1000 + 0.05, JSON.stringify(started));
  // The game went on as ever meanwhile.
  await assertOnePlayerTable(page);
  await finish();
});

test('a hidden page suspends the sound, and its return resumes it', async function () {
  const {page, finish} = await openPage({beforeLoad: listenToSound});
  await startGame(page);
  await page.waitForFunction(() => window.lastContext && window.lastContext.state === 'running');
  // What the browser does as the player leaves the tab and comes back to it.
  const showPage = (shown) => page.evaluate(function (shown) {
    Object.defineProperty(document, 'hidden', {configurable: true, get: () => !shown});
    Object.defineProperty(document, 'visibilityState', {configurable: true,
                                                         get: () => (shown ? 'visible' : 'hidden')});
    document.dispatchEvent(new Event('visibilitychange'));
  }, shown);
  await showPage(false);
  await page.waitForFunction(() => window.lastContext.state === 'suspended', null, {timeout: 5000});
  const stoodAt = await page.evaluate(() => window.lastContext.currentTime);
  await page.waitForTimeout(300);
  assert.strictEqual(await page.evaluate(() => window.lastContext.currentTime), stoodAt);
  await showPage(true);
  await page.waitForFunction(() => window.lastContext.state === 'running', null, {timeout: 5000});
  await finish();
});

test('after one visit every file of the folder has been used, and the game starts offline',
     async function () {
  const {page, server, finish} = await openPage();
  await startGame(page);
  await page.evaluate(() => KestrolaLoader.everything);
  assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller));
  // Fetched by the page or kept by its worker: all but the preview, which only link cards show.
  // So the browser's driver is built beside the folder, not in it; the tunes are the desktop's.
  const files = listFiles(webDir);
  assert.deepStrictEqual(files.filter((name) => !server.requests.includes(name)), ['preview.png']);
  assert.deepStrictEqual(files.filter((name) => name.startsWith('Music/')),
                         listFiles(nativeDir, 'Music'));
  server.close();
  await page.addInitScript(listenToSound);
  await page.reload();
  await startGame(page);
  await page.waitForFunction(() => window.soundLog.some((e) => e.op === 'start' && e.loop && e.seconds > 20),
                             null, {timeout: 5000});
  await assertOnePlayerTable(page);
  await finish();
});

test('the page can be installed, with its icons, and a link to it shows the start menu',
     async function () {
  const {page, finish} = await openPage();
  await startGame(page); // the service worker comes once the game runs
  await page.evaluate(() => KestrolaLoader.everything);
  const session = await page.context().newCDPSession(page);
  const {url, errors} = await session.send('Page.getAppManifest');
  assert.deepStrictEqual(errors, []);
  // A test browser's profile is always a private one: nothing else may stand in the way.
  const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
  assert.deepStrictEqual(installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito'), []);
  const local = (address) => path.join(webDir, new URL(address, url).pathname);
  const manifest = JSON.parse(fs.readFileSync(local(url), 'utf8'));
  assert.deepStrictEqual([manifest.name, manifest.short_name, new URL(manifest.start_url, url).href],
                         ['Kestrola', 'Kestrola', new URL('./', url).href]);
  assert.ok(['standalone', 'fullscreen'].includes(manifest.display));
  const head = await page.evaluate(() => Object.fromEntries([
    ['theme', 'meta[name="theme-color"]', 'content'], ['icon', 'link[rel="icon"]', 'href'],
    ['description', 'meta[name="description"]', 'content'],
    ['title', 'meta[property="og:title"]', 'content'],
    ['summary', 'meta[property="og:description"]', 'content'],
    ['image', 'meta[property="og:image"]', 'content'],
  ].map(([key, selector, attribute]) => [key, document.querySelector(selector)?.getAttribute(attribute)])));
  assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
  assert.deepStrictEqual([head.theme, head.title], [manifest.theme_color, 'Kestrola']);
  for (const size of [192, 512]) {
    const icon = manifest.icons.find((each) => each.sizes === size + 'x' + size);
    assert.deepStrictEqual(icon && pngSize(local(icon.src)), [size, size], 'an icon of ' + size);
  }
  assert.deepStrictEqual([pngSize(local(head.icon)), pngSize(local(head.image))],
                         [[32, 32], [1200, 630]]);
  assert.ok(head.description.length > 40 && head.summary.length > 20, JSON.stringify(head));
  await finish();
});
