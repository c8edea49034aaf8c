// Measures the browser build in headless Chromium, from a local server: how long the page takes
// to offer "Click to play", how long from the click to the first frame, what a pass of the main
// loop costs while a match runs, and how much the page downloads. A measurement, not a test:
// bench/run writes the figures into docs/performance.md. Run after tools/web build:
//   node bench/web_page.js [RUNS]
'use strict';
const path = require('path');
const {serve, launch} = require('../tools/web-test/browser');

const root = path.resolve(__dirname, '..');
const webDir = path.resolve(process.env.KESTROLA_WEB_DIR || path.join(root, 'build-web'));

// Every callback of the 1 ms timer the game's loop runs on, timed where it runs.
function timePasses() {
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

async function once(browser, url) {
  const context = await browser.newContext({viewport: {width: 1000, height: 720}});
  const page = await context.newPage();
  let bytes = 0;
  // Counted from the headers: reading the bodies back through the browser would slow the load.
  page.on('response', (response) => {
    bytes += Number(response.headers()['content-length'] || 0);
  });
  await page.addInitScript(timePasses);
  const started = Date.now();
  await page.goto(url);
  await page.waitForSelector('#play:not([hidden])', {timeout: 30000});
  const ready = Date.now() - started;
  const clicked = Date.now();
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('cover').classList.contains('gone'));
  const firstFrame = Date.now() - clicked;
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
  const costs = await page.evaluate(() => window.passCosts);
  await context.close();
  return {ready, firstFrame, costs, bytes};
}

(async function main() {
  const runs = Number(process.argv[2] || 5);
  const server = await serve(webDir);
  const browser = await launch();
  const results = [];
  for (let i = 0; i < runs; ++i) results.push(await once(browser, server.url));
  await browser.close();
  server.close();
  const costs = results.flatMap((r) => r.costs).sort((a, b) => a - b);
  const figures = {
    load_to_click_to_play_s: median(results.map((r) => r.ready)) / 1000,
    click_to_first_frame_s: median(results.map((r) => r.firstFrame)) / 1000,
    load_to_first_frame_s: median(results.map((r) => r.ready + r.firstFrame)) / 1000,
    pass_median_ms: median(costs),
    pass_p95_ms: costs[Math.floor(costs.length * 0.95)],
    passes_per_s: costs.length / runs / 3,
    download_mb: median(results.map((r) => r.bytes)) / 1e6,
  };
  process.stdout.write(JSON.stringify(figures) + '\n');
})().catch(function (error) {
  process.stderr.write(String(error.stack || error) + '\n');
  process.exit(1);
});
