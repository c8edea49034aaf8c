// A recorded game opened to watch: from a file chosen or dropped on the page, or from the
// page's address (a link holding it, which sending.js makes, or ?watch=NAME beside the page);
// and what the page has to say about recordings and links, on the line above the recording's.
'use strict';

const noticeLine = document.getElementById('notice');
const watchFileButton = document.getElementById('watch-file');
const watchInput = document.getElementById('watch-input');

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
  const bytes = await readAtMost(response.body, LARGEST_RECORDING);
  if (!bytes) throw new Error('The file ' + name + ' is too large to be a recording of a game.');
  return bytes;
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
