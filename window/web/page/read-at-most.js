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
// of the body so far. Its body must be read as it comes.
async function watched(url, init, quiet, progress = () => {}) {
    const stop = new AbortController();
    let timer = 0, received = 0;
    const wait = () => {
        clearTimeout(timer);
        timer = setTimeout(() => stop.abort(), quiet * 1000);
    };
    const why = error => stop.signal.aborted ? new Stopped(`${CORE.report.stopped}: ${new URL(url, self.location.href).href}.\n\n${CORE.report.serverHint}`) : error;
    wait();
    let response;
    try {
        response = await fetch(url, {...init, signal: stop.signal});
    } catch (error) {
        clearTimeout(timer);
        throw why(error);
    }
    if (!response.ok || !response.body) {
        clearTimeout(timer);
        return response;
    }
    wait();
    const reader = response.body.getReader();
    const body = new ReadableStream({
        async pull(into) {
            try {
                const {done, value} = await reader.read();
                if (done) {
                    clearTimeout(timer);
                    return into.close();
                }
                wait();
                progress(received += value.length);
                into.enqueue(value);
            } catch (error) {
                clearTimeout(timer);
                into.error(why(error));
            }
        },
        cancel(reason) {
            clearTimeout(timer);
            return reader.cancel(reason);
        },
    });
    const answer = new Response(body, {status: response.status, statusText: response.statusText, headers: response.headers});
    // A reader that wraps the body's error in its own (a compiler) can still tell why.
    answer.stopped = () => stop.signal.aborted ? why() : null;
    return answer;
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
