// Shared by the browser checks: the desktop's driver and its pictures, to hold the page's canvas
// against, and the lines of a recorded game.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const root = path.resolve(__dirname, '../..');
const nativeDir = path.resolve(process.env.KESTROLA_NATIVE_DIR || path.join(root, 'build'));

// The 24- or 32-bit BMP the native driver writes, as RGB triples, top row first.
function readBmp(file) {
  const bytes = fs.readFileSync(file);
  const at = bytes.readUInt32LE(10), width = bytes.readInt32LE(18), height = bytes.readInt32LE(22);
  const bits = bytes.readUInt16LE(28), pitch = Math.ceil(width * bits / 32) * 4;
  const rows = Math.abs(height), rgb = [];
  for (let y = 0; y < rows; ++y) {
    const row = at + (height > 0 ? rows - 1 - y : y) * pitch;
    for (let x = 0; x < width; ++x) {
      const p = row + x * bits / 8;
      rgb.push(bytes[p + 2], bytes[p + 1], bytes[p]);
    }
  }
  return rgb;
}

// A scratch folder with the native build's Images, Music and Sfx linked in, all but WITHOUT.
function assetFolder(prefix, without) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  for (const assets of ['Images', 'Music', 'Sfx']) {
    if (assets !== without) fs.symlinkSync(path.join(nativeDir, assets), path.join(folder, assets));
  }
  return folder;
}

// What the native driver shows at the end of SCRIPT (a recorded game is one), and its dump there.
function nativeEnd(script) {
  const folder = assetFolder('kestrola-shot-');
  try {
    const output = execFileSync(path.join(nativeDir, 'kestrola-replay'), ['-'],
                                {cwd: folder, input: script + '\nshot shot.bmp\ndump\n',
                                 maxBuffer: 64 * 1024 * 1024});
    return {pixels: readBmp(path.join(folder, 'shot.bmp')),
            dump: JSON.parse(String(output).trim().split('\n').pop())};
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
}

function nativeShot(script) {
  return nativeEnd(script).pixels;
}

// A recording without the game's way out (F10 or the window closed) and what follows it: what
// a watch of it plays.
function withoutExit(recording) {
  const lines = recording.split('\n');
  const end = lines.findIndex((line) => /^(queue )?(keydown f10|quit)$/.test(line));
  return (end < 0 ? lines : lines.slice(0, end)).join('\n');
}

// The game's 300 x 300 canvas as RGBA, in a page or a frame.
function canvasPixels(page) {
  return page.evaluate(function () {
    const canvas = document.getElementById('screen');
    return Array.from(canvas.getContext('2d').getImageData(0, 0, 300, 300).data);
  });
}

function differingPixels(rgba, rgb) {
  let differing = 0;
  for (let i = 0; i < 300 * 300; ++i) {
    if (rgba[i * 4] !== rgb[i * 3] || rgba[i * 4 + 1] !== rgb[i * 3 + 1] ||
        rgba[i * 4 + 2] !== rgb[i * 3 + 2]) {
      ++differing;
    }
  }
  return differing;
}

// Where the middle of the game pixel (x, y) lies on the page.
async function pagePoint(page, x, y) {
  const box = await page.locator('#screen').boundingBox();
  return [box.x + (x + 0.5) * box.width / 300, box.y + (y + 0.5) * box.height / 300];
}

// The events of a recorded game, one line each, without its clock and comments.
function recordedEvents(recording) {
  return recording.split('\n').filter((line) => line && !/^(#|wait |stall )/.test(line))
    .map((line) => line.replace(/^queue /, ''));
}

// Whether RECORDED, the events of a recording, are the EXPECTED ones a mouse and keys sent: a
// recording leaves out the motions that changed nothing in the game (the pointer moving while
// nothing aims and no menu is shown), so every other event must be there in order, and the
// recorded motions among the expected ones in order.
function sameEventsRecorded(recorded, expected) {
  const moved = (line) => line.startsWith('motion ');
  const others = (lines) => lines.filter((line) => !moved(line)).join('\n');
  let next = 0;
  const expectedMotions = expected.filter(moved);
  const inOrder = recorded.filter(moved).every(function (motion) {
    next = expectedMotions.indexOf(motion, next) + 1;
    return next > 0;
  });
  return inOrder && others(recorded) === others(expected);
}

module.exports = {nativeDir, assetFolder, readBmp, pagePoint, nativeEnd, nativeShot, withoutExit,
                  canvasPixels, differingPixels, recordedEvents, sameEventsRecorded};
