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
    }));
});

// A new build takes over only once every open page has settled (each says
// so), so that no page gets files of two builds. A picture or any other
// document open in this scope loads no build and has nothing to say.
const loaded = new Set();
self.addEventListener('message', event => {
    if (event.data !== 'loaded' || !event.source)
        return;
    loaded.add(event.source.id);
    event.waitUntil(self.clients.matchAll({type: 'window', includeUncontrolled: true}).then(pages => {
        if (pages.every(page => nameOf(page.url) !== './' || loaded.has(page.id)))
            return self.skipWaiting();
    }));
});

// The build before stays until the next one takes over: a page of it may
// still be loading as this one takes over, and asks for its own module.
const BUILDS = `${PREFIX}builds`; // the build before and the one in charge, by cache
const builds = async () => (await caches.match('builds', {cacheName: BUILDS}))?.json() ?? [];
self.addEventListener('activate', event => {
    event.waitUntil((async () => {
        let [before, active] = await builds();
        if (active !== SHELL_CACHE) {
            before = active;
            await (await caches.open(BUILDS)).put('builds', new Response(JSON.stringify([before, SHELL_CACHE])));
        }
        const ours = name => name.startsWith(PREFIX) && ![SHELL_CACHE, PICTURE_CACHE, BUILDS, before].includes(name);
        await Promise.all((await caches.keys()).filter(ours).map(name => caches.delete(name)));
        await self.clients.claim();
    })());
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
    else if (name.endsWith('.wasm')) // named for its build: never another build's
        event.respondWith(buildBefore(name).then(copy => copy || fetch(request)));
});

async function buildBefore(name) {
    const [before] = await builds();
    return before && caches.match(name, {cacheName: before});
}

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
