// The page on a phone and among other pages: the touch controls and a finger on the game give
// the game exactly the events of the mouse and the keys, the game is as large as the screen
// allows with nothing over it, every key reaches it, and it plays inside another site's frame.
// Run by `tools/web test` after `tools/web build`.
'use strict';
const assert = require('node:assert');
const path = require('node:path');
const {test, before, after} = require('node:test');
const {serve, launch, closeServers} = require('./browser');
const pages = require('./pages');
const {webDir, waitForPlay, gameStarted, savedRecording} = pages;
const {nativeShot, canvasPixels, differingPixels, recordedEvents, sameEventsRecorded, pagePoint} =
  require('./native');


const PHONE = {viewport: {width: 390, height: 844}, deviceScaleFactor: 3, isMobile: true,
               hasTouch: true};
const DESKTOP = {viewport: {width: 800, height: 600}};
const CONTROLS = ['Start or pause time', 'Cancel the tool', 'Next page', 'Menu'];
const TUTORIAL = [120, 143];
const ONE_PLAYER = [120, 157];
const QUIT = [120, 211];
const CUE = [45, 85];
const TELEPORT = [225, 85];

let browser;
before(async function () { browser = await launch(); });
after(async function () {
  await browser.close();
  closeServers();
});

// The page in a fresh context, ready to start; `problems` collects its errors.
const openPage = (contextOptions) => pages.openPage(browser, {context: contextOptions});

// The game started with a tap on a phone that may save its recordings.
async function startOnAPhone() {
  const opened = await openPage({...PHONE, acceptDownloads: true});
  await waitForPlay(opened.page);
  await opened.page.locator('#play').tap();
  await gameStarted(opened.page);
  return opened;
}

// A finger on the game: down on the first game pixel, moved through the others, lifted on the
// last. Adds to `expected` what the game should be told, in the words of its recording: the
// mouse moved to where the finger lands and wherever it moves, and a click where it is lifted.
async function finger(page, points, expected) {
  const session = await page.context().newCDPSession(page);
  const touch = async function (type, point) {
    const touchPoints = point ? [{x: point[0], y: point[1]}] : [];
    await session.send('Input.dispatchTouchEvent', {type, touchPoints});
  };
  await touch('touchStart', await pagePoint(page, ...points[0]));
  for (const point of points.slice(1)) await touch('touchMove', await pagePoint(page, ...point));
  await touch('touchEnd', null);
  await session.detach();
  for (const point of points) expected.push('motion ' + point.join(' '));
  expected.push('click ' + points[points.length - 1].join(' '));
  await page.waitForTimeout(100);
}

function control(page, name) {
  return page.getByRole('button', {name, exact: true});
}

test('the tutorial and a game played with a finger and the touch controls are the desktop\'s, ' +
     'its recording replays there exactly, and Quit ends the controls', async function () {
  const {page, finish} = await openPage({...PHONE, acceptDownloads: true});
  await waitForPlay(page);
  for (const name of CONTROLS) assert.ok(await control(page, name).isDisabled(), name);
  await page.locator('#play').tap();
  await gameStarted(page);
  for (const name of CONTROLS) assert.ok(await control(page, name).isEnabled(), name);
  // The tutorial entered with a tap, turned with Next page and left with Menu.
  const expected = [];
  await finger(page, [TUTORIAL], expected);
  await control(page, 'Next page').tap();
  expected.push('keydown return', 'keyup return');
  await page.waitForTimeout(200);
  assert.strictEqual(differingPixels(await canvasPixels(page),
                                     nativeShot('ticks 1\n' + expected.join('\n'))), 0);
  await control(page, 'Menu').tap();
  expected.push('keydown escape', 'keyup escape');
  // A one-player game; the Cue on the top left ball, aimed by dragging and struck on release.
  // The Teleport on another ball, aimed, and put back with the control.
  for (const points of [[ONE_PLAYER], [CUE], [[90, 160]],
                        [[104, 150], [92, 146], [80, 141], [75, 140]],
                        [TELEPORT], [[210, 180]], [[220, 170], [245, 150]]]) {
    await finger(page, points, expected);
  }
  await control(page, 'Cancel the tool').tap();
  expected.push('click 245 150 right');
  await page.waitForTimeout(200);
  const mouseAndKeys = nativeShot('ticks 1\n' + expected.join('\n'));
  assert.strictEqual(differingPixels(await canvasPixels(page), mouseAndKeys), 0);
  // Time started, run for a while, and paused.
  await control(page, 'Start or pause time').tap();
  await page.waitForTimeout(800);
  await control(page, 'Start or pause time').tap();
  expected.push('keydown space', 'keyup space', 'keydown space', 'keyup space');
  await page.waitForTimeout(300);
  const shown = await canvasPixels(page);
  const recording = await savedRecording(page, 'tap');
  assert.ok(sameEventsRecorded(recordedEvents(recording), expected), recording);
  assert.match(recording.split('keydown space')[1], /^(wait|stall) \d+$/m,
               'time ran between the two presses');
  assert.strictEqual(differingPixels(shown, nativeShot(recording)), 0);
  assert.notStrictEqual(differingPixels(shown, mouseAndKeys), 0, 'the balls moved');
  // Quit from the start menu: the game is over and the controls with it.
  await control(page, 'Menu').tap();
  await page.waitForTimeout(100);
  await finger(page, [QUIT], []);
  await page.waitForSelector('#ended:not([hidden])', {timeout: 5000});
  for (const name of CONTROLS) assert.ok(await control(page, name).isDisabled(), name);
  await finish();
});

test('a recording watched on a phone is steered by taps on its own controls, beside the game',
     async function () {
  const {page, finish} = await startOnAPhone();
  for (const points of [[ONE_PLAYER], [CUE], [[90, 160]], [[104, 150], [92, 146], [75, 140]]]) {
    await finger(page, points, []);
  }
  await page.waitForTimeout(3000); // long enough to be steered
  const recording = await savedRecording(page, 'tap');
  await page.setInputFiles('#watch-input', {name: 'game.txt', mimeType: 'text/plain',
                                            buffer: Buffer.from(recording)});
  await page.waitForFunction(() => document.documentElement.classList.contains('watching'));
  await control(page, 'Pause').tap();
  await control(page, 'Resume').waitFor({timeout: 3000});
  const WATCH = ['Resume', 'Speed 1×', 'Back to the start', 'Next turn', 'Play from here'];
  for (const [width, height] of [[390, 844], [844, 390]]) {
    await page.setViewportSize({width, height});
    await page.waitForTimeout(300);
    const game = await page.locator('#screen').boundingBox();
    for (const name of CONTROLS) assert.ok(!(await control(page, name).isVisible()), name);
    for (const box of await tappable(page, WATCH, width, height, width + ' x ' + height)) {
      assert.ok(!overlap(box, game), width + ' x ' + height + ': ' + JSON.stringify(box) + ' is on the game');
    }
  }
  await control(page, 'Speed 1×').tap();
  await control(page, 'Speed 2×').waitFor({timeout: 3000});
  // A tap on the game goes on, and reaches nothing in it.
  await page.touchscreen.tap(...await pagePoint(page, 150, 200));
  await control(page, 'Pause').waitFor({timeout: 3000});
  await control(page, 'Play from here').tap();
  await page.waitForFunction(() => !document.documentElement.classList.contains('watching'));
  for (const name of CONTROLS) assert.ok(await control(page, name).isVisible(), name);
  assert.ok(!recordedEvents(await savedRecording(page, 'tap')).includes('click 150 200'));
  await finish();
});

// The boxes of the named buttons, each large enough for a finger and on the screen.
async function tappable(page, names, width, height, where) {
  const boxes = [];
  for (const name of names) {
    const box = await control(page, name).boundingBox();
    assert.ok(box && box.width >= 44 && box.height >= 44, where + ': ' + name + ' is too small');
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= width &&
              box.y + box.height <= height, where + ': ' + name + ' off the screen');
    boxes.push(box);
  }
  return boxes;
}

function overlap(a, b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The game's size in CSS pixels at each viewport, with the device pixels each game pixel takes:
// a whole number where that leaves at most a sixth of the room empty (a twelfth on a touch
// screen), otherwise all the room.
const SIZES = [
  // On a phone: the whole width standing, the whole height lying, the controls beside it; on a
  // larger touch screen five device pixels a game pixel, where that loses little.
  {screen: PHONE, width: 390, height: 844, size: 390, scale: 3.9},
  {screen: PHONE, width: 844, height: 390, size: 390, scale: 3.9},
  {screen: PHONE, width: 960, height: 540, size: 500, scale: 5},
  {screen: PHONE, width: 800, height: 600, size: 548, scale: 5.48},
  // Where centring would put the game between device pixels.
  {screen: PHONE, width: 393, height: 852, size: 393, scale: 3.93},
  // With a mouse: the whole height, the recording line and the fullscreen button in the margins;
  // centred where nothing is in the way; at 640 x 600 a whole factor would leave half empty.
  {screen: DESKTOP, width: 1000, height: 720, size: 600, scale: 2, centred: true},
  {screen: DESKTOP, width: 1300, height: 950, size: 900, scale: 3},
  {screen: DESKTOP, width: 420, height: 380, size: 300, scale: 1},
  {screen: DESKTOP, width: 640, height: 600, size: 569, scale: 569 / 300},
  {screen: DESKTOP, width: 390, height: 844, size: 390, scale: 1.3},
  {screen: DESKTOP, width: 844, height: 390, size: 390, scale: 1.3},
  {screen: DESKTOP, width: 960, height: 540, size: 540, scale: 1.8},
  {screen: DESKTOP, width: 800, height: 600, size: 600, scale: 2},
];

test('the game is as large as the screen allows, crisp, and nothing covers it', async function () {
  for (const screen of [PHONE, DESKTOP]) {
    const {page, finish} = await openPage(screen);
    await waitForPlay(page);
    const touch = screen === PHONE;
    if (touch) await page.locator('#play').tap(); else await page.click('#play');
    await gameStarted(page);
    for (const {width, height, size, scale, centred} of SIZES.filter((each) => each.screen === screen)) {
      const where = width + ' x ' + height + (touch ? ' on a phone' : '');
      await page.setViewportSize({width, height});
      // Once the page has been laid out again: the game inside the new viewport.
      await page.waitForFunction(function ([w, h]) {
        const box = document.getElementById('screen').getBoundingClientRect();
        return innerWidth === w && innerHeight === h && box.right <= w && box.bottom <= h;
      }, [width, height], {timeout: 3000}).catch(() => {});
      await page.evaluate(() => new Promise((done) => {
        requestAnimationFrame(() => requestAnimationFrame(done));
      }));
      const game = await page.locator('#screen').boundingBox();
      assert.deepStrictEqual([game.width, game.height], [size, size], where);
      assert.ok(game.x >= 0 && game.y >= 0 && game.x + size <= width && game.y + size <= height,
                where + ': ' + JSON.stringify(game));
      if (centred) assert.deepStrictEqual([game.x * 2 + size, game.y * 2 + size], [width, height]);
      const ratio = await page.evaluate(() => window.devicePixelRatio);
      assert.ok(Math.abs(size * ratio / 300 - scale) < 1e-9, where);
      // Whole device pixels at the game's edges, so its pixels line up with the screen's (to
      // the sixty-fourth of a CSS pixel the browser lays the page out in).
      for (const edge of [game.x, game.y]) {
        const off = Math.abs(edge * ratio - Math.round(edge * ratio));
        assert.ok(off <= ratio / 64, where + ': ' + edge);
      }
      const around = [await page.locator('#recording').boundingBox(),
                      await page.locator('#fullscreen').boundingBox()];
      for (const name of CONTROLS) {
        assert.strictEqual(await control(page, name).isVisible(), touch, where + ': ' + name);
      }
      if (touch) around.push(...await tappable(page, CONTROLS, width, height, where));
      for (const box of around) {
        assert.ok(box && !overlap(box, game), where + ': ' + JSON.stringify(box) + ' is on it');
      }
    }
    const rendering = await page.evaluate(function () {
      return getComputedStyle(document.getElementById('screen')).imageRendering;
    });
    assert.strictEqual(rendering, 'pixelated');
    await finish();
  }
});

test('every key reaches the game once, whatever was clicked before it, and none the page',
     async function () {
  const {page, finish} = await openPage({...DESKTOP, acceptDownloads: true});
  await waitForPlay(page);
  // Started from the keyboard: the release of its ENTER is not the game's.
  await page.keyboard.press('Enter');
  await gameStarted(page);
  // Space, the arrows and the page keys never scroll the page.
  await page.evaluate(function () {
    window.keysLeftToPage = [];
    window.addEventListener('keydown', (event) => {
      if (!event.defaultPrevented) window.keysLeftToPage.push(event.key);
    });
  });
  const game = await page.locator('#screen').boundingBox();
  await page.mouse.click(game.x + (ONE_PLAYER[0] + 0.5) * 2, game.y + (ONE_PLAYER[1] + 0.5) * 2);
  // Every key but four is recorded as one that does the same.
  const arrows = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'PageDown'];
  for (const key of arrows) await page.keyboard.press(key);
  // The page beside the game, the recording line's words, and the fullscreen button.
  const note = await page.locator('#recording').boundingBox();
  for (const [x, y] of [[game.x / 2, 300], [note.x + 2, note.y + 2]]) {
    await page.mouse.click(x, y);
    await page.keyboard.press('Space');
  }
  await page.click('#fullscreen');
  await page.keyboard.press('Space');
  // The focus on a button of the page, as the keyboard's Tab or a screen reader leaves it: the
  // key is the game's, and the button is not pressed.
  await page.focus('#save-recording');
  let saved = false;
  page.on('download', function () { saved = true; });
  await page.keyboard.press('Space');
  await page.waitForTimeout(200);
  assert.ok(!saved, 'space pressed the button');
  assert.deepStrictEqual(await page.evaluate(() => window.keysLeftToPage), []);
  page.removeAllListeners('download');
  const events = recordedEvents(await savedRecording(page, 'click'));
  const space = ['keydown space', 'keyup space'];
  assert.deepStrictEqual(events.filter((line) => !line.startsWith('motion')),
                         ['click 120 157', ...arrows.flatMap(() => ['keydown z', 'keyup z']),
                          ...space, ...space, ...space, ...space]);
  await finish();
});

test('the game plays inside a frame of another site', async function () {
  const game = await serve(webDir);
  const {page, server: host, finish} = await pages.openPage(browser, {
    context: DESKTOP, override: (name) => name === 'index.html' ? {body: Buffer.from(
      '<!doctype html><title>Another site</title><p>Another site, with a game in it:</p>' +
      '<iframe src="' + game.url + '" width="640" height="480" style="border: 0"></iframe>')} : null});
  assert.notStrictEqual(new URL(game.url).origin, new URL(host.url).origin);
  const inside = page.frameLocator('iframe');
  const frame = page.frames().find((each) => each.url() === game.url);
  await waitForPlay(frame);
  await inside.locator('#play').click();
  await gameStarted(frame);
  const box = await inside.locator('#screen').boundingBox();
  const frameBox = await page.locator('iframe').boundingBox();
  assert.ok(box.width >= 400 && box.x >= frameBox.x && box.y >= frameBox.y &&
            box.x + box.width <= frameBox.x + 640 && box.y + box.height <= frameBox.y + 480,
            JSON.stringify(box));
  // Without the host's leave, there is no fullscreen to offer.
  assert.ok(await inside.locator('#fullscreen').isHidden());
  const scale = box.width / 300;
  await page.mouse.click(box.x + (ONE_PLAYER[0] + 0.5) * scale,
                         box.y + (ONE_PLAYER[1] + 0.5) * scale);
  // The host's page, then the frame's page beside the game, and a key.
  await page.mouse.click(frameBox.x + 320, frameBox.y + 600);
  await page.mouse.click(frameBox.x + 5, frameBox.y + 240);
  await page.keyboard.press('Space');
  await page.waitForTimeout(200);
  const desktop = nativeShot('ticks 1\nclick ' + ONE_PLAYER.join(' ') + '\nkey space');
  assert.strictEqual(differingPixels(await canvasPixels(frame), desktop), 0);
  await finish();
});
