// A recorded game as it plays: the watch controls (buttons, keys, a click or a tap on the game)
// that press the game's own watch keys, the game's watch state read while it plays, and the
// line that says how it stands. After "Play from here" the person plays on.
'use strict';

const statusLine = document.getElementById('game-status');

// A watch control presses the game's own key for it, as a touch control does.
function letterKey(name) {
  const upper = name.toUpperCase();
  return {key: name, code: /\d/.test(name) ? 'Digit' + name : 'Key' + upper,
          keyCode: upper.charCodeAt(0)};
}
const SPEEDS = [1, 2, 4, 8];
let lastWatch = null; // the game's watch state as last read
function pressWatchKey(name) {
  if (!running || !watching) return;
  canvas.focus();
  pressKey(letterKey(name));
  // The game takes the key in its next pass.
  setTimeout(readWatch, 20);
}
const watchActions = {
  'watch-pause': () => pressWatchKey('p'),
  // On to the next speed, and from 8 times back to 1.
  'watch-speed': function () {
    const now = SPEEDS.indexOf(lastWatch ? lastWatch.speed : 1);
    pressWatchKey(String(SPEEDS[(now + 1) % SPEEDS.length]));
  },
  'watch-back': () => pressWatchKey('b'),
  'watch-turn': () => pressWatchKey('n'),
  'watch-play': () => pressWatchKey('h'),
};
const watchButtons = Object.keys(watchActions).map((id) => document.getElementById(id));
for (const button of watchButtons) {
  button.addEventListener('click', function () { watchActions[button.id](); });
}
// The person's keys while a recording plays: the game's watch keys themselves, and space,
// Home and the right arrow as on a player of videos.
const WATCH_KEYBOARD = {'p': 'watch-pause', ' ': 'watch-pause', 'b': 'watch-back',
                        'Home': 'watch-back', 'n': 'watch-turn', 'ArrowRight': 'watch-turn',
                        'h': 'watch-play'};
function watchKey(key) {
  const name = key.length === 1 ? key.toLowerCase() : key;
  if (SPEEDS.includes(Number(name))) {
    pressWatchKey(name);
  } else if (WATCH_KEYBOARD[name]) {
    watchActions[WATCH_KEYBOARD[name]]();
  }
}
// A click or a tap on the game pauses or resumes it; nothing of the mouse reaches the game.
for (const type of ['mousedown', 'mouseup', 'mousemove', 'click', 'dblclick', 'wheel',
                    'mouseout']) {
  stage.addEventListener(type, function (event) {
    if (!watching || event.target !== canvas || !event.isTrusted) return;
    event.stopPropagation();
    if (type === 'mousedown' && event.button === 0) watchActions['watch-pause']();
  }, true);
}
function watchTouch(event) {
  if (event.type === 'touchstart' && finger === null) finger = event.changedTouches[0].identifier;
  const touch = fingerOf(event);
  if (!touch || (event.type !== 'touchend' && event.type !== 'touchcancel')) return;
  finger = null;
  if (event.type === 'touchend' && gamePixel(touch.clientX, touch.clientY)) {
    watchActions['watch-pause']();
  }
}

function setWatching(on) {
  if (watching === on) return;
  watching = on;
  document.documentElement.classList.toggle('watching', on);
  enableControls(running);
  fitToWindow();
}

function showStatus(text) {
  if (statusLine.textContent === text && statusLine.hidden === !text) return;
  statusLine.textContent = text;
  statusLine.hidden = !text;
  fitToWindow();
}

function label(button, text) {
  const words = button.querySelector('span');
  if (words.textContent !== text) words.textContent = text;
}

// The controls and the line above the recording's as the game says it stands: while it plays
// the recording, and after "Play from here" whose turn it is.
function showWatch(state) {
  const pause = document.getElementById('watch-pause');
  label(pause, state.paused ? 'Resume' : 'Pause');
  pause.classList.toggle('paused', !!state.paused);
  pause.disabled = !watching || !!state.ended;
  label(document.getElementById('watch-speed'), 'Speed ' + state.speed + '×');
  const words = [];
  if (state.watching) {
    words.push(state.ended ? 'The recording has ended' : state.paused ? 'Watching, paused'
                                                                       : 'Watching at ' + state.speed + '×');
  }
  if (state.mode >= 10 && state.mode < 30) {
    if (state.twoPlayers) words.push('Player ' + (state.player + 1) + ' to play');
  } else if (state.mode >= 40 && state.mode < 50) {
    words.push('The game is over');
  }
  showStatus(words.join(' · '));
}

let watchTimer = 0;
function followWatch(instance) {
  clearInterval(watchTimer);
  lastWatch = null;
  watchTimer = setInterval(readWatch, 200);
  readWatch();
}

// The game's watch state; once it no longer watches, the person plays: the play controls
// come back and keys and clicks are the game's again.
function readWatch() {
  const instance = game;
  if (!instance || !running || !instance.watching) {
    clearInterval(watchTimer);
    return;
  }
  let state;
  try {
    state = JSON.parse(instance.ccall('kestrolaWatchState', 'string', [], []));
  } catch (error) {
    return;
  }
  lastWatch = state;
  if (!state.watching && watching) {
    instance.handedOver = true;
    setWatching(false);
  }
  showWatch(state);
}

