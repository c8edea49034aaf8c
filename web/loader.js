// What the page downloads, and when. The start menu waits only for the game's program
// (kestrola.js, kestrola.wasm) and its pictures and effects (kestrola.data.gz, unpacked here with
// the browser's own gzip); the tunes come after the game has drawn its first frame, one at a
// time, each handed to the game's mixer the moment it arrives (shell/web_mixer.js asks for
// them through `awaitFile`). Everything downloaded is filed in a cache named after the build, and
// a service worker (sw.js) serves the game from it when the network is gone.
'use strict';

const KestrolaLoader = (function () {
  const PROGRAM = 'kestrola.js';
  const MACHINE_CODE = 'kestrola.wasm';
  const PACKAGE = 'kestrola.data.gz';
  // Files under these folders of the game's own file system are not in the package: the mixer
  // waits for them, and they are fetched from the same path on the server.
  const LATE_FOLDERS = ['/Music/'];

  const buildTag = document.querySelector('meta[name="kestrola-build"]');
  const CACHE = 'kestrola-' + (buildTag ? buildTag.content : 'unversioned');

  const SERVE_HINT = 'Opened as a file, the page cannot read the game\'s files. Run ' +
    'tools/web serve in the game\'s source folder and open the address it prints.';

  // What was downloaded, filed under its address for the service worker, unless a worker
  // served this page when it was asked for (the worker files what it fetches itself). Failing to
  // file is no fault.
  const filing = [];
  function served() {
    return !!(navigator.serviceWorker && navigator.serviceWorker.controller);
  }
  function file(name, response, wasServed) {
    if (!window.caches || !window.isSecureContext || wasServed) return;
    filing.push(caches.open(CACHE)
      .then(function (cache) { return cache.put(new URL(name, document.baseURI), response); })
      .catch(function () {}));
  }

  async function request(name, what) {
    let response;
    try {
      response = await fetch(name);
    } catch (error) {
      throw new Error('The game\'s ' + what + ' (' + name + ') could not be downloaded.');
    }
    if (!response.ok) {
      throw new Error('The game\'s ' + what + ' (' + name + ') is missing from the server ' +
                      '(HTTP ' + response.status + ').');
    }
    return response;
  }

  // The body, counted as it comes in, and unpacked when it is gzipped: a server that sends the
  // package as gzip content has had the browser unpack it already.
  async function download(name, what, counter, gzipped) {
    const wasServed = served();
    const response = await request(name, what);
    const kept = response.clone();
    counter.total = Number(response.headers.get('Content-Length')) || 0;
    const counted = response.body.pipeThrough(new TransformStream({
      transform: function (chunk, controller) {
        counter.received += chunk.length;
        counter.report();
        controller.enqueue(chunk);
      },
    }));
    let bytes;
    try {
      bytes = await new Response(counted).arrayBuffer();
    } catch (error) {
      throw new Error('The game\'s ' + what + ' (' + name + ') could not be downloaded whole.');
    }
    const head = new Uint8Array(bytes, 0, Math.min(2, bytes.byteLength));
    if (gzipped && head[0] === 0x1f && head[1] === 0x8b) {
      try {
        const unpacking = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
        bytes = await new Response(unpacking).arrayBuffer();
      } catch (error) {
        throw new Error('The game\'s ' + what + ' (' + name + ') is damaged: it cannot be unpacked.');
      }
    }
    file(name, kept, wasServed);
    return bytes;
  }

  // kestrola.js runs from the bytes already downloaded (and filed), not from a second request.
  function run(bytes) {
    return new Promise(function (resolve, reject) {
      const script = document.createElement('script');
      script.src = URL.createObjectURL(new Blob([bytes], {type: 'text/javascript'}));
      script.onload = function () {
        URL.revokeObjectURL(script.src);
        resolve();
      };
      script.onerror = function () {
        reject(new Error('The game\'s program (' + PROGRAM + ') could not be run.'));
      };
      document.body.appendChild(script);
    });
  }

  // Everything the start menu needs, downloaded side by side: resolves to the package's bytes
  // and the machine code, with createKestrola defined. progress(received, total) in bytes.
  async function load(progress) {
    if (location.protocol === 'file:') throw new Error(SERVE_HINT);
    if (typeof DecompressionStream === 'undefined') {
      throw new Error('This browser cannot unpack the game\'s data: Kestrola needs a browser ' +
                      'of 2023 or later.');
    }
    const counters = [];
    function counter() {
      const each = {total: 0, received: 0, report: function () {
        let total = 0, received = 0;
        for (const one of counters) {
          total += one.total;
          received += one.received;
        }
        progress(received, total);
      }};
      counters.push(each);
      return each;
    }
    // The program runs as soon as it is in, while the rest still comes.
    const results = await Promise.all([
      download(PROGRAM, 'program', counter(), false).then(run),
      download(MACHINE_CODE, 'program', counter(), false),
      download(PACKAGE, 'data file', counter(), true),
    ]);
    return {packageBytes: results[2], wasmBinary: results[1]};
  }

  // The files the game waits for, by their path in its file system: {bytes (once arrived),
  // failed, waiting: callbacks of the games that asked, hurried: when a game wanted it playing}.
  const late = new Map();
  let started = false;
  let fetching = false;
  let keeper = Promise.resolve(null); // the service worker's registration, once asked for
  let everythingArrived;
  const everything = new Promise(function (resolve) { everythingArrived = resolve; });

  function settle(entry, bytes) {
    entry.bytes = bytes;
    entry.failed = !bytes;
    const waiting = entry.waiting;
    entry.waiting = [];
    for (const callback of waiting) {
      try {
        callback(bytes ? bytes.slice(0) : null);
      } catch (error) {
        console.warn(error); // a game that has ended; the others still get theirs
      }
    }
  }

  // One tune at a time, so the one wanted first is whole as soon as it can be: the one a game
  // wanted playing most recently, else the first asked for.
  async function fetchLate() {
    if (fetching || !started) return;
    fetching = true;
    for (;;) {
      let next = null;
      for (const [path, entry] of late) {
        if (entry.bytes || entry.failed) continue;
        if (!next || entry.hurried > next[1].hurried) next = [path, entry];
      }
      if (!next) break;
      const [path, entry] = next;
      const name = path.slice(1).split('/').map(encodeURIComponent).join('/');
      let bytes = null;
      try {
        const wasServed = served();
        const response = await fetch(name);
        if (response.ok) {
          file(name, response.clone(), wasServed);
          bytes = new Uint8Array(await response.arrayBuffer());
        }
      } catch (error) {
        bytes = null; // the game goes on without it, as without a missing file
      }
      settle(entry, bytes);
    }
    fetching = false;
    await Promise.all(filing);
    await keeper;
    everythingArrived();
  }

  // For a game instance (its Module.awaitFile): PATH, absolute in the game's file system, is
  // missing from its package. If it is one that comes later, ARRIVED is called with its bytes
  // (or null if it cannot be had), never before this returns, and the answer is a function
  // to call when the game wants it now; otherwise null.
  function awaitFile(path, arrived) {
    if (!LATE_FOLDERS.some(function (folder) { return path.startsWith(folder); })) return null;
    let entry = late.get(path);
    if (!entry) {
      entry = {bytes: null, failed: false, waiting: [], hurried: 0};
      late.set(path, entry);
    }
    if (entry.bytes || entry.failed) {
      const bytes = entry.bytes;
      setTimeout(function () { arrived(bytes ? bytes.slice(0) : null); }, 0);
    } else {
      entry.waiting.push(arrived);
      fetchLate();
    }
    return function hurry() { entry.hurried = performance.now(); };
  }

  // The game has drawn its first frame: now the rest.
  function gameStarted() {
    if (started) return;
    started = true;
    if (navigator.serviceWorker && window.isSecureContext) {
      keeper = navigator.serviceWorker.register('sw.js')
        .then(function () { return navigator.serviceWorker.ready; })
        .catch(function () { return null; });
    }
    fetchLate();
  }

  // `everything`: settles once every file a game asked for has arrived (or is known missing)
  // and the service worker keeps the page.
  return {load, awaitFile, gameStarted, everything};
})();
