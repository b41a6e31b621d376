// The page without a network, after one visit. The application shell is kept
// under this build's name, so that a page is made of one build's files only;
// the two switch images are asked of the network first, and the last copy
// read stands in for them when there is none.
'use strict';

const SHELL_CACHE = 'corvex-settings-@BUILD@';
const PICTURE_CACHE = 'corvex-settings-pictures';
const SHELL = [@SHELL@];
const PICTURES = ['ON_SW.bmp', 'OFF_SW.bmp'];
// A copy is kept only of an answer that says its size and is no larger than
// a picture file may be (the page says how large, as it registers the
// worker): the worker never reads more than a picture.
const LARGEST_PICTURE = Number(new URL(location.href).searchParams.get('largest')) || 0;

self.addEventListener('install', event => {
    // Asked of the server, never taken from the browser's cache, which may hold
    // the build before; unchanged files come back as "not modified", not again.
    event.waitUntil(caches.open(SHELL_CACHE)
        .then(cache => cache.addAll(SHELL.map(name => new Request(name, {cache: 'no-cache'})))));
});

// A new build takes over only once every open page has finished loading (each
// says so), so that no page gets files of two builds.
const loaded = new Set();
self.addEventListener('message', event => {
    if (event.data !== 'loaded' || !event.source)
        return;
    loaded.add(event.source.id);
    event.waitUntil(self.clients.matchAll({type: 'window', includeUncontrolled: true}).then(pages => {
        if (pages.every(page => loaded.has(page.id)))
            return self.skipWaiting();
    }));
});

self.addEventListener('activate', event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name !== SHELL_CACHE && name !== PICTURE_CACHE)
                                        .map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    const request = event.request;
    const scope = self.registration.scope;
    if (request.method !== 'GET' || !request.url.startsWith(scope))
        return;
    const name = new URL(request.url).pathname.slice(new URL(scope).pathname.length) || 'index.html';
    if (PICTURES.includes(name))
        event.respondWith(picture(request, name));
    else if (SHELL.includes(name))
        event.respondWith(caches.open(SHELL_CACHE).then(cache => cache.match(name))
                              .then(copy => copy || fetch(request)));
});

async function picture(request, name) {
    const cache = await caches.open(PICTURE_CACHE);
    let response;
    try {
        response = await fetch(request);
    } catch (error) {
        const copy = await cache.match(name);
        if (copy)
            return copy;
        throw error; // the page says the network is gone
    }
    const size = Number(response.headers.get('Content-Length') || -1);
    if (response.ok && size >= 0 && size <= LARGEST_PICTURE)
        await cache.put(name, response.clone());
    return response;
}
