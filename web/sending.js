// The game's own recording sent on: saved as a file, or packed whole into a link that opens
// the page watching it (recordings.js opens such a link).
'use strict';

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
saveButton.addEventListener('click', saveRecording);

// ---- The recording in a link ----

function base64url(bytes) {
  let binary = '';
  for (let at = 0; at < bytes.length; at += 0x8000) {
    binary += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
  }
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// The bytes of STREAM, or null past LIMIT bytes: a few kilobytes of a link can unpack into
// gigabytes, and reading stops long before.
async function readAtMost(stream, limit) {
  const reader = stream.getReader();
  const parts = [];
  let length = 0;
  for (let part = await reader.read(); !part.done; part = await reader.read()) {
    length += part.value.length;
    if (length > limit) {
      reader.cancel();
      return null;
    }
    parts.push(part.value);
  }
  const bytes = new Uint8Array(length);
  let at = 0;
  for (const part of parts) {
    bytes.set(part, at);
    at += part.length;
  }
  return bytes;
}


// The recording in a link: deflated, then in the letters an address may hold as they are.
async function linkTo(bytes) {
  const address = new URL(location.href);
  address.searchParams.delete('watch');
  const packed = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  address.hash = 'watch=' + base64url(await readAtMost(packed, Infinity));
  return address.href;
}

async function fromLink(text) {
  let unpacked = null;
  try {
    const letters = decodeURIComponent(text).replace(/\s+/g, '').replace(/-/g, '+')
      .replace(/_/g, '/');
    const binary = atob(letters);
    const packed = Uint8Array.from(binary, (letter) => letter.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    unpacked = await readAtMost(stream, LARGEST_RECORDING);
  } catch (error) {
    throw new Error('The recording in this link is damaged: it cannot be unpacked. ' +
                    'Was the link copied whole?');
  }
  if (!unpacked) throw new Error('The link unpacks into more than any recording of a game holds.');
  return unpacked;
}

// A link longer than this is not offered: browsers take far longer addresses, and the part
// after # never reaches a server, but mail and messengers cut or refuse long ones, and one
// link is then worth less than the file. Twice what a one-player game of ten turns needs.
const LINK_LIMIT = 32 * 1024;

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
