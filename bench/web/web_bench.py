#!/usr/bin/env python3
# The web page in one headless Chromium run, printing figures:
#   1. what a first visit transfers, each file as a host sends it with gzip
#   2. the time to the first frame with the switches drawn, a first visit
#      each time, against a minimal page (a field and a canvas) served the
#      same way, alternating
#   3. the worst validation and click over the slowest switch images there
#      are, in the page: the work (the event's handler and the draw in the
#      frame after it) and the time from the event to the end of that frame's
#      draw, with the server well, slowed to 400 ms a request, and stalled
# web_bench.py SITE SLOWEST_DIR RUNS   (SLOWEST_DIR as write_slowest writes it)
import functools, gzip, os, shutil, statistics, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
import run  # noqa: E402  (the table's runner: its Failure and waits)
sys.modules.setdefault("run", run)
from web import Browser, Handler, Server  # noqa: E402

FIRST_FRAME = """
    new MutationObserver(() => {
        if (document.documentElement.dataset.state && !window.corvexFrame)
            requestAnimationFrame(() => { window.corvexFrame = performance.now(); });
    }).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-state']});"""

# An event given to the page: [the handler's time, the draw's, from the event
# to the end of the draw]. A frame callback asked for before the event runs
# just before the page's draw in the next frame, one asked for after it just
# after.
EVENT = """
    const kind = arguments[0];
    const field = document.getElementById('txtFreq'), lever = document.getElementById('pic1');
    if (kind === 'validation') {
        field.focus();
        field.value = field.value === '95.3' ? '87.5' : '95.3';
    }
    let before;
    requestAnimationFrame(() => { before = performance.now(); });
    const start = performance.now();
    if (kind === 'validation')
        lever.focus();
    else
        lever.click();
    const handled = performance.now();
    return new Promise(done => requestAnimationFrame(() => {
        const drawn = performance.now();
        done([handled - start, drawn - before, drawn - start]);
    }));"""


class LoggingHandler(Handler):
    def log_request(self, code="-", size="-"):
        self.server.served.append((self.path.split("?")[0].lstrip("/"), int(code)))


def serve(site):
    # The table's server, noting what it sends.
    server = Server(site)
    server.served = []
    server.RequestHandlerClass = functools.partial(LoggingHandler, directory=site)
    return server


def fresh(browser, server, page=""):
    browser.call("go", "about:blank")
    browser.cdp("Network.clearBrowserCache")
    browser.cdp("Storage.clearDataForOrigin", origin=server.address[:-1], storageTypes="all")
    browser.call("go", server.address + page)
    return run.wait_for("first frame", lambda: browser.js("return window.corvexFrame"), 30)


def main():
    site, slowest, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    work = tempfile.mkdtemp()
    options = type("Options", (), dict(site=site, locale="C", work=work, firefox=False))
    browser = Browser(options)
    browser.server.shutdown()
    page = serve(site)
    minimal_site = f"{work}/minimal"
    os.makedirs(minimal_site)
    for name in ("minimal.html", "minimal.js"):
        shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), minimal_site)
    minimal = serve(minimal_site)
    browser.call("preload", FIRST_FRAME)
    try:
        print("== 1. A first visit's transfer (gzip -9 of each file sent whole)")
        fresh(browser, page)
        run.wait_for("service worker", lambda: browser.js("return !!navigator.serviceWorker.controller"), 30)
        browser.cdp("Page.getInstallabilityErrors")  # the browser fetches what installing needs
        sent = sorted({name or "index.html" for name, code in page.served if code == 200})
        total = 0
        for name in sent:
            size = len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9))
            total += size
            print(f"{name:28} {os.path.getsize(os.path.join(site, name)):9,} bytes {size:9,} gzip")
        print(f"{'all':28} {'':15} {total:9,} gzip ({total / 1024:.1f} KiB; at most 100 KB)")

        print(f"\n== 2. First frame with the switches drawn, a first visit each time, median of {runs}")
        times = {"page": [], "minimal": []}
        fresh(browser, page), fresh(browser, minimal, "minimal.html")  # warm-up
        for _ in range(runs):
            times["page"].append(fresh(browser, page))
            times["minimal"].append(fresh(browser, minimal, "minimal.html"))
        page_ms, minimal_ms = (statistics.median(times[k]) for k in ("page", "minimal"))
        print(f"the page: {page_ms:.1f} ms; the minimal page: {minimal_ms:.1f} ms; "
              f"ratio {page_ms / minimal_ms:.2f} x (aim: at most 1.2 x)")

        print("\n== 3. Events over the slowest switch images, worst of 5 each (a frame is 16.7 ms):"
              " the work (handler + draw), and from the event to the end of the draw")
        names = open(os.path.join(slowest, "names.txt")).read().splitlines()
        worst = {}
        for number, name in enumerate(names, 1):
            folder = f"{work}/slowest-{number}"
            os.makedirs(folder)
            for image in ("ON_SW.bmp", "OFF_SW.bmp"):
                shutil.copy(f"{slowest}/{number}.bmp", f"{folder}/{image}")
            page.folder, page.mode = folder, "ok"
            fresh(browser, page)
            if browser.js("return document.documentElement.dataset.state") != "running":
                print(f"{name}: refused at the start, as the program refuses it")
                continue
            for network in ("well", "slow", "stall"):
                page.mode = {"well": "ok"}.get(network, network)
                for kind in ("validation", "click"):
                    times = [browser.js(EVENT, kind) for _ in range(5)]
                    work_ms = max(handled + draw for handled, draw, _ in times)
                    frame_ms = max(total for _, _, total in times)
                    print(f"{name}, server {network}: {kind} {work_ms:.1f} ms work, {frame_ms:.1f} ms to the frame")
                    key = (network, kind)
                    worst[key] = max(worst.get(key, (0, 0, "")), (work_ms, frame_ms, name))
            page.mode = "ok"
        for (network, kind), (work_ms, frame_ms, name) in worst.items():
            print(f"worst {kind}, server {network}: {work_ms:.1f} ms work, {frame_ms:.1f} ms to the "
                  f"frame ({name}; aim: at most 16 ms)")
    finally:
        browser.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
