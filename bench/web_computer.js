// Measures the computer player in headless Chromium, from a local server. Two parts:
//   think   kestrola-computer-bench built for the browser (tools/web build writes it into
//           build/web/bench/, never into the page's folder) plays the same games as natively,
//           on a page of its own; what a turn's thinking costs is timed on the page's wall
//           clock, as the browser keeps no processor time.
//   passes  the page itself, with player 2 given to the computer at level 3 as a player chooses
//           it beside the game: player 1 ends the first turn of a two-player match at once, and
//           every pass of the game's 1 ms timer loop is timed while the computer thinks and plays.
// A measurement, not a test: bench/run writes the figures into docs/performance.md. Prints one
// line of JSON. Run after tools/web build:
//   node bench/web_computer.js [think|passes] [--seeds N] [--match-seeds M] [--runs R]
// (both parts by default; the games with seeds 1 to N (5) alone and 1 to M (20) in matches, as
// natively; R (2) visits with each player 2)
'use strict';
const path = require('path');
const {serve, launch} = require('../tools/web-test/browser');
const {timePasses} = require('./web_page');

const root = path.resolve(__dirname, '..');
const webDir = path.resolve(process.env.KESTROLA_WEB_DIR || path.join(root, 'build-web'));
const benchDir = path.resolve(process.env.KESTROLA_WEB_BENCH_DIR ||
                              path.join(root, 'build', 'web', 'bench'));

const PASS_STRETCH_MS = 25000; // timed after player 1 hands over, in each run
const OPPONENT_KEY = 'kestrola-opponent'; // where the page keeps who plays player 2

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at > 0 && at + 1 < process.argv.length ? Number(process.argv[at + 1]) : fallback;
}

// The processor time, in seconds, that each renderer process of this browser has had so far, as
// the browser itself counts it (other programs on the machine may run browsers of their own).
async function rendererSeconds(session) {
  const {processInfo} = await session.send('SystemInfo.getProcessInfo');
  const seconds = {};
  for (const process of processInfo) {
    if (process.type === 'renderer') seconds[process.id] = process.cpuTime;
  }
  return seconds;
}

// How much of WALL seconds since BEFORE (rendererSeconds()'s) the busiest renderer, the page's,
// had the processor for.
async function processorShare(session, before, wall) {
  const after = await rendererSeconds(session);
  const used = Object.keys(after).map((id) => after[id] - (before[id] || 0));
  return Math.max(0, ...used) / wall;
}

// The computer bench's own output, its lines as it prints them, and the share of its wall time
// the page had the processor for.
async function think(browser) {
  const html = '<!doctype html><meta charset="utf-8"><title>computer bench</title>' +
               '<script src="kestrola-computer-bench.js"></script>';
  const server = await serve(benchDir,
                             (name) => (name === 'index.html' ? {body: Buffer.from(html)} : null));
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url);
  const args = ['--seeds', String(option('--seeds', 5)),
                '--match-seeds', String(option('--match-seeds', 20))];
  const session = await browser.newBrowserCDPSession();
  const cpu0 = await rendererSeconds(session), wall0 = Date.now();
  const text = await page.evaluate(async function (args) {
    const lines = [];
    const bench = await createKestrolaComputerBench({print: (line) => lines.push(line),
                                                     printErr: (line) => lines.push(line)});
    bench.callMain(args);
    return lines.join('\n');
  }, args);
  const share = await processorShare(session, cpu0, (Date.now() - wall0) / 1000);
  await context.close();
  server.close();
  const percent = Math.round(share * 100);
  return text + `\n  (the page's renderer had the processor for ${percent} % of the wall time)`;
}

// One visit, player 2 given to OPPONENT ('computer 3' or 'person'): every pass timed from player
// 1's End turn on, while the computer thinks and plays its first turn, or, with a person who does
// nothing, while the page only waits: the pauses the machine itself makes.
async function passesOnce(browser, opponent) {
  const server = await serve(webDir);
  const context = await browser.newContext({viewport: {width: 1000, height: 720}});
  const page = await context.newPage();
  await page.addInitScript(timePasses);
  await page.addInitScript(([key, value]) => window.localStorage.setItem(key, value),
                           [OPPONENT_KEY, opponent]);
  await page.goto(server.url);
  await page.waitForSelector('#play:not([hidden])', {timeout: 60000});
  await page.click('#play');
  await page.waitForFunction(() => document.getElementById('cover').classList.contains('gone'));
  await page.waitForTimeout(300);
  const box = await page.locator('#screen').boundingBox();
  const at = (x, y) => [box.x + (x + 0.5) * box.width / 300, box.y + (y + 0.5) * box.height / 300];
  // Two players; player 1 ends the first turn at once (the row switch, then End turn): a Cue
  // stroke's balls would run for seconds first, and space with no ball moving does nothing.
  await page.mouse.click(...at(120, 174));
  await page.waitForTimeout(200);
  await page.mouse.click(...at(285, 85));
  await page.waitForTimeout(200);
  await page.evaluate(() => { window.passCosts = []; });
  await page.mouse.click(...at(255, 85));
  await page.waitForTimeout(PASS_STRETCH_MS);
  const costs = await page.evaluate(() => window.passCosts);
  await context.close();
  server.close();
  return costs;
}

async function passes(browser, opponent) {
  const runs = option('--runs', 2);
  const all = [];
  const longest = [];
  for (let i = 0; i < runs; ++i) {
    const costs = await passesOnce(browser, opponent);
    longest.push(Math.max(...costs));
    all.push(...costs);
  }
  all.sort((a, b) => a - b);
  return {
    runs, seconds_each: PASS_STRETCH_MS / 1000, passes: all.length,
    longest_ms: all[all.length - 1], longest_each_ms: longest,
    p99_ms: all[Math.floor(all.length * 0.99)], p999_ms: all[Math.floor(all.length * 0.999)],
    median_ms: all[Math.floor(all.length / 2)],
    over_5_ms: all.filter((ms) => ms > 5).length, over_20_ms: all.filter((ms) => ms > 20).length,
  };
}

async function main() {
  const parts = process.argv.slice(2).filter((arg) => arg === 'think' || arg === 'passes');
  const wanted = parts.length ? parts : ['think', 'passes'];
  const browser = await launch();
  const figures = {};
  try {
    if (wanted.includes('think')) figures.thinking = await think(browser);
    if (wanted.includes('passes')) {
      figures.passes = {computer: await passes(browser, 'computer 3'),
                        person: await passes(browser, 'person')};
    }
  } finally {
    await browser.close();
  }
  process.stdout.write(JSON.stringify(figures) + '\n');
}

main().catch(function (error) {
  process.stderr.write(String(error.stack || error) + '\n');
  process.exit(1);
});
