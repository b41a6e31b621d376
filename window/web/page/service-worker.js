// The page without a network, after one visit. The application shell is kept
// under this build's name, so that a page is made of one build's files only;
// the two switch images, kept by the page once its program has read them as
// pictures, stand in for them when the server cannot be reached or is failing.
'use strict';
importScripts('core.js', 'read-at-most.js');

// Named for this scope: other pages and applications on the host keep theirs.
const PREFIX = `corvex-settings ${self.registration.scope} `;
const SHELL_CACHE = `${PREFIX}shell @BUILD@`;
const PICTURE_CACHE = pictureCache(self.registration.scope);
const SHELL = [@SHELL@];

// The addresses the page asks for, asked of the server, never taken from the
// browser's cache, which may hold the build before; unchanged files come back
// as "not modified", not again. A page of another build (a deploy while this
// installs) fails the install: the build before stays in charge.
self.addEventListener('install', event => {
    const fresh = name => new Request(name, {cache: 'no-cache'});
    event.waitUntil(caches.open(SHELL_CACHE).then(async cache => {
        await cache.addAll(SHELL.map(fresh));
        const page = await (await cache.match('./')).text();
        if (!page.includes('@MODULE@'))
            throw new Error('the server has another build now');
        await takeOverOnceSettled();
    }));
});

// A new build takes over only once every open page has settled (each says
// so), so that no page gets files of two builds. The pages open are asked
// once it is installed, and asked again by a worker started anew, which has
// lost what they said; a page opened later says so itself. A picture or any
// other document open in this scope loads no build and has nothing to say.
const loaded = new Set(), asked = new Set();
async function takeOverOnceSettled() {
    const pages = await self.clients.matchAll({type: 'window', includeUncontrolled: true});
    const unsettled = pages.filter(page => nameOf(page.url) === './' && !loaded.has(page.id));
    if (unsettled.length === 0)
        return self.skipWaiting();
    for (const page of unsettled.filter(page => !asked.has(page.id))) {
        asked.add(page.id);
        page.postMessage('loaded?');
    }
}

self.addEventListener('message', event => {
    if (event.data !== 'loaded' || !event.source)
        return;
    loaded.add(event.source.id);
    event.waitUntil(takeOverOnceSettled());
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
    const name = nameOf(request.url);
    if (CORE.pictures.includes(name))
        event.respondWith(picture(event, name));
    else if (SHELL.includes(name))
        event.respondWith(caches.open(SHELL_CACHE).then(cache => cache.match(name))
                              .then(copy => copy || fetch(request)));
});

// The page is kept at the address it is opened at, which its visit leaves in
// the browser's cache; index.html is the same page.
function nameOf(url) {
    const path = new URL(url).pathname.slice(new URL(self.registration.scope).pathname.length);
    return path === '' || path === 'index.html' ? './' : path;
}

// The server's answer; the copy when the server cannot be reached, or is busy
// or failing.
async function picture(event, name) {
    const copy = () => caches.open(PICTURE_CACHE).then(cache => cache.match(name));
    let response;
    try {
        response = await fetch(event.request);
    } catch (error) {
        return (await copy()) || Promise.reject(error);
    }
    return serverBusy(response.status) && (await copy()) || response;
}
