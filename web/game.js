// The game in the page: its instances, each made ready up to the moment it would run; the
// "click to play" start (which is also what lets the browser play sound); what is shown while it
// loads, when it ends, and when it cannot start. The game itself is kestrola.js / kestrola.wasm,
// with its pictures and effects in kestrola.data.gz and its tunes in Music/: loader.js downloads
// them. The page's scripts share their names as plain globals; this one, the first, holds the
// state they share, and page.js, the last, starts it all.
'use strict';

const WINDOW_SIZE = 300; // the game's window, square, in game pixels
const DATA_FILE = 'kestrola.data.gz';
// Where the game writes its recording, in its own file system; the page offers it to save.
const RECORDING_FILE = '/kestrola-game.txt';
// Where a recording to watch is put in the file system of the instance that watches it.
const WATCH_FILE = '/kestrola-watch.txt';

const stage = document.getElementById('stage');
const cover = document.getElementById('cover');
const loading = document.getElementById('loading');
const barFill = document.getElementById('bar-fill');
const loadingText = document.getElementById('loading-text');
const playButton = document.getElementById('play');
const ended = document.getElementById('ended');
const failed = document.getElementById('failed');
const failedText = document.getElementById('failed-text');
const saveButton = document.getElementById('save-recording');
const opponentLine = document.getElementById('opponent');
const playAction = document.getElementById('play-action');
const copyLinkButton = document.getElementById('copy-link');

// What the page knows of the game, read and set by all its scripts.
let canvas = document.getElementById('screen');
let packageBytes = null; // kestrola.data as unpacked, handed to every start
let machineCode = null;  // kestrola.wasm as fetched, likewise
let game = null;         // the running instance of the game, if any
let running = false;     // its main loop runs: keys and clicks belong to it
let failure = null;
let recorded = null;     // the instance whose recording the page offers
let watching = false;    // the running instance plays a recording: keys and clicks are the
                         // watch controls'

function show(panel) {
  for (const each of [loading, playButton, ended, failed]) each.hidden = each !== panel;
  cover.classList.toggle('gone', panel === null);
}

function fail(message) {
  if (failure) return;
  failure = message;
  running = false;
  enableControls(false);
  failedText.textContent = message;
  show(failed);
}

function setProgress(fraction, text) {
  barFill.style.width = Math.round(Math.max(0, Math.min(1, fraction)) * 100) + '%';
  loadingText.textContent = text;
}

function megabytes(bytes) {
  return (bytes / (1024 * 1024)).toFixed(1) + ' MB';
}

// A fresh canvas for every instance, put in the page when it starts: the last game's listeners
// go with the old one, and a game that runs keeps its own until then.
function freshCanvas() {
  const next = canvas.cloneNode(false);
  next.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  return next;
}

// What the log says went wrong, for a start that ended before the first pass.
function startFailure(instance) {
  let log = '';
  try {
    log = instance.FS.readFile('logFile.txt', {encoding: 'utf8'});
  } catch (error) {
    log = '';
  }
  const lines = log.split('\n').filter(function (line) {
    return /Failed|Unable|Reason|Exiting/.test(line);
  });
  if (lines.length && /Failed to load image/.test(log)) {
    return 'A picture in the game\'s data file is damaged or missing.\n' + lines.join('\n');
  }
  return lines.length ? lines.join('\n') : 'The game stopped while starting.';
}

// The tune's fade-out on leaving lasts a second; the audio output goes after it.
const LAST_FADE_MS = 1500;

function gameEnded(instance, startedLoop) {
  running = false;
  setWatching(false);
  showStatus('');
  opponentLine.hidden = false;
  enableControls(false);
  if (typeof instance.pauseMainLoop === 'function') instance.pauseMainLoop();
  if (typeof instance.closeAudio === 'function') setTimeout(instance.closeAudio, LAST_FADE_MS);
  if (game === instance) game = null;
  if (!startedLoop) {
    fail(startFailure(instance));
    return;
  }
  show(ended);
  document.getElementById('again').focus();
}

// One instance of the game, made ready up to the moment main would run; with RECORDING (bytes),
// one that watches it instead of offering the start menu.
function prepareGame(recording) {
  const target = freshCanvas();
  let startedLoop = false;
  let instance = null;
  const settings = {
    canvas: target,
    keyboardListeningElement: target,
    noInitialRun: true,
    // The game composes the whole window on every frame: its pixels never need reading back
    // from the canvas.
    screenIsReadOnly: true,
    // The game reads its pictures and sounds from the file system itself: the browser need
    // not decode them while the data is unpacked.
    noImageDecoding: true,
    noAudioDecoding: true,
    preRun: [function (module) {
      module.ENV.KESTROLA_RECORD = RECORDING_FILE;
      // A recording names the computer's part in it itself.
      if (recording) {
        module.ENV.KESTROLA_WATCH = WATCH_FILE;
      } else {
        Object.assign(module.ENV, opponentSettings());
      }
    }],
    wasmBinary: machineCode,
    // The tunes are not in the package: the mixer waits for them.
    awaitFile: KestrolaLoader.awaitFile,
    getPreloadedPackage: function (name, size) {
      if (packageBytes.byteLength !== size) {
        fail('The game\'s data file (' + DATA_FILE + ') is damaged: it has ' +
             packageBytes.byteLength + ' bytes where ' + size + ' are expected.');
      }
      return packageBytes.slice(0);
    },
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    // The game leaves through exit() (the menu's Quit, F10, or a failed start); anything
    // else that ends the program is a fault.
    quit: function (status, toThrow) {
      if (toThrow && toThrow.name === 'ExitStatus') {
        gameEnded(instance || settings, startedLoop);
      } else {
        if (typeof settings.pauseMainLoop === 'function') settings.pauseMainLoop();
        fail('The game stopped with an error: ' + (toThrow && toThrow.message || toThrow));
      }
      throw toThrow;
    },
    onAbort: function (what) {
      fail('The game stopped with an error: ' + what);
    },
  };
  settings.markStarted = function () { startedLoop = true; };
  // The game reads its settings as it is made ready: one made before the player chose
  // another opponent is made again at the start.
  settings.opponent = opponentChoice();
  settings.watching = !!recording;
  settings.handedOver = false; // a watching instance: the person plays on
  return createKestrola(settings).then(function (ready) {
    instance = ready;
    if (recording) ready.FS.writeFile(WATCH_FILE, recording);
    return ready;
  });
}

function start(instance) {
  if (instance.canvas !== canvas) {
    canvas.replaceWith(instance.canvas);
    canvas = instance.canvas;
  }
  game = instance;
  recorded = instance;
  saveButton.disabled = false;
  copyLinkButton.disabled = false;
  show(null);
  canvas.focus();
  running = true;
  keysDown.clear();
  opponentLine.hidden = instance.watching;
  setWatching(instance.watching);
  enableControls(true);
  instance.callMain([]);
  // callMain returns once the loop is set up; a start that failed has already ended.
  if (game === instance) {
    instance.markStarted();
    if (instance.watching) followWatch(instance);
  }
  // The first frame is drawn: the rest may come.
  KestrolaLoader.gameStarted();
}

function play() {
  const instance = game;
  if (!instance || failure) return;
  if (!instance.watching && instance.opponent !== opponentChoice()) {
    playAgain();
    return;
  }
  start(instance);
}

function playAgain() {
  show(loading);
  setProgress(1, 'Starting…');
  prepareGame().then(start, function (error) {
    fail(error.message || String(error));
  });
}

function offerStart(instance) {
  game = instance;
  playAction.textContent = instance.watching ? 'Click to watch the recorded game' : 'Click to play';
  show(playButton);
  playButton.focus();
}

// The game that runs gives way to a recording: its loop and its sound stop at once.
function leaveGame() {
  const instance = game;
  game = null;
  if (!instance || !running) return;
  running = false;
  setWatching(false);
  if (typeof instance.pauseMainLoop === 'function') instance.pauseMainLoop();
  if (typeof instance.closeAudio === 'function') instance.closeAudio();
}

