// Offline play: the page that registers this worker names itself (sw.js?page=NAME);
// on install the worker keeps the index's files and that page's in the browser's
// cache (the index, registering sw.js, adds the manifest's icons), and from then on
// answers from it, with or without a network, keeping whatever else it fetches
// (the other edition, once visited). A new build changes VERSION (the files'
// digest): the next visit keeps the new files and drops the old. scripts/web-folder
// fills in the four values.
const VERSION = '@VERSION@';
const SHELL = @SHELL@;
const PAGES = @PAGES@;
const INDEX = @INDEX@;
const CACHE = 'vortane-' + VERSION;

self.addEventListener('install', (event) => {
  const page = new URL(self.location).searchParams.get('page');
  // Once each: addAll refuses a list that names a file twice.
  const files = Array.from(new Set(SHELL.concat(page ? PAGES[page] || [] : INDEX)));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request, {ignoreSearch: true})
    .then((kept) => kept || fetch(request).then((response) => {
      if (response.ok) cache.put(request, response.clone());
      return response;
    }))));
});
