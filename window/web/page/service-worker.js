// The page without a network, after one visit. The application shell is kept
// under this build's name, so that a page is made of one build's files only;
// the two switch images are kept as the server last gave them, and stand in
// for them when the server cannot be reached or is failing.
'use strict';
importScripts('core.js', 'read-at-most.js');

// Named for this scope: other pages and applications on the host keep theirs.
const PREFIX = `corvex-settings ${self.registration.scope} `;
const SHELL_CACHE = `${PREFIX}shell @BUILD@`;
const PICTURE_CACHE = `${PREFIX}pictures`;
const SHELL = [@SHELL@];

self.addEventListener('install', event => {
    // Asked of the server, never taken from the browser's cache, which may hold
    // the build before; unchanged files come back as "not modified", not again.
    const fresh = name => new Request(name, {cache: 'no-cache'});
    event.waitUntil(Promise.all([
        caches.open(SHELL_CACHE).then(cache => cache.addAll(SHELL.map(fresh))),
        ...CORE.pictures.map(name => fetch(fresh(name)).then(response => keep(name, response), () => {})),
    ]));
});

// A new build takes over only once every open page has settled (each says
// so), so that no page gets files of two builds.
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
    const ours = name => name.startsWith(PREFIX) && name !== SHELL_CACHE && name !== PICTURE_CACHE;
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(ours).map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    const request = event.request;
    const scope = self.registration.scope;
    if (request.method !== 'GET' || !request.url.startsWith(scope))
        return;
    const name = new URL(request.url).pathname.slice(new URL(scope).pathname.length) || 'index.html';
    if (CORE.pictures.includes(name))
        event.respondWith(picture(event, name));
    else if (SHELL.includes(name))
        event.respondWith(caches.open(SHELL_CACHE).then(cache => cache.match(name))
                              .then(copy => copy || fetch(request)));
});

// The server's answer at once, and a copy kept afterwards; the copy when the
// server cannot be reached, or is busy or failing.
async function picture(event, name) {
    const copy = () => caches.open(PICTURE_CACHE).then(cache => cache.match(name));
    let response;
    try {
        response = await fetch(event.request);
    } catch (error) {
        return (await copy()) || Promise.reject(error);
    }
    if (serverBusy(response.status))
        return (await copy()) || response;
    event.waitUntil(keep(name, response.clone()));
    return response;
}

// A copy of a picture the server gave, whatever its headers say, if it is no
// larger than a picture may be. A failed write (storage full) keeps the copy
// before.
async function keep(name, response) {
    if (!response.ok)
        return;
    try {
        const bytes = await readAtMost(response.body, CORE.largestFile + 1);
        if (bytes.length <= CORE.largestFile)
            await (await caches.open(PICTURE_CACHE)).put(name, new Response(bytes, {
                headers: {'Content-Type': response.headers.get('Content-Type') || 'image/bmp'}}));
    } catch (error) {
        // no room, or the answer broke off: the copy before stays
    }
}
