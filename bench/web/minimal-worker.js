// The minimal page's files kept and answered from the cache, as the page's
// worker answers its own: a return visit is served the same way.
const FILES = ['minimal.html', 'minimal.js'];
self.addEventListener('install', event => event.waitUntil(caches.open('minimal').then(c => c.addAll(FILES))));
self.addEventListener('activate', event => event.waitUntil(self.clients.claim()));
self.addEventListener('fetch', event => {
    const name = new URL(event.request.url).pathname.split('/').pop();
    if (FILES.includes(name))
        event.respondWith(caches.match(name).then(copy => copy || fetch(event.request)));
});
