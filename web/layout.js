// The game's size and the places of what sits around it: the whole-number scaling, the
// fullscreen button, the recording line and, on a touch screen or while a recording plays, the
// pads of controls, arranged below the game or beside it. Nothing of it ever covers the game.
'use strict';

const FRAME_MARGIN = 8; // the wooden rim drawn around the window, in CSS pixels
const fullscreenButton = document.getElementById('fullscreen');

const EDGE = 10;          // between the page's edge and a button at it
const GAP = 12;           // between the game and what sits beside it
const NOTE_MARGIN = 6;    // below the recording line
const NOTE_COLUMN = 100;  // the narrowest column beside the game the recording line is set in
const CONTROL = 64;       // a control's height
const CONTROL_GAP = 8;
const PAD_COLUMN = 104;   // the narrowest pair of controls beside the game
const WIDE_PAD = 132;     // and the widest, where the margin has room
const PAD_ROW = 480;      // the widest row of the four controls below the game

const controls = document.getElementById('controls');
const pads = [document.getElementById('pad-left'), document.getElementById('pad-right')];
const note = document.getElementById('recording');
const coarsePointer = window.matchMedia('(pointer: coarse)');
let touched = false; // a finger has been on the page, whatever the pointer said

function touchScreen() {
  return coarsePointer.matches || touched;
}

// The game's size in CSS pixels in a square room of ROOM CSS pixels: a whole number of device
// pixels per game pixel, so that every game pixel is as large as the next, unless that leaves
// more than a sixth of the room unused; then the largest that fits, on whole device pixels. On
// a touch screen, where the game's buttons are a finger's targets, a twelfth is already too
// much.
function gameSize(room, ratio, touch) {
  const devicePixels = Math.floor(room * ratio);
  const whole = Math.floor(devicePixels / WINDOW_SIZE) * WINDOW_SIZE;
  const parts = touch ? 12 : 6;
  if (whole > 0 && parts * whole >= (parts - 1) * devicePixels) return whole / ratio;
  return devicePixels / ratio;
}

// The controls a pad shows: the play controls, or the watch controls while a recording plays.
function shownControls(pad) {
  return Array.from(pad.children).filter((button) => getComputedStyle(button).display !== 'none');
}

// The heights of the two pads, WIDTHS CSS pixels wide, their controls side by side or one above
// the other (DIRECTION 'row' or 'column'): CONTROL a control, more where a label takes more
// lines, and every control as tall as the tallest.
function padHeights(direction, widths) {
  controls.className = direction + ' measured';
  let tallest = CONTROL;
  pads.forEach(function (pad, i) {
    Object.assign(pad.style, {width: widths[i] + 'px', height: ''});
    for (const button of shownControls(pad)) tallest = Math.max(tallest, button.offsetHeight);
  });
  return pads.map(function (pad) {
    const count = shownControls(pad).length;
    return direction === 'row' ? tallest : count * tallest + (count - 1) * CONTROL_GAP;
  });
}

// The recording line's height when set in WIDTH CSS pixels.
function noteHeight(width) {
  note.style.width = width + 'px';
  return note.offsetHeight;
}

// The ways of arranging the page, each as the room it leaves the game and, given the game's
// outer size, where everything goes. A mouse: the recording line below the game and the
// fullscreen button in the top right corner, or both in the margins beside the game. A touch
// screen, or a recording being watched (PADS): the controls in a row below the game, or in two
// columns either side of it.
function arrangements(width, height, padsShown) {
  const button = fullscreenButton.hidden ? 0 : fullscreenButton.offsetWidth;
  const corner = button ? button + 2 * EDGE : 0; // the fullscreen button's corner, kept clear
  const cornerButton = {x: width - EDGE - button, y: EDGE};
  const fullWidthNote = noteHeight(width - 2 * EDGE);
  const centred = (outer) => ({x: (width - outer) / 2, y: (height - outer) / 2});
  if (!padsShown) {
    const strip = fullWidthNote + 2 * NOTE_MARGIN;
    const below = {
      room: Math.min(width, height - strip, Math.max(height - strip - corner, width - corner)),
      place: function (outer) {
        const game = centred(outer);
        if (game.y + outer > height - strip) game.y = (height - strip - outer) / 2;
        // Out of the fullscreen button's corner by the shorter way that is open.
        if (button && game.x + outer > width - corner && game.y < corner) {
          const down = corner + outer <= height - strip;
          const left = outer <= width - corner;
          if (down && (!left || corner - game.y <= game.x + outer - (width - corner))) {
            game.y = corner;
          } else {
            game.x = width - corner - outer;
          }
        }
        return {game, fullscreen: cornerButton, note: {x: EDGE, width: width - 2 * EDGE,
                                                       bottom: height - NOTE_MARGIN}};
      },
    };
    const side = Math.max(NOTE_COLUMN, corner);
    const beside = {
      room: Math.min(height, width - 2 * side),
      place: function (outer) {
        const game = centred(outer);
        const column = width - game.x - outer - 2 * EDGE;
        return {game, fullscreen: cornerButton,
                note: {x: game.x + outer + EDGE, width: column, bottom: height - NOTE_MARGIN}};
      },
    };
    // Beside the game the line wraps; it must stay clear of the fullscreen button.
    if (noteHeight(side - 2 * EDGE) + NOTE_MARGIN + corner > height) beside.room = 0;
    return [below, beside];
  }
  // In a row, every control as wide as the next: the pad with more controls is the wider.
  const rowWidth = Math.min(width - 2 * EDGE, PAD_ROW);
  const counts = pads.map((pad) => shownControls(pad).length);
  const each = (rowWidth - (counts[0] + counts[1] - 1) * CONTROL_GAP) / (counts[0] + counts[1]);
  const rowWidths = counts.map((count) => count * each + (count - 1) * CONTROL_GAP);
  const row = Math.max(...padHeights('row', rowWidths));
  const stack = GAP + row + GAP + fullWidthNote + NOTE_MARGIN;
  // The game and the controls below it stand in the middle, clear of the fullscreen button:
  // below its corner, unless the game is narrow enough to stand beside it.
  const free = Math.min(width, height - stack);
  const belowCorner = Math.max(height - stack - corner, width - 2 * corner);
  const below = {
    room: free <= width - 2 * corner ? free : Math.min(width, belowCorner),
    place: function (outer) {
      const game = {x: (width - outer) / 2, y: (height - outer - stack) / 2};
      if (game.x + outer > width - corner) game.y = Math.max(game.y, corner);
      const top = game.y + outer + GAP;
      const bottom = top + row + GAP + fullWidthNote;
      const left = (width - rowWidth) / 2;
      return {game, fullscreen: cornerButton, direction: 'row',
              pads: [{x: left, y: top, width: rowWidths[0], height: row},
                     {x: left + rowWidths[0] + CONTROL_GAP, y: top, width: rowWidths[1],
                      height: row}],
              note: {x: EDGE, width: width - 2 * EDGE, bottom}};
    },
  };
  const beside = {
    room: Math.min(height, width - 2 * (PAD_COLUMN + GAP + EDGE)),
    place: function (outer) {
      const game = centred(outer);
      const margin = game.x;
      const padWidth = Math.max(PAD_COLUMN, Math.min(WIDE_PAD, margin - 2 * GAP));
      const padX = (margin - padWidth) / 2;
      const [leftPad, rightPad] = padHeights('column', [padWidth, padWidth]);
      const aboveNote = height - NOTE_MARGIN - noteHeight(margin - 2 * EDGE) - GAP - leftPad;
      return {game, fullscreen: {x: width - margin / 2 - button / 2, y: EDGE},
              direction: 'column',
              pads: [{x: padX, y: Math.min((height - leftPad) / 2, aboveNote), width: padWidth,
                      height: leftPad},
                     {x: width - padX - padWidth, y: Math.max((height - rightPad) / 2, corner),
                      width: padWidth, height: rightPad}],
              note: {x: EDGE, width: margin - 2 * EDGE, bottom: height - NOTE_MARGIN}};
    },
  };
  // The left column holds a pad of controls above the recording line, the right one the
  // fullscreen button above the other pad (the taller, while a recording plays).
  const narrowest = (width - Math.min(beside.room, height)) / 2 - 2 * EDGE;
  const [leftPad, rightPad] = padHeights('column', [PAD_COLUMN, PAD_COLUMN]);
  if (narrowest < 1 || leftPad + GAP + noteHeight(narrowest) + NOTE_MARGIN > height ||
      corner + rightPad > height) {
    beside.room = 0;
  }
  return height >= width ? [below, beside] : [beside, below];
}

function fitToWindow() {
  const ratio = window.devicePixelRatio || 1;
  const width = document.documentElement.clientWidth || window.innerWidth;
  const height = document.documentElement.clientHeight || window.innerHeight;
  const touch = touchScreen();
  const padsShown = touch || watching;
  document.documentElement.classList.toggle('touch', touch);
  controls.hidden = !padsShown;
  // The first arrangement wins a tie: the usual one for the screen's shape.
  let best = null;
  for (const way of arrangements(width, height, padsShown)) {
    const room = Math.max(1, Math.floor(way.room));
    const size = gameSize(room, ratio, touch);
    if (!best || size > best.size) best = {way, room, size};
  }
  const {way, room, size} = best;
  // The rim is dropped rather than the scale when only the window itself fits.
  const rim = size + 2 * FRAME_MARGIN <= room;
  const outer = size + (rim ? 2 * FRAME_MARGIN : 0);
  const at = way.place(outer);
  // On whole device pixels, so that the game's pixels line up with the screen's.
  const snap = (value) => Math.round(value * ratio) / ratio;
  const inset = rim ? FRAME_MARGIN : 0;
  stage.style.setProperty('--size', size + 'px');
  stage.style.setProperty('--left', snap(at.game.x + inset) + 'px');
  stage.style.setProperty('--top', snap(at.game.y + inset) + 'px');
  stage.classList.toggle('snug', !rim);
  Object.assign(fullscreenButton.style,
                {left: at.fullscreen.x + 'px', top: at.fullscreen.y + 'px', right: 'auto'});
  const noteTall = noteHeight(at.note.width);
  Object.assign(note.style, {left: at.note.x + 'px', top: at.note.bottom - noteTall + 'px',
                             bottom: 'auto'});
  if (padsShown) {
    controls.className = at.direction;
    at.pads.forEach(function (place, i) {
      Object.assign(pads[i].style, {left: place.x + 'px', top: place.y + 'px',
                                    width: place.width + 'px', height: place.height + 'px'});
    });
  }
}

function toggleFullscreen() {
  const root = document.documentElement;
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else if (root.requestFullscreen) {
    root.requestFullscreen().catch(function () {});
  }
  if (running) canvas.focus();
}

// After the first finger on the page, the page is arranged for a touch screen.
window.addEventListener('touchstart', function () {
  if (touched) return;
  touched = true;
  fitToWindow();
}, {capture: true, passive: true});

window.addEventListener('resize', fitToWindow);
document.addEventListener('fullscreenchange', fitToWindow);
fullscreenButton.addEventListener('click', toggleFullscreen);
// Inside a frame that does not allow it, there is no fullscreen to offer.
fullscreenButton.hidden = !document.fullscreenEnabled;
coarsePointer.addEventListener('change', fitToWindow);
