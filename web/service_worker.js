// Offline play: on the first visit every file of the folder is kept in the
// browser's cache; from then on the pages are answered from it, with or without
// a network. A new build changes VERSION (the files' digest), so the next visit
// keeps the new files and drops the old ones. scripts/web-folder fills in the
// two values.
const VERSION = '@VERSION@';
const FILES = @FILES@;
const CACHE = 'vortane-' + VERSION;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, {ignoreSearch: true}))
    .then((kept) => kept || fetch(event.request)));
});
