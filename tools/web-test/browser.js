// Shared by the browser checks: a static server for a folder on the loopback address, and
// headless Chromium as this machine runs it (as root, offline).
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const {chromium} = require('playwright-core');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.png': 'image/png',
  '.gz': 'application/gzip', '.ogg': 'audio/ogg', '.webmanifest': 'application/manifest+json',
};

// Serves FOLDER; `override(name)` may return {status} or {body} for a file, to play a broken
// server, with {headers} to add, or {hold: PROMISE} to answer only once it settles. Resolves to {url, close, requests,
// sent}: the names asked for, in order, and sent(BEFORE), the bytes of the bodies sent so far
// for requests that came before the time BEFORE (Date.now()'s), or for all.
const opened = [];
function serve(folder, override) {
  const requests = [];
  const bodies = []; // {asked: when the request came, bytes}
  const server = http.createServer(async function (request, response) {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    const asked = Date.now();
    requests.push(name);
    let special = override ? override(name) : null;
    if (special && special.hold) {
      await special.hold;
      special = null;
    }
    if (special && special.status) {
      response.writeHead(special.status);
      response.end();
      return;
    }
    const file = path.join(folder, path.normalize(name));
    const missing = !file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory();
    if (!(special && special.body) && missing) {
      response.writeHead(404);
      response.end();
      return;
    }
    const body = special && special.body ? special.body : fs.readFileSync(file);
    const type = TYPES[path.extname(file)] || (name.includes('.') ? 'application/octet-stream' : TYPES['.html']);
    response.writeHead(200, {'Content-Type': type, 'Content-Length': body.length,
                             ...(special && special.headers)});
    bodies.push({asked, bytes: body.length});
    response.end(body);
  });
  return new Promise(function (resolve) {
    server.listen(0, '127.0.0.1', function () {
      opened.push(server);
      resolve({url: 'http://127.0.0.1:' + server.address().port + '/',
               requests,
               sent: function (before = Infinity) {
                 return bodies.reduce((sum, body) => sum + (body.asked < before ? body.bytes : 0), 0);
               },
               close: function () {
                 server.close();
                 server.closeAllConnections();
               }});
    });
  });
}

const LAUNCH = {
  executablePath: process.env.KESTROLA_CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--autoplay-policy=user-gesture-required'],
};

// Playwright gives every launch a fresh profile of its own. Where with-browser.js keeps one
// open (KESTROLA_WEB_BROWSER), this connects to it instead; closing then only disconnects.
function launch() {
  const shared = process.env.KESTROLA_WEB_BROWSER;
  return shared ? chromium.connect(shared) : chromium.launch(LAUNCH);
}

function launchServer() { return chromium.launchServer(LAUNCH); }

// Every server opened here: a failed check leaves its page open, and its file's `after` closes
// them all with closeServers(), so the run always ends.
function closeServers() {
  for (const server of opened.splice(0)) {
    server.close();
    server.closeAllConnections();
  }
}

module.exports = {serve, launch, launchServer, closeServers};
