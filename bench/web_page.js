// Measures the browser build in headless Chromium, from a local server: how long the page takes
// to offer "Click to play", locally and over a 10 Mbit/s line (Chromium's own throttling), how
// long from the click to the first frame, what a pass of the main loop costs while a match runs,
// and how many bytes the server sends before the first frame and in all (the tunes and the
// service worker's copy included). A measurement, not a test: bench/run writes the figures into
// docs/performance.md. Run after tools/web build:
//   node bench/web_page.js [RUNS]
'use strict';
const path = require('path');
const {serve, launch} = require('../tools/web-test/browser');

const root = path.resolve(__dirname, '..');
const webDir = path.resolve(process.env.KESTROLA_WEB_DIR || path.join(root, 'build-web'));

// The line of the throttled loads: 10 Mbit/s each way, 20 ms of latency.
const LINE = {offline: false, latency: 20, downloadThroughput: 10e6 / 8, uploadThroughput: 10e6 / 8};

// Every callback of the 1 ms timer the game's loop runs on, timed where it runs; and, on the
// page's own clock (from the start of the navigation), the moments it offers "Click to play",
// the click comes, and the cover goes, just after the game's first frame (the click that starts
// the game draws it), that one also as Date.now() to set against the server's.
function timePasses() {
  window.moments = {};
  document.addEventListener('DOMContentLoaded', function () {
    const play = document.getElementById('play');
    const cover = document.getElementById('cover');
    new MutationObserver(function () {
      if (!play.hidden && !window.moments.ready) window.moments.ready = performance.now();
      if (cover.classList.contains('gone') && !window.moments.firstFrame) {
        window.moments.firstFrame = performance.now();
        window.moments.firstFrameDate = Date.now();
      }
    }).observe(cover, {attributes: true, subtree: true});
  });
  document.addEventListener('click', function (event) {
    if (!window.moments.clicked) window.moments.clicked = event.timeStamp;
  }, true);
  window.passCosts = [];
  const plain = window.setTimeout;
  window.setTimeout = function (callback, delay) {
    if (typeof callback !== 'function' || delay > 1) return plain.apply(window, arguments);
    return plain(function () {
      const start = performance.now();
      try {
        return callback.apply(this, arguments);
      } finally {
        window.passCosts.push(performance.now() - start);
      }
    }, delay);
  };
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// One first visit, on a server of its own so its bytes are counted alone.
async function once(browser, throttled) {
  const server = await serve(webDir);
  const context = await browser.newContext({viewport: {width: 1000, height: 720}});
  const page = await context.newPage();
  if (throttled) {
    const session = await context.newCDPSession(page);
    await session.send('Network.enable');
    await session.send('Network.emulateNetworkConditions', LINE);
  }
  await page.addInitScript(timePasses);
  await page.goto(server.url);
  await page.waitForSelector('#play:not([hidden])', {timeout: 60000});
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('cover').classList.contains('gone'));
  const moments = await page.evaluate(() => window.moments);
  const ready = moments.ready;
  const firstFrame = moments.firstFrame - moments.clicked;
  const bytesBeforeFrame = server.sent(moments.firstFrameDate);
  // Everything the page fetches later: the tunes, and what the service worker keeps. A page
  // without such a promise fetches nothing after its start.
  await page.evaluate(() => (typeof KestrolaLoader === 'object' ? KestrolaLoader.everything : null));
  await page.waitForTimeout(500);
  const bytesInAll = server.sent();
  let costs = [];
  if (!throttled) {
    // A one-player game scattered by a Chaos, running for three seconds.
    const box = await page.locator('#screen').boundingBox();
    const at = (x, y) => [box.x + (x + 0.5) * box.width / 300, box.y + (y + 0.5) * box.height / 300];
    for (const [x, y] of [[120, 157], [285, 85], [135, 85], [150, 200]]) {
      await page.mouse.click(...at(x, y));
      await page.waitForTimeout(50);
    }
    await page.keyboard.press('Space');
    await page.evaluate(() => { window.passCosts = []; });
    await page.waitForTimeout(3000);
    costs = await page.evaluate(() => window.passCosts);
  }
  await context.close();
  server.close();
  return {ready, firstFrame, costs, bytesBeforeFrame, bytesInAll};
}

async function main() {
  const runs = Number(process.argv[2] || 5);
  const browser = await launch();
  const local = [], slow = [];
  for (let i = 0; i < runs; ++i) local.push(await once(browser, false));
  for (let i = 0; i < runs; ++i) slow.push(await once(browser, true));
  await browser.close();
  const costs = local.flatMap((r) => r.costs).sort((a, b) => a - b);
  const figures = {
    load_to_click_to_play_s: median(local.map((r) => r.ready)) / 1000,
    click_to_first_frame_s: median(local.map((r) => r.firstFrame)) / 1000,
    load_to_first_frame_s: median(local.map((r) => r.ready + r.firstFrame)) / 1000,
    line_load_to_click_to_play_s: median(slow.map((r) => r.ready)) / 1000,
    line_load_to_first_frame_s: median(slow.map((r) => r.ready + r.firstFrame)) / 1000,
    line: '10 Mbit/s, ' + LINE.latency + ' ms latency',
    // The page's clock counts in steps of a tenth of a millisecond, under which most passes
    // fall: the mean counts them all.
    pass_mean_ms: costs.reduce((sum, cost) => sum + cost, 0) / costs.length,
    pass_p95_ms: costs[Math.floor(costs.length * 0.95)],
    passes_per_s: costs.length / runs / 3,
    before_first_frame_mb: median(local.map((r) => r.bytesBeforeFrame)) / 1e6,
    download_mb: median(local.map((r) => r.bytesInAll)) / 1e6,
  };
  process.stdout.write(JSON.stringify(figures) + '\n');
}

module.exports = {timePasses};

if (require.main === module) {
  main().catch(function (error) {
    process.stderr.write(String(error.stack || error) + '\n');
    process.exit(1);
  });
}
