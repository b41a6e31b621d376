// Shared by the page and its service worker: how a picture is read from an
// answer, which answers leave the copy kept as it is, where the copies are
// kept, and how a request is given up.
'use strict';

// A server busy or failing for now: its answer never replaces a copy.
const serverBusy = status => status === 408 || status === 429 || status >= 500;

// The switch pictures last read as pictures, for this scope only.
const pictureCache = scope => `corvex-settings ${scope} pictures`;

// A request given up because nothing came for a while.
class Stopped extends Error {
    toString() { return this.message; }
}

// A request given up once nothing has come for `quiet` seconds (no answer, or
// no more of its body), never while bytes arrive; `progress` hears the bytes
// of the body so far. The body is watched through a copy, read at most `most`
// bytes and as it comes, so that the answer's reader gets the browser's own
// stream (a module compiled from it is cached as the browser caches it), and
// `stopped()` tells a reader whose error hides the cause.
async function watched(url, init, quiet, progress = () => {}, most = Infinity) {
    const stop = new AbortController();
    let timer = 0;
    const wait = () => {
        clearTimeout(timer);
        timer = setTimeout(() => stop.abort(), quiet * 1000);
    };
    const why = error => stop.signal.aborted
        ? new Stopped(`${CORE.report.stopped}: ${new URL(url, self.location.href).href}.\n\n${CORE.report.serverHint}`)
        : error;
    wait();
    let response;
    try {
        response = await fetch(url, {...init, signal: stop.signal});
    } catch (error) {
        clearTimeout(timer);
        throw why(error);
    }
    response.stopped = () => stop.signal.aborted ? why() : null;
    if (!response.ok || !response.body) {
        clearTimeout(timer);
        return response;
    }
    wait();
    const copy = response.clone().body.getReader();
    (async () => {
        try {
            for (let received = 0; received <= most;) {
                const {done, value} = await copy.read();
                if (done)
                    break;
                wait();
                progress(received += value.length);
            }
            copy.cancel().catch(() => {});
        } catch (error) {
            // the answer's reader hears it too
        }
        clearTimeout(timer);
    })();
    return response;
}

// A picture is never read beyond the largest file it may be, whatever the
// server says of its size.

// The first `most` bytes of a body at most; the rest is never asked for.
async function readAtMost(body, most) {
    const reader = body.getReader();
    const parts = [];
    let total = 0;
    while (total < most) {
        const {done, value} = await reader.read();
        if (done)
            break;
        parts.push(value);
        total += value.length;
    }
    if (total >= most)
        reader.cancel().catch(() => {});
    const bytes = new Uint8Array(Math.min(total, most));
    let at = 0;
    for (const part of parts) {
        const piece = part.subarray(0, bytes.length - at);
        bytes.set(piece, at);
        at += piece.length;
    }
    return bytes;
}
