// Shared by the page and its service worker: how a picture is read from an
// answer, and which answers leave the copy kept as it is.
'use strict';

// A server busy or failing for now: its answer never replaces a copy.
const serverBusy = status => status === 408 || status === 429 || status >= 500;

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
