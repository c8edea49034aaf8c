// node shots.js WEBDIR OUTDIR: screenshots of the page at its stages, to look at.
'use strict';
const path = require('path');
const {serve, launch} = require('./browser');

(async function () {
  const webDir = path.resolve(process.argv[2]);
  const outDir = path.resolve(process.argv[3]);
  const server = await serve(webDir);
  const browser = await launch();
  const page = await browser.newPage({viewport: {width: 1000, height: 720}});
  page.on('console', (m) => console.log('console:', m.text()));
  page.on('pageerror', (e) => console.log('pageerror:', e.message));
  const began = Date.now();
  await page.goto(server.url);
  await page.waitForSelector('#play:not([hidden])', {timeout: 20000});
  console.log('ready to play after', Date.now() - began, 'ms');
  await page.screenshot({path: path.join(outDir, 'web-1-ready.png')});
  await page.click('#play');
  await page.waitForTimeout(800);
  await page.screenshot({path: path.join(outDir, 'web-2-menu.png')});
  const box = await page.locator('#screen').boundingBox();
  console.log('canvas box', JSON.stringify(box));
  await browser.close();
  server.close();
})();
