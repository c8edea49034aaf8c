// Recorded games watched on the page: from a file and from a link the page made, to the
// desktop's very picture; "Play from here" for a match played apart; and the recordings the page
// refuses while the game goes on. Run by `tools/web test` after `tools/web build`.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {test, before, after} = require('node:test');
const {launch, closeServers} = require('./browser');
const {nativeEnd, nativeShot, withoutExit, canvasPixels, differingPixels,
       recordedEvents} = require('./native');
const pages = require('./pages');
const {webDir, startGame, clickWindow, savedRecording, leaveWithTheRecording} = pages;

const TUTORIAL = [120, 143];
const ONE_PLAYER = [120, 157];
const TWO_PLAYERS = [120, 174];
const CUE = [45, 85];
const ROW_SWITCH = [285, 85];
const END_TURN = [255, 85];
// What a one-player game of ten turns played with a mouse may take as a link: half of what the
// page lets a link hold.
const TEN_TURNS_LINK = 16 * 1024;

let browser;
before(async function () { browser = await launch(); });
after(async function () {
  await browser.close();
  closeServers();
});

function openPage(address = '') {
  return pages.openPage(browser, {address, context: {acceptDownloads: true}});
}

// A turn as a person plays it with a mouse: the Cue on two balls at rest (where the desktop's
// driver, given the recording so far, sees them), each aimed by sweeping the mouse around it
// for a second and a half at the screen's pace, then time started and, a moment later, the turn
// ended. From the second turn on, the buttons show their second row, where End turn is. The
// desktop driver's dump as the turn began.
async function playTurn(page, turn) {
  const {dump} = nativeEnd(await savedRecording(page));
  if (turn > 1) await clickWindow(page, ...ROW_SWITCH);
  const resting = dump.balls.filter((ball) => ball.onTable && ball.vx === 0 && ball.vy === 0 &&
                                    ball.screenX > 60 && ball.screenX < 240 &&
                                    ball.screenY > 160 && ball.screenY < 250);
  const box = await page.locator('#screen').boundingBox();
  const scale = box.width / 300;
  for (const ball of resting.slice(0, 2)) {
    await clickWindow(page, ...CUE);
    await clickWindow(page, ball.screenX, ball.screenY);
    for (let step = 0; step <= 90; ++step) {
      const angle = Math.PI * (1 + turn / 5 + step / 120);
      await page.mouse.move(box.x + (ball.screenX + 35 * Math.cos(angle)) * scale,
                            box.y + (ball.screenY + 35 * Math.sin(angle)) * scale);
      await page.waitForTimeout(16);
    }
    await page.mouse.down();
    await page.mouse.up();
  }
  await page.keyboard.press('Space');
  await page.waitForTimeout(800);
  await clickWindow(page, ...ROW_SWITCH);
  await clickWindow(page, ...END_TURN);
  await page.waitForTimeout(200);
  return dump; // as the turn began
}

async function watchToTheEnd(page) {
  await page.waitForFunction(() => /The recording has ended/.test(
    document.getElementById('game-status').textContent), null, {timeout: 60000});
  await page.waitForTimeout(200);
}

test('a game of ten turns watched at 8 times speed ends on the desktop\'s picture, and the link ' +
     'the page makes of it holds it in under 16 KB and plays to the same picture',
     async function (t) {
  const played = await openPage();
  await startGame(played.page);
  await clickWindow(played.page, ...ONE_PLAYER);
  for (let turn = 1; turn <= 10; ++turn) {
    assert.strictEqual((await playTurn(played.page, turn)).match.turnNumber, turn);
  }
  // From the end screen to the start menu and the tutorial's first page, which stands still
  // where the watch ends, as the desktop's shot does.
  await clickWindow(played.page, 150, 150);
  await played.page.waitForTimeout(300);
  await clickWindow(played.page, ...TUTORIAL);
  await played.page.waitForTimeout(300);
  const recording = (await leaveWithTheRecording(played)).join('\n');
  const {pixels: desktop, dump} = nativeEnd(withoutExit(recording));
  assert.strictEqual(dump.gameMode, 100, 'the tutorial');

  // From the file chosen with "Watch a recording", in a page whose game has not started: the
  // watch starts at once, and the 8 key speeds it.
  const {page, finish} = await openPage();
  await page.waitForSelector('#play:not([hidden])', {timeout: 20000});
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.click('#watch-file')]);
  await chooser.setFiles({name: 'kestrola-game.txt', mimeType: 'text/plain',
                          buffer: Buffer.from(recording)});
  await page.waitForFunction(() => document.documentElement.classList.contains('watching'));
  await page.keyboard.press('8');
  await watchToTheEnd(page);
  assert.strictEqual(differingPixels(await canvasPixels(page), desktop), 0);

  await page.click('#copy-link');
  const link = await page.getAttribute('#game-link', 'href');
  t.diagnostic('a one-player game of ten turns: a recording of ' + recording.length +
               ' bytes, a link of ' + link.length);
  assert.ok(link.length <= TEN_TURNS_LINK, 'a link of ' + link.length + ' bytes');
  const packed = new URL(link).hash.replace(/^#watch=/, '');
  assert.strictEqual(zlib.inflateRawSync(Buffer.from(packed, 'base64url')).toString(), recording);
  await finish();

  // The link in a fresh page, sped up with the control.
  const linked = await openPage(new URL(link).hash);
  // Offered with a click (the browser plays sound only after one), or at once where it allows.
  await linked.page.waitForFunction(() => /watch/.test(document.getElementById('play-action').textContent) ||
                                    document.documentElement.classList.contains('watching') ||
                                    !document.getElementById('notice').hidden, null, {timeout: 30000});
  assert.strictEqual(await linked.page.textContent('#notice'), '');
  if (await linked.page.isVisible('#play')) await linked.page.click('#play');
  for (const speed of ['2', '4', '8']) {
    await linked.page.click('#watch-speed');
    await linked.page.waitForFunction((speed) => document.getElementById('watch-speed').textContent
      .includes(speed + '×'), speed);
  }
  await watchToTheEnd(linked.page);
  assert.strictEqual(differingPixels(await canvasPixels(linked.page), desktop), 0);
  await linked.finish();
});

test('"Play from here" after two turns of a match: the third is played on the page, and the ' +
     'whole game replays on the desktop to the same state', async function () {
  const first = await openPage();
  await startGame(first.page);
  await clickWindow(first.page, ...TWO_PLAYERS);
  for (let turn = 1; turn <= 2; ++turn) await playTurn(first.page, turn);
  const twoTurns = withoutExit((await leaveWithTheRecording(first)).join('\n'));

  // The other player's page, where a game already runs: the file replaces it at once.
  const {page, context, server, problems} = await openPage();
  await startGame(page);
  await page.setInputFiles('#watch-input', {name: 'our-match.txt', mimeType: 'text/plain',
                                            buffer: Buffer.from(twoTurns)});
  await page.waitForFunction(() => document.documentElement.classList.contains('watching'));
  assert.ok(await page.isVisible('#watch-play'), 'the watch controls show');
  await page.keyboard.press('8');
  await watchToTheEnd(page);
  assert.match(await page.textContent('#game-status'), /Player 1 to play/);
  await page.click('#watch-play');
  await page.waitForFunction(() => !document.documentElement.classList.contains('watching'));
  assert.ok(!(await page.isVisible('#watch-play')), 'the watch controls are gone');
  await playTurn(page, 3);
  await page.waitForFunction(() => /^Player 2 to play$/.test(
    document.getElementById('game-status').textContent), null, {timeout: 5000});
  const shown = await canvasPixels(page);
  const whole = (await leaveWithTheRecording({page, context, server, problems})).join('\n');

  // The new recording is the old one and the third turn; the desktop plays it whole.
  const before = recordedEvents(twoTurns);
  assert.deepStrictEqual(recordedEvents(whole).slice(0, before.length), before);
  const {pixels, dump} = nativeEnd(withoutExit(whole));
  assert.strictEqual(differingPixels(shown, pixels), 0);
  assert.strictEqual(dump.match.currentPlayer, 1);
});

test('a recording of another version, a damaged one, a file that is none, a broken link and one ' +
     'that unpacks too far each get their message, and the game goes on', async function () {
  const {page, finish} = await openPage();
  await startGame(page);
  await clickWindow(page, ...ONE_PLAYER);
  const table = nativeShot('ticks 1\nclick ' + ONE_PLAYER.join(' '));
  const recording = await savedRecording(page);
  const lines = recording.split('\n');
  const version = lines.findIndex((line) => line.startsWith('# version '));
  const foreign = lines.map((line, i) => (i === version ? '# version 0.0.9' : line)).join('\n');
  const middle = Math.floor(lines.length / 2);
  const damaged = [...lines.slice(0, middle), 'click 150 here', ...lines.slice(middle)].join('\n');
  const picture = fs.readFileSync(path.join(webDir, 'icons', 'favicon.png'));
  await page.evaluate(() => { document.getElementById('screen').dataset.kept = 'yes'; });
  for (const [name, bytes, message] of [
    ['foreign.txt', foreign, /made by Kestrola 0\.0\.9/],
    ['damaged.txt', damaged, new RegExp('damaged at line ' + (middle + 1))],
    ['favicon.png', picture, /\S/],
  ]) {
    await page.setInputFiles('#watch-input', {name, mimeType: 'text/plain', buffer: Buffer.from(bytes)});
    await page.waitForFunction(() => !document.getElementById('notice').hidden);
    assert.match(await page.textContent('#notice'), message, name);
    assert.ok(await page.evaluate(() => document.getElementById('screen').dataset.kept === 'yes' &&
                                  !document.documentElement.classList.contains('watching')), name);
    assert.strictEqual(differingPixels(await canvasPixels(page), table), 0, name);
    await page.evaluate(() => { document.getElementById('notice').hidden = true; });
  }
  // The game still takes the mouse: a tool chosen.
  await clickWindow(page, ...CUE);
  await page.waitForTimeout(200);
  assert.strictEqual(differingPixels(await canvasPixels(page),
                                     nativeShot('ticks 1\nclick ' + ONE_PLAYER.join(' ') +
                                                '\nclick ' + CUE.join(' '))), 0);
  await finish();

  // A link cut short, and one that would unpack into 64 MB: refused, the latter long before.
  for (const [link, message] of [
    [zlib.deflateRawSync(Buffer.from(recording)).toString('base64url').slice(0, 200), /damaged/],
    [zlib.deflateRawSync(Buffer.alloc(64 * 1024 * 1024, 'wait 1\n')).toString('base64url'),
     /more than any recording/],
  ]) {
    const broken = await openPage('#watch=' + link);
    await broken.page.waitForFunction(() => !document.getElementById('notice').hidden, null,
                                      {timeout: 20000});
    assert.match(await broken.page.textContent('#notice'), message);
    await broken.page.waitForSelector('#play:not([hidden])');
    assert.strictEqual(await broken.page.textContent('#play-action'), 'Click to play');
    await broken.close();
  }
});
