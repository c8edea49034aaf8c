// The page around the game: loading with a bar, the "click to play" start (which is also what
// lets the browser play sound), the whole-number scaling, fullscreen, who plays player 2 (a
// person or the computer), and what is shown when the game ends or cannot start; recorded games
// watched from a file or a link, with their controls, and a game sent as a link. The game itself
// is kestrola.js / kestrola.wasm, with its pictures and effects in kestrola.data.gz and its tunes
// in Music/: loader.js downloads them.
'use strict';

(function () {
  const WINDOW_SIZE = 300;
  const FRAME_MARGIN = 8; // the wooden rim drawn around the window, in CSS pixels
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
  const fullscreenButton = document.getElementById('fullscreen');
  const saveButton = document.getElementById('save-recording');
  const opponentKind = document.getElementById('opponent-kind');
  const opponentLevelPart = document.getElementById('opponent-level-part');
  const opponentLevel = document.getElementById('opponent-level');
  const opponentLine = document.getElementById('opponent');
  const playAction = document.getElementById('play-action');
  const noticeLine = document.getElementById('notice');
  const statusLine = document.getElementById('game-status');
  const copyLinkButton = document.getElementById('copy-link');
  const watchFileButton = document.getElementById('watch-file');
  const watchInput = document.getElementById('watch-input');

  let canvas = document.getElementById('screen');
  let packageBytes = null; // kestrola.data as unpacked, handed to every start
  let machineCode = null;  // kestrola.wasm as fetched, likewise
  let game = null;         // the running instance of the game, if any
  let running = false;     // its main loop runs: keys and clicks belong to it
  let failure = null;
  let recorded = null;     // the instance whose recording the page offers
  let watching = false;    // the running instance plays a recording: keys and clicks are the
                           // watch controls'

  // The game's size and the places of what sits around it: the fullscreen button, the recording
  // line and, on a touch screen, the controls. Nothing of it ever covers the game.
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

  // Who plays player 2: a person, or the computer at level 1 to 3, as the player last chose it
  // on this browser. It is given to the game as its settings when a game starts.
  const OPPONENT_KEY = 'kestrola-opponent';
  function storedOpponent() {
    try {
      const stored = window.localStorage.getItem(OPPONENT_KEY);
      return /^(person|computer [123])$/.test(stored || '') ? stored : 'person';
    } catch (error) {
      return 'person'; // storage refused: the choice lasts as long as the page
    }
  }
  let opponent = storedOpponent();
  function opponentChoice() {
    return opponent;
  }
  function opponentSettings() {
    if (!opponent.startsWith('computer')) return {};
    return {KESTROLA_COMPUTER: '2', KESTROLA_COMPUTER_LEVEL: opponent.slice(-1)};
  }
  function showOpponent() {
    const computer = opponent.startsWith('computer');
    opponentKind.textContent = computer ? 'the computer' : 'a person';
    opponentLevel.textContent = 'level ' + (computer ? opponent.slice(-1) : '2');
    opponentLevelPart.hidden = !computer;
  }
  function chooseOpponent(choice) {
    opponent = choice;
    try {
      window.localStorage.setItem(OPPONENT_KEY, choice);
    } catch (error) {
      // kept for this visit only
    }
    showOpponent();
    fitToWindow();
  }
  opponentKind.addEventListener('click', function () {
    chooseOpponent(opponent.startsWith('computer') ? 'person' : 'computer 2');
  });
  opponentLevel.addEventListener('click', function () {
    chooseOpponent('computer ' + (Number(opponent.slice(-1)) % 3 + 1));
  });
  showOpponent();

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

  // The recording of the game the page shows: the one being watched, or the one the game writes
  // line by line as it runs (after "Play from here", the watched game and what followed).
  function recordingText() {
    if (!recorded) return null;
    try {
      return recorded.FS.readFile(recorded.watching && !recorded.handedOver ? WATCH_FILE
                                                                             : RECORDING_FILE);
    } catch (error) {
      return null;
    }
  }

  // The recording as it stands, as a download.
  function saveRecording() {
    const text = recordingText();
    if (!text) return;
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
  window.addEventListener('touchstart', function () {
    if (touched) return;
    touched = true;
    fitToWindow();
  }, {capture: true, passive: true});

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

  // ---- Watching a recording ----

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

  // What the page has to say about a recording or a link, on the line above the recording's;
  // PARTS are texts and elements.
  function say(...parts) {
    noticeLine.replaceChildren(...parts);
    noticeLine.hidden = parts.length === 0;
    fitToWindow();
  }

  // Whether the person has clicked or pressed anything on the page yet: until then the browser
  // keeps the sound off, so a recording waits for a click to play.
  function personHasActed() {
    return !navigator.userActivation || navigator.userActivation.hasBeenActive;
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

  // A recording (bytes) to watch: an instance is made ready with it and asked whether it can
  // play it. If not, its answer is shown and nothing else changes; the game that runs goes on.
  let opening = Promise.resolve();
  function openRecording(bytes) {
    opening = opening.then(function () { return watchRecording(bytes); });
    return opening;
  }
  async function watchRecording(bytes) {
    if (failure) return;
    if (!machineCode) {
      waitingRecording = bytes; // opened as soon as the game is in
      return;
    }
    let instance;
    try {
      instance = await prepareGame(bytes);
    } catch (error) {
      say('The recording cannot be watched: ' + (error.message || String(error)));
      return;
    }
    let problem;
    try {
      problem = instance.ccall('kestrolaRecordingProblem', 'string', ['string'], [WATCH_FILE]);
    } catch (error) {
      problem = 'This version of the game cannot watch recordings.';
    }
    if (problem) {
      say(problem);
      return;
    }
    say();
    leaveGame();
    if (personHasActed()) {
      start(instance);
    } else {
      offerStart(instance);
    }
  }
  let waitingRecording = null;

  // Larger than any game a person plays: a file this size is not a recording.
  const LARGEST_RECORDING = 16 * 1024 * 1024;
  async function openFile(file) {
    if (file.size > LARGEST_RECORDING) {
      say('The file ' + file.name + ' is too large to be a recording of a game.');
      return;
    }
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      say('The file ' + file.name + ' cannot be read.');
      return;
    }
    await openRecording(bytes);
  }

  watchFileButton.addEventListener('click', function () { watchInput.click(); });
  watchInput.addEventListener('change', function () {
    const file = watchInput.files[0];
    watchInput.value = ''; // the same file may be chosen again
    if (file) openFile(file);
  });
  // A file held over the page and dropped on it.
  function carriesFiles(event) {
    return event.dataTransfer && Array.from(event.dataTransfer.types).includes('Files');
  }
  window.addEventListener('dragover', function (event) {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
    document.documentElement.classList.add('dropping');
  });
  window.addEventListener('dragleave', function (event) {
    if (!event.relatedTarget) document.documentElement.classList.remove('dropping');
  });
  window.addEventListener('drop', function (event) {
    document.documentElement.classList.remove('dropping');
    if (!carriesFiles(event)) return;
    event.preventDefault();
    if (event.dataTransfer.files.length) openFile(event.dataTransfer.files[0]);
  });

  // ---- A game sent as a link ----

  // A link longer than this is not offered: browsers take far longer addresses, and the part
  // after # never reaches a server, but mail and messengers cut or refuse long ones, and one
  // link is then worth less than the file. Twice what a one-player game of ten turns needs.
  const LINK_LIMIT = 32 * 1024;

  function base64url(bytes) {
    let binary = '';
    for (let at = 0; at < bytes.length; at += 0x8000) {
      binary += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
    }
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  async function through(bytes, transform) {
    const stream = new Blob([bytes]).stream().pipeThrough(transform);
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // The recording in a link: deflated, then in the letters an address may hold as they are.
  async function linkTo(bytes) {
    const address = new URL(location.href);
    address.searchParams.delete('watch');
    address.hash = 'watch=' + base64url(await through(bytes, new CompressionStream('deflate-raw')));
    return address.href;
  }

  async function fromLink(text) {
    try {
      const letters = decodeURIComponent(text).replace(/\s+/g, '').replace(/-/g, '+')
        .replace(/_/g, '/');
      const binary = atob(letters);
      const packed = Uint8Array.from(binary, (letter) => letter.charCodeAt(0));
      return await through(packed, new DecompressionStream('deflate-raw'));
    } catch (error) {
      throw new Error('The recording in this link is damaged: it cannot be unpacked. ' +
                      'Was the link copied whole?');
    }
  }

  // A recording beside the page (?watch=NAME), from the page's own site only.
  async function fetchRecording(name) {
    const address = new URL(name, document.baseURI);
    if (address.origin !== location.origin) {
      throw new Error('A recording is watched from this page\'s own site only, not from ' +
                      address.origin + '.');
    }
    let response;
    try {
      response = await fetch(address);
    } catch (error) {
      throw new Error('The recording ' + name + ' could not be downloaded.');
    }
    if (!response.ok) {
      throw new Error('The recording ' + name + ' could not be downloaded (HTTP ' +
                      response.status + ').');
    }
    return new Uint8Array(await response.arrayBuffer());
  }

  // The recording the page's address names, if any (a promise of its bytes), or null.
  function linkedRecording() {
    const inLink = /^#watch=(.*)$/s.exec(location.hash);
    if (inLink) return fromLink(inLink[1]);
    const beside = new URLSearchParams(location.search).get('watch');
    return beside ? fetchRecording(beside) : null;
  }

  function openLinked() {
    const linked = linkedRecording();
    if (linked) linked.then(openRecording, (error) => say(error.message));
  }
  // A link pasted into the address of the page already open.
  window.addEventListener('hashchange', function () {
    if (packageBytes) openLinked();
  });

  function kilobytes(length) {
    return (length / 1024).toFixed(1) + ' KB';
  }

  async function copyLink() {
    const text = recordingText();
    if (!text) return;
    const link = await linkTo(text);
    if (link.length > LINK_LIMIT) {
      const save = document.createElement('button');
      save.type = 'button';
      save.textContent = 'Save the recording';
      save.addEventListener('click', saveRecording);
      say('This game is too long for a link (' + kilobytes(link.length) + ', where a link holds ' +
          kilobytes(LINK_LIMIT) + '): ', save, ' and send the file instead.');
      return;
    }
    const anchor = document.createElement('a');
    anchor.id = 'game-link';
    anchor.href = link;
    anchor.textContent = 'this link';
    anchor.addEventListener('click', (event) => event.preventDefault());
    try {
      await navigator.clipboard.writeText(link);
      say('A link to this game is copied (' + kilobytes(link.length) + '): paste it into a ' +
          'message to send it. Whoever opens ', anchor, ' watches the game.');
    } catch (error) {
      // The clipboard refused: the link to copy by hand.
      const field = document.createElement('input');
      field.readOnly = true;
      field.value = link;
      say('Copy ', anchor, ' (' + kilobytes(link.length) + ') to send this game: ', field);
      field.select();
    }
  }
  copyLinkButton.addEventListener('click', copyLink);

  window.addEventListener('resize', fitToWindow);
  document.addEventListener('fullscreenchange', fitToWindow);

  playButton.addEventListener('click', play);
  document.getElementById('again').addEventListener('click', playAgain);
  document.getElementById('reload').addEventListener('click', function () { location.reload(); });
  fullscreenButton.addEventListener('click', toggleFullscreen);
  saveButton.addEventListener('click', saveRecording);
  // Inside a frame that does not allow it, there is no fullscreen to offer.
  fullscreenButton.hidden = !document.fullscreenEnabled;
  coarsePointer.addEventListener('change', fitToWindow);
  fitToWindow();

  show(loading);
  setProgress(0, 'Loading…');
  openLinked();
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
      // Unless a linked recording came first and waits to be watched.
      if (!game) offerStart(instance);
      if (waitingRecording) openRecording(waitingRecording);
      waitingRecording = null;
    })
    .catch(function (error) {
      fail(error.message || String(error));
    });
})();
