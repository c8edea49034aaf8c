// The page as it opens: loading with a bar, then the start offered, or a linked recording
// watched. The page's scripts, in the order index.html loads them: loader.js (the downloads),
// game.js (the game's instances, and the state all the others share), layout.js, controls.js,
// opponent.js, watch.js, recordings.js, sending.js, and this one, which needs them all.
'use strict';

playButton.addEventListener('click', play);
document.getElementById('again').addEventListener('click', playAgain);
document.getElementById('reload').addEventListener('click', function () { location.reload(); });
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
