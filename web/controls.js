// The person's keys, mouse and fingers while the game runs, and the touch controls: everything
// the game is given comes to it as its own keys and mouse would, on the canvas where it listens.
// While a recording plays they go to the watch controls (watch.js) instead.
'use strict';

// Space and the arrows move nothing but the game; the canvas keeps the keyboard while the
// game runs. The game listens for keys on the canvas: a key pressed while anything else has
// the focus (the page was clicked beside the game, or a button was) is handed to the canvas as
// it is, and the canvas takes the focus back, so no key is lost.
const GAME_KEYS = [' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'PageUp', 'PageDown',
                   'Home', 'End', 'F10'];

// A keyboard event as the emulation reads it: the key's legacy code is not among the fields a
// script may set, so it is given to the event itself.
function keyEvent(type, like) {
  const event = new KeyboardEvent(type, {
    key: like.key, code: like.code, location: like.location || 0, repeat: !!like.repeat,
    shiftKey: !!like.shiftKey, ctrlKey: !!like.ctrlKey, altKey: !!like.altKey,
    metaKey: !!like.metaKey, bubbles: true, cancelable: true, view: window});
  for (const field of ['keyCode', 'which']) {
    Object.defineProperty(event, field, {value: like.keyCode});
  }
  return event;
}

function handKeyToGame(event) {
  if (event.target === canvas) return;
  event.preventDefault();
  event.stopImmediatePropagation();
  canvas.focus();
  canvas.dispatchEvent(keyEvent(event.type, event));
}

// The keys pressed while the game runs: the release of one pressed before (the ENTER that
// started the game on the page's button) is not the game's.
const keysDown = new Set();
// While a recording plays, the person's keys are the watch controls' (the controls' own presses,
// made by the page, go on to the game); F10 still leaves.
function watchControlsKey(event) {
  return watching && event.isTrusted && event.key !== 'F10';
}
window.addEventListener('keydown', function (event) {
  if (!running) return;
  if (GAME_KEYS.includes(event.key)) event.preventDefault();
  if (watchControlsKey(event)) {
    event.stopImmediatePropagation();
    if (!event.repeat && !event.ctrlKey && !event.altKey && !event.metaKey) watchKey(event.key);
    return;
  }
  keysDown.add(event.code);
  handKeyToGame(event);
}, true);
window.addEventListener('keyup', function (event) {
  if (!running) return;
  if (watchControlsKey(event)) {
    event.stopImmediatePropagation();
    return;
  }
  if (keysDown.delete(event.code)) {
    handKeyToGame(event);
  } else {
    event.stopImmediatePropagation();
  }
}, true);
// A press anywhere on the page leaves the focus where it is, on the game; buttons still click.
document.addEventListener('mousedown', function (event) {
  if (!running || event.target === canvas) return;
  event.preventDefault();
  canvas.focus();
}, true);

// The game's pixel under a point of the page, or null off the game.
function gamePixel(clientX, clientY) {
  const box = canvas.getBoundingClientRect();
  const x = Math.floor(((clientX - box.left) * WINDOW_SIZE) / box.width);
  const y = Math.floor(((clientY - box.top) * WINDOW_SIZE) / box.height);
  return x >= 0 && x < WINDOW_SIZE && y >= 0 && y < WINDOW_SIZE ? [x, y] : null;
}

// A point of the page, in the whole CSS pixels a mouse event carries, that the emulation reads
// as game pixel N on an axis starting at START with LENGTH CSS pixels: the one nearest the
// middle of that pixel, as the emulation scales and truncates it.
function pagePixel(n, start, length) {
  const scale = WINDOW_SIZE / length;
  const middle = start + (n + 0.5) / scale;
  let best = Math.round(middle);
  for (let at = Math.floor(middle - 1 / scale); at <= Math.ceil(middle + 1 / scale); ++at) {
    const read = Math.trunc((at - start) * scale);
    if (read === n && (Math.trunc((best - start) * scale) !== n ||
                       Math.abs(at - middle) < Math.abs(best - middle))) {
      best = at;
    }
  }
  return best;
}

// The pointer's last place over the game, in game pixels; the emulation starts it at the
// window's corner.
let pointer = [0, 0];

// The mouse event TYPE with BUTTON (0 left, 2 right) at game pixel POINT, on the canvas where
// the emulation listens, as the mouse would send it.
function sendMouse(type, button, point) {
  const box = canvas.getBoundingClientRect();
  const x = pagePixel(point[0], box.left, box.width);
  const y = pagePixel(point[1], box.top, box.height);
  const held = type === 'mousedown' ? [1, 0, 2][button] : 0;
  canvas.dispatchEvent(new MouseEvent(type, {clientX: x, clientY: y, button, buttons: held,
                                             bubbles: true, cancelable: true, view: window}));
}

stage.addEventListener('mousemove', function (event) {
  if (event.target !== canvas) return;
  const point = gamePixel(event.clientX, event.clientY);
  if (point) pointer = point;
});

// A finger on the game is the mouse with no button held: where it lands and wherever it moves
// over the game the pointer follows (and the aim with it), and where it is lifted over the
// game it clicks, so a tap is a click. The emulation's own reading of touches (a press where
// the finger lands) and the browser's mouse events made up from them never see it.
let finger = null;
function fingerOf(event) {
  for (const touch of event.changedTouches) {
    if (touch.identifier === finger) return touch;
  }
  return null;
}

function onTouch(event) {
  if (event.target !== canvas) return;
  event.stopPropagation();
  if (event.cancelable) event.preventDefault();
  if (!running) return;
  if (watching) {
    watchTouch(event);
    return;
  }
  if (event.type === 'touchstart') {
    if (finger !== null) return; // one finger is the mouse; the others are resting
    finger = event.changedTouches[0].identifier;
  }
  const touch = fingerOf(event);
  if (!touch) return;
  const point = gamePixel(touch.clientX, touch.clientY);
  const moved = point && (point[0] !== pointer[0] || point[1] !== pointer[1]);
  if (event.type === 'touchstart' || event.type === 'touchmove') {
    if (point && (moved || event.type === 'touchstart')) {
      pointer = point;
      sendMouse('mousemove', 0, point);
    }
    return;
  }
  finger = null;
  if (event.type === 'touchend' && point) {
    if (moved) sendMouse('mousemove', 0, point);
    pointer = point;
    sendMouse('mousedown', 0, point);
    sendMouse('mouseup', 0, point);
  }
}
for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel']) {
  stage.addEventListener(type, onTouch, {capture: true, passive: false});
}

// The touch controls: each passes the game exactly what its key or button would.
const KEYS = {space: {key: ' ', code: 'Space', keyCode: 32},
              enter: {key: 'Enter', code: 'Enter', keyCode: 13},
              escape: {key: 'Escape', code: 'Escape', keyCode: 27}};
function pressKey(key) {
  canvas.dispatchEvent(keyEvent('keydown', key));
  canvas.dispatchEvent(keyEvent('keyup', key));
}
const controlActions = {
  'control-time': () => pressKey(KEYS.space),
  'control-cancel': function () {
    sendMouse('mousedown', 2, pointer);
    sendMouse('mouseup', 2, pointer);
  },
  'control-next': () => pressKey(KEYS.enter),
  'control-menu': () => pressKey(KEYS.escape),
};
const controlButtons = Object.keys(controlActions).map((id) => document.getElementById(id));
for (const button of controlButtons) {
  button.addEventListener('click', function () {
    if (!running) return;
    canvas.focus();
    controlActions[button.id]();
  });
}

// While the game runs, and only then: it ignores what does not apply at the moment. The watch
// controls while a recording plays.
function enableControls(on) {
  for (const button of controlButtons) button.disabled = !on;
  for (const button of watchButtons) button.disabled = !(on && watching);
  if (on && watching && lastWatch) showWatch(lastWatch);
}

