// node shots.js WEBDIR OUTDIR: screenshots of the page at its stages, to look at.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {serve, launch} = require('./browser');

(async function () {
  const webDir = path.resolve(process.argv[2]);
  const outDir = path.resolve(process.argv[3]);
  const server = await serve(webDir);
  const browser = await launch();
  const page = await browser.newPage({viewport: {width: 1000, height: 720}});
  page.on('pageerror', (e) => console.log('page error:', e.message));
  const shot = (name) => page.screenshot({path: path.join(outDir, name + '.png')});
  const windowClick = async function (x, y) {
    const box = await page.locator('#screen').boundingBox();
    await page.mouse.click(box.x + (x + 0.5) * box.width / 300, box.y + (y + 0.5) * box.height / 300);
  };
  const began = Date.now();
  await page.goto(server.url);
  await page.waitForSelector('#play:not([hidden])', {timeout: 20000});
  console.log('ready to play', Date.now() - began, 'ms after the page was asked for');
  await shot('web-1-ready');
  await page.click('#play');
  await page.waitForTimeout(800);
  await shot('web-2-menu');
  await windowClick(120, 157);
  await page.waitForTimeout(300);
  await shot('web-3-table');
  await page.setViewportSize({width: 420, height: 380});
  await page.waitForTimeout(200);
  await shot('web-4-small-window');
  await page.setViewportSize({width: 1000, height: 720});
  const [download] = await Promise.all([page.waitForEvent('download'),
                                        page.click('#save-recording')]);
  const recording = fs.readFileSync(await download.path());
  await page.keyboard.press('Escape');
  await page.waitForTimeout(200);
  await windowClick(120, 211);
  await page.waitForSelector('#ended:not([hidden])');
  await shot('web-5-ended');
  // The table with a Cue aimed, on two phones and two smaller screens with a mouse.
  for (const [name, options] of [
    ['web-6-phone-390x844', {viewport: {width: 390, height: 844}, deviceScaleFactor: 3,
                             isMobile: true, hasTouch: true}],
    ['web-7-phone-844x390', {viewport: {width: 844, height: 390}, deviceScaleFactor: 3,
                             isMobile: true, hasTouch: true}],
    ['web-8-960x540', {viewport: {width: 960, height: 540}}],
    ['web-9-800x600', {viewport: {width: 800, height: 600}}],
  ]) {
    const context = await browser.newContext(options);
    const small = await context.newPage();
    small.on('pageerror', (e) => console.log(name, 'page error:', e.message));
    await small.goto(server.url);
    await small.waitForSelector('#play:not([hidden])', {timeout: 20000});
    await small.click('#play');
    await small.waitForTimeout(500);
    const box = await small.locator('#screen').boundingBox();
    for (const [x, y] of [[120, 157], [45, 85], [90, 160]]) {
      await small.mouse.click(box.x + (x + 0.5) * box.width / 300, box.y + (y + 0.5) * box.height / 300);
      await small.waitForTimeout(100);
    }
    await small.mouse.move(box.x + 60 * box.width / 300, box.y + 125 * box.height / 300);
    await small.waitForTimeout(300);
    await small.screenshot({path: path.join(outDir, name + '.png')});
    await context.close();
  }
  // A recording watched from a link, paused, on the same four screens and the desktop's; and
  // what the page says of a recording it refuses and of a link it made.
  const link = '#watch=' + zlib.deflateRawSync(recording).toString('base64url');
  for (const [name, options] of [
    ['watch-1-1000x720', {viewport: {width: 1000, height: 720}}],
    ['watch-2-800x600', {viewport: {width: 800, height: 600}}],
    ['watch-3-phone-390x844', {viewport: {width: 390, height: 844}, deviceScaleFactor: 3,
                               isMobile: true, hasTouch: true}],
    ['watch-4-phone-844x390', {viewport: {width: 844, height: 390}, deviceScaleFactor: 3,
                               isMobile: true, hasTouch: true}],
  ]) {
    const context = await browser.newContext(options);
    const watching = await context.newPage();
    watching.on('pageerror', (e) => console.log(name, 'page error:', e.message));
    await watching.goto(server.url + link);
    await watching.waitForSelector('#play:not([hidden])', {timeout: 20000});
    await watching.screenshot({path: path.join(outDir, name + '-offered.png')});
    await watching.click('#play');
    await watching.waitForTimeout(900);
    await watching.click('#watch-pause');
    await watching.waitForTimeout(300);
    await watching.screenshot({path: path.join(outDir, name + '.png')});
    if (name === 'watch-1-1000x720') {
      await watching.click('#copy-link');
      await watching.waitForTimeout(300);
      await watching.screenshot({path: path.join(outDir, 'watch-5-link.png')});
      await watching.click('#watch-play');
      await watching.waitForTimeout(300);
      await watching.setInputFiles('#watch-input', {name: 'old.txt', mimeType: 'text/plain',
        buffer: Buffer.from(String(recording).replace(/^# version .*$/m, '# version 0.0.9'))});
      await watching.waitForTimeout(1500);
      await watching.screenshot({path: path.join(outDir, 'watch-6-refused.png')});
    }
    await context.close();
  }
  await browser.close();
  server.close();
})();
