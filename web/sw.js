// The page's service worker: after a visit in which the game ran, the game starts without a
// network. Everything is kept in a cache named after the build (written in at build time), so a
// new build comes with a new worker and a cache of its own, and the old one is dropped when the
// new worker takes over. The page files what it downloads itself under the same name (see
// loader.js), so installing fetches only what it lacks; the tunes, fetched once the game runs,
// are kept as they pass.
'use strict';

const CACHE = 'kestrola-@KESTROLA_BUILD@';
// What the game needs to start, relative to this worker; "./" is the page itself.
const FILES = [
  @KESTROLA_FILES@,
];

self.addEventListener('install', function (event) {
  event.waitUntil((async function () {
    const cache = await caches.open(CACHE);
    const lacking = [];
    for (const name of FILES) {
      if (!(await cache.match(name))) lacking.push(name);
    }
    await cache.addAll(lacking);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', function (event) {
  event.waitUntil((async function () {
    for (const name of await caches.keys()) {
      if (name.startsWith('kestrola-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// What is kept comes from the cache; anything else from the network, and kept when it came.
self.addEventListener('fetch', function (event) {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async function () {
    const cache = await caches.open(CACHE);
    const kept = await cache.match(request, {ignoreSearch: true}) ||
                 (request.mode === 'navigate' ? await cache.match('./') : undefined);
    if (kept) return kept;
    // Kept before it is handed on, so what the page has is also in the cache.
    const response = await fetch(request);
    if (response.ok && response.type === 'basic') {
      await cache.put(request, response.clone()).catch(function () {});
    }
    return response;
  })());
});
