// Keeps the page's files for use without a network: every file is stored
// at the first visit, and served from the store from then on. A new build
// has a new store's name (from its files' contents) and a new worker, which
// stores the files fresh from the server, past the browser's HTTP cache, so
// that a host's caching headers cannot hand it the old ones; the old store
// is dropped once it takes over.
'use strict';

const kStore = {{cache}};
const kFiles = {{files}};

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kStore)
                      .then((store) => store.addAll(kFiles.map(
                          (file) => new Request(file, {cache: 'reload'}))))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
      caches.keys()
          .then((names) => Promise.all(names.filter((name) => name !== kStore)
                                           .map((name) => caches.delete(name))))
          .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(kStore).then(
      (store) => store.match(event.request, {ignoreSearch: true})
                     .then((kept) => kept || fetch(event.request))));
});
