#!/usr/bin/env python3
# The web page against a minimal page (one field and one canvas) served the
# same way, printing figures:
#   1. what a first visit transfers, each file as a host sends it with gzip
#   2. the first frame of the window, the switches drawn, for a first visit
#      (nothing kept) and a return visit (each page's worker answering from its
#      cache), median of RUNS each, in Chromium and in WebKitGTK; and where a
#      first visit's time goes in Chromium, step by step
#   4. a first visit over one shared link of 4 and of 16 KB/s with a phone's
#      latency, in Chromium: the first words shown (the first contentful
#      paint), the window, and the bytes sent
#   3. the worst validation (Tab from the field) and the worst click over the
#      slowest switch images, from the input event to the end of the frame that
#      shows it, with the server well, slowed and stalled, in Chromium, against
#      the worst of the same inputs on the minimal page
# The page's worker has installed before anything is timed.
# web_bench.py SITE SLOWEST_DIR RUNS   (SLOWEST_DIR as write_slowest writes it)
import functools, gzip, os, shutil, statistics, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
import run  # noqa: E402  (the table's runner: its Failure and waits)
sys.modules.setdefault("run", run)
from web import Browser, Handler, Server  # noqa: E402
from webkit import WebKit  # noqa: E402

PAINTED = """return new Promise(done => {
    const look = () => {
        const paint = performance.getEntriesByName('first-contentful-paint')[0];
        paint ? done(paint.startTime) : setTimeout(look, 10);
    };
    look();
});"""
# The frame after the window (or the report) is there, as both pages mark it,
# in ms from the visit's start.
SHOWN = """return new Promise(done => {
    const look = () => document.documentElement.dataset.state
        ? requestAnimationFrame(() => done(performance.now())) : setTimeout(look, 5);
    look();
});"""

# Each click and key: from the input event to the end of the frame after
# every handler of it has run (a task queued from that frame's callback).
INPUTS = """
    window.corvexInputs = [];
    for (const type of ['click', 'keydown'])
        addEventListener(type, event => {
            const start = event.timeStamp;
            requestAnimationFrame(() => setTimeout(() => corvexInputs.push(performance.now() - start)));
        }, {capture: true});"""

# When each step of the page's start ends, seen from outside the page: its
# module compiled and made an instance, the window shown in place of the
# words, and how long the language's first number format took.
PHASES = """
    window.corvexPhases = {};
    const note = (name, value) => { corvexPhases[name] ??= value ?? performance.now(); };
    const streaming = WebAssembly.instantiateStreaming;
    if (streaming)
        WebAssembly.instantiateStreaming = (...args) =>
            streaming.apply(WebAssembly, args).then(made => { note('compiled'); return made; });
    const NumberFormat = Intl.NumberFormat;
    Intl.NumberFormat = function (...args) {
        const start = performance.now(), made = new NumberFormat(...args);
        note('intl', performance.now() - start);
        return made;
    };
    new MutationObserver(() => {
        if (document.body && !document.getElementById('loading'))
            note('shown');
    }).observe(document, {childList: true, subtree: true});"""
PHASES_READ = """const [page] = performance.getEntriesByType('navigation');
    const module = performance.getEntriesByType('resource').find(e => e.name.endsWith('.wasm'));
    return Object.assign({html: page.responseEnd, module: module ? module.responseEnd : 0}, corvexPhases);"""

# A page that ended in the report keeps nothing: no worker comes.
SETTLED = """return document.documentElement.dataset.state !== 'running' ||
    navigator.serviceWorker.ready.then(r => !!r.active && !!navigator.serviceWorker.controller)"""


class LoggingHandler(Handler):
    def log_request(self, code="-", size="-"):
        self.server.served.append((self.path.split("?")[0].lstrip("/"), int(code)))


def serve(site):
    # The table's server, noting what it sends.
    server = Server(site)
    server.served = []
    server.RequestHandlerClass = functools.partial(LoggingHandler, directory=site)
    return server


def chromium_visit(browser, server, page, first, settle=True):
    browser.call("go", "about:blank")
    if first:
        browser.cdp("Network.clearBrowserCache")
        browser.cdp("Storage.clearDataForOrigin", origin=server.address[:-1], storageTypes="all")
    browser.call("go", server.address + page)
    painted = browser.js(SHOWN)
    # The worker installed and in charge, the pictures asked again: nothing left running.
    if settle:
        run.wait_for("the page settled", lambda: browser.js(SETTLED), 30)
    return painted


def webkit_visits(server, page, runs):
    # WebDriver's sessions keep nothing: a new one is a first visit, the next
    # visit in it a return.
    times = {True: [], False: []}
    for _ in range(runs):
        browser = WebKit()
        try:
            for first in (True, False):
                browser.go("about:blank")
                browser.go(server.address + page)
                times[first].append(browser.js(SHOWN, []))
                run.wait_for("the page settled", lambda: browser.js(SETTLED, []), 30)
        finally:
            browser.stop()
    return times


def compare(label, page_ms, minimal_ms, aim):
    print(f"{label}: the page {page_ms:.1f} ms, the minimal page {minimal_ms:.1f} ms, "
          f"{page_ms / minimal_ms:.2f} x (aim: at most {aim} x)")


def main():
    site, slowest, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    work = tempfile.mkdtemp()
    options = type("Options", (), dict(site=site, locale="C", work=work, firefox=False, webkit=False))
    browser = Browser(options)
    browser.server.shutdown()
    page = serve(site)
    minimal_site = f"{work}/minimal"
    os.makedirs(minimal_site)
    for name in ("minimal.html", "minimal.js", "minimal-worker.js"):
        shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), minimal_site)
    minimal = serve(minimal_site)
    browser.call("preload", INPUTS + PHASES)
    try:
        print("== 1. A first visit's transfer (gzip -9 of each file sent whole)")
        chromium_visit(browser, page, "", True)
        browser.cdp("Page.getInstallabilityErrors")  # the browser fetches what installing needs
        sent = sorted({name or "index.html" for name, code in page.served if code == 200})
        total = 0
        for name in sent:
            size = len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9))
            total += size
            print(f"{name:28} {os.path.getsize(os.path.join(site, name)):9,} bytes {size:9,} gzip")
        print(f"{'all':28} {'':15} {total:9,} gzip ({total / 1000:.1f} KB; aim: at most 60 KB)")

        print(f"\n== 2. The first frame of the window, median of {runs}")
        times = {}
        phases = []
        for first in (True, False):
            for name, server, path in (("page", page, ""), ("minimal", minimal, "minimal.html")):
                chromium_visit(browser, server, path, first)  # warm-up
                times[name, first] = []
                for _ in range(runs):
                    times[name, first].append(chromium_visit(browser, server, path, first))
                    if name == "page" and first:
                        phases.append(browser.js(PHASES_READ))
        for first, aim in ((True, 1.5), (False, 1.2)):
            compare(f"Chromium, {'a first' if first else 'a return'} visit", statistics.median(times["page", first]),
                    statistics.median(times["minimal", first]), aim)
        steps = [("html", "the page (HTML, style, script) has come"), ("module", "the module has come"),
                 ("compiled", "the module compiled and made an instance"),
                 ("shown", "the window built, loaded, laid out and shown")]
        print("Chromium, a first visit, where the time goes (medians, ms from the visit's start):")
        for key, what in steps:
            print(f"  {statistics.median(p.get(key, 0) for p in phases):7.1f}  {what}")
        print(f"  {statistics.median(times['page', True]):7.1f}  the window's first frame "
              f"(the minimal page's: {statistics.median(times['minimal', True]):.1f})")
        print(f"  of which the language's first number format: {statistics.median(p.get('intl', 0) for p in phases):.1f}")
        session = run.Session(96, work)  # WebKitGTK's window on a display of its own
        try:
            kit = {name: webkit_visits(server, path, runs) for name, server, path in
                   (("page", page, ""), ("minimal", minimal, "minimal.html"))}
        finally:
            session.stop()
        for first, aim in ((True, 1.5), (False, 1.2)):
            compare(f"WebKitGTK, {'a first' if first else 'a return'} visit", statistics.median(kit["page"][first]),
                    statistics.median(kit["minimal"][first]), aim)

        print("\n== 3. Inputs over the slowest switch images, worst of 5 each: from the input event to the"
              " end of the frame that shows it (a frame is 16.7 ms)")
        centre = lambda selector: browser.js(
            "const r = document.querySelector(arguments[0]).getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2]", selector)

        def inputs(kind, lever, field):
            browser.js("corvexInputs.length = 0")
            for number in range(5):
                if kind == "validation":
                    browser.call("mouse", "down", *centre(field), "left")
                    browser.call("mouse", "up", *centre(field), "left")
                    browser.call("keys", ["End", "BackSpace", "BackSpace", "BackSpace", "BackSpace"])
                    browser.call("type", "95.3" if number % 2 else "87.5")
                    browser.js("corvexInputs.length = 0")
                    browser.call("keys", ["Tab"])
                else:
                    browser.call("mouse", "down", *centre(lever), "left")
                    browser.call("mouse", "up", *centre(lever), "left")
                run.wait_for("the frame", lambda: browser.js("return corvexInputs.length"), 10)
                yield browser.js("return corvexInputs[0]")

        chromium_visit(browser, minimal, "minimal.html", True)
        baseline = {kind: max(inputs(kind, "canvas", "input")) for kind in ("validation", "click")}
        names = open(os.path.join(slowest, "names.txt")).read().splitlines()
        worst = {}
        for number, name in enumerate(names, 1):
            folder = f"{work}/slowest-{number}"
            os.makedirs(folder)
            for image in ("ON_SW.bmp", "OFF_SW.bmp"):
                shutil.copy(f"{slowest}/{number}.bmp", f"{folder}/{image}")
            page.folder, page.mode = folder, "ok"
            chromium_visit(browser, page, "", True)
            if browser.js("return document.documentElement.dataset.state") != "running":
                print(f"{name}: refused at the start, as the program refuses it")
                continue
            for network in ("well", "slow", "stall"):
                page.mode = {"well": "ok"}.get(network, network)
                for kind in ("validation", "click"):
                    ms = max(inputs(kind, "#pic1", "#txtFreq"))
                    print(f"{name}, server {network}: {kind} {ms:.1f} ms")
                    worst[network, kind] = max(worst.get((network, kind), (0, "")), (ms, name))
            page.mode = "ok"
        for (network, kind), (ms, name) in worst.items():
            print(f"worst {kind}, server {network}: {ms:.1f} ms ({name}), the minimal page's "
                  f"{baseline[kind]:.1f} ms: {ms / baseline[kind]:.2f} x (aim: at most 16 ms)")
        page.folder = site
        print("\n== 4. A first visit over one shared link, 300 ms latency, text and the module gzipped")
        for rate in (4, 16):
            for name, server, path in (("the page", page, ""), ("the minimal page", minimal, "minimal.html")):
                server.rate, server.free, server.sent = rate * 1000, 0.0, 0
                shown = chromium_visit(browser, server, path, True, settle=False)
                words = browser.js(PAINTED)
                server.rate = 0
                print(f"{rate:2} KB/s, {name}: words at {words / 1000:.1f} s, the window at {shown / 1000:.1f} s, "
                      f"{server.sent / 1000:.1f} KB sent by then")

    finally:
        browser.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
