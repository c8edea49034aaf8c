// Shared by the browser checks of the page: the page served and opened in a fresh context, the
// game started, clicks on its pixels, and a game left with its recording.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const {serve} = require('./browser');
const {pagePoint} = require('./native');

const root = path.resolve(__dirname, '../..');
const webDir = path.resolve(process.env.KESTROLA_WEB_DIR || path.join(root, 'build-web'));

// A page of BROWSER with the game ready to start, served afresh for it unless OPTIONS.url is
// given (its server is closed by the suite's closeServers, so a failed check still ends);
// `problems` collects page errors and aborts. OPTIONS: override (the server's, see browser.js),
// touch, beforeLoad (a script run before the page's), address (added to the server's, e.g.
// '#watch=...'), context (more options for the context). `finish` closes a page that saw no
// error.
async function openPage(browser, options = {}) {
  const server = options.url ? null : await serve(webDir, options.override);
  const context = await browser.newContext({viewport: {width: 1000, height: 720},
                                            hasTouch: !!options.touch, ...options.context});
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  if (options.beforeLoad) await page.addInitScript(options.beforeLoad);
  await page.goto(options.url || server.url + (options.address || ''));
  const close = async function () {
    await context.close();
    if (server) server.close();
  };
  // Closes the page once it has seen no error.
  const finish = async function () {
    assert.deepStrictEqual(problems, []);
    await close();
  };
  return {page, context, problems, server, close, finish};
}

async function waitForPlay(page) {
  await page.waitForSelector('#play:not([hidden])', {timeout: 20000});
}

async function gameStarted(page) {
  await page.waitForFunction(() => document.getElementById('cover').classList.contains('gone'));
  await page.waitForTimeout(300); // a few ticks of the menu
}

async function startGame(page) {
  await waitForPlay(page);
  await page.click('#play');
  await gameStarted(page);
}

async function clickWindow(page, x, y) {
  const [px, py] = await pagePoint(page, x, y);
  await page.mouse.click(px, py);
}

// The recording as the page saves it, as text, its link pressed with PRESS ('tap' or 'click').
async function savedRecording(page, press = 'click') {
  const [download] = await Promise.all([page.waitForEvent('download'),
                                        page.locator('#save-recording')[press]()]);
  return fs.readFileSync(await download.path(), 'utf8');
}

// F10 leaves the game of an opened page; the page's recording of it, line by line, and the page
// closed.
async function leaveWithTheRecording({page, context, server, problems}) {
  await page.keyboard.press('F10');
  await page.waitForSelector('#ended:not([hidden])', {timeout: 5000});
  const recording = (await savedRecording(page)).split('\n');
  assert.deepStrictEqual(problems, []);
  await context.close();
  server.close();
  return recording;
}

module.exports = {webDir, openPage, waitForPlay, gameStarted, startGame, clickWindow,
                  savedRecording, leaveWithTheRecording};
