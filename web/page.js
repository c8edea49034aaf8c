// The page around the game: loading with a bar, the "click to play" start (which is also what
// lets the browser play sound), the whole-number scaling, fullscreen, and what is shown when the
// game ends or cannot start. The game itself is kestrola.js / kestrola.wasm, with its pictures
// and effects in kestrola.data.gz and its tunes in Music/: loader.js downloads them.
'use strict';

(function () {
  const WINDOW_SIZE = 300;
  const FRAME_MARGIN = 8; // the wooden rim drawn around the window, in CSS pixels
  const DATA_FILE = 'kestrola.data.gz';
  // Where the game writes its recording, in its own file system; the page offers it to save.
  const RECORDING_FILE = '/kestrola-game.txt';

  const stage = document.getElementById('stage');
  const cover = document.getElementById('cover');
  const loading = document.getElementById('loading');
  const barFill = document.getElementById('bar-fill');
  const loadingText = document.getElementById('loading-text');
  const playButton = document.getElementById('play');
  const ended = document.getElementById('ended');
  const failed = document.getElementById('failed');
  const failedText = document.getElementById('failed-text');
  const fullscreenButton = document.getElementById('fullscreen');
  const saveButton = document.getElementById('save-recording');

  let canvas = document.getElementById('screen');
  let packageBytes = null; // kestrola.data as unpacked, handed to every start
  let machineCode = null;  // kestrola.wasm as fetched, likewise
  let game = null;         // the running instance of the game, if any
  let running = false;     // its main loop runs: keys and clicks belong to it
  let failure = null;
  let recorded = null;     // the instance whose recording the page offers

  // Where the browser has a fractional pixel ratio, the factor is whole in device pixels, so
  // every game pixel is the same number of screen pixels.
  function fitToWindow() {
    const ratio = window.devicePixelRatio || 1;
    const room = Math.min(window.innerWidth, window.innerHeight);
    const scale = Math.max(1, Math.floor((room * ratio) / WINDOW_SIZE));
    const size = (WINDOW_SIZE * scale) / ratio;
    stage.style.setProperty('--size', size + 'px');
    // The rim is dropped rather than the scale when only the window itself fits.
    stage.classList.toggle('snug', size + 2 * FRAME_MARGIN > room);
  }

  function show(panel) {
    for (const each of [loading, playButton, ended, failed]) each.hidden = each !== panel;
    cover.classList.toggle('gone', panel === null);
  }

  function fail(message) {
    if (failure) return;
    failure = message;
    running = false;
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

  // A fresh canvas for every start: the last game's listeners go with the old one.
  function freshCanvas() {
    const next = canvas.cloneNode(false);
    canvas.replaceWith(next);
    canvas = next;
    canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
    return canvas;
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

  // One instance of the game, made ready up to the moment main would run.
  function prepareGame() {
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
      preRun: [function (module) { module.ENV.KESTROLA_RECORD = RECORDING_FILE; }],
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
    return createKestrola(settings).then(function (ready) {
      instance = ready;
      return ready;
    });
  }

  function start(instance) {
    game = instance;
    recorded = instance;
    saveButton.disabled = false;
    show(null);
    canvas.focus();
    running = true;
    instance.callMain([]);
    // callMain returns once the loop is set up; a start that failed has already ended.
    if (game === instance) instance.markStarted();
    // The first frame is drawn: the rest may come.
    KestrolaLoader.gameStarted();
  }

  function play() {
    const instance = game;
    if (!instance || failure) return;
    start(instance);
  }

  function playAgain() {
    show(loading);
    setProgress(1, 'Starting…');
    prepareGame().then(start, function (error) {
      fail(error.message || String(error));
    });
  }

  // The recording as it stands (it is written line by line as the game runs), as a download.
  function saveRecording() {
    if (!recorded) return;
    let text;
    try {
      text = recorded.FS.readFile(RECORDING_FILE);
    } catch (error) {
      return;
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
    link.download = 'kestrola-game.txt';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 1000);
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

  // Space and the arrows move nothing but the game; the canvas keeps the keyboard while the
  // game runs.
  window.addEventListener('keydown', function (event) {
    if (!running) return;
    if ([' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'PageUp', 'PageDown', 'Home',
         'End', 'F10'].includes(event.key)) {
      event.preventDefault();
    }
    if (document.activeElement !== canvas) canvas.focus();
  }, true);
  stage.addEventListener('mousedown', function () { if (running) canvas.focus(); });

  window.addEventListener('resize', fitToWindow);
  document.addEventListener('fullscreenchange', fitToWindow);
  fitToWindow();

  playButton.addEventListener('click', play);
  document.getElementById('again').addEventListener('click', playAgain);
  document.getElementById('reload').addEventListener('click', function () { location.reload(); });
  fullscreenButton.addEventListener('click', toggleFullscreen);
  saveButton.addEventListener('click', saveRecording);
  fullscreenButton.hidden = !document.documentElement.requestFullscreen;

  show(loading);
  setProgress(0, 'Loading…');
  KestrolaLoader.load(function (received, total) {
    if (total) setProgress(received / total, 'Loading… ' + megabytes(received) + ' of ' + megabytes(total));
  })
    .then(function (loaded) {
      packageBytes = loaded.packageBytes;
      machineCode = loaded.wasmBinary;
      setProgress(1, 'Starting…');
      return prepareGame();
    })
    .then(function (instance) {
      if (failure) return;
      game = instance;
      show(playButton);
      playButton.focus();
    })
    .catch(function (error) {
      fail(error.message || String(error));
    });
})();
