// Keeps the page's files for playing offline: every file is cached once fetched, and served
// from the cache first. A new build has a new cache name (written by scripts/web).
const CACHE = 'kalkulon-BUILD';
const FILES = ['./', 'index.html', 'index.js', 'index.wasm', 'index.data', 'kalkulon.js', 'chiptune3.js',
               'chiptune3.worklet.js', 'libopenmpt.worklet.js'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true }).then((hit) => hit || fetch(event.request)));
});
