# The end-to-end table against the web page, in Debian's Chromium, headless,
# driven through puppeteer-core and the browser's DevTools protocol: the same
# rows, the same pixel checks on screenshots, the accessibility tree for what a
# screen reader hears, and axe-core for the rules of the web. A part of the
# table in Firefox too, whose page a screen reader reads on the real
# accessibility bus.
import base64, functools, gzip, hashlib, http.server, json, math, os, re, select, shutil, subprocess, sys, threading, time, urllib.parse

from fractions import Fraction

from run import ATSPI_PROBE, BELOW_BAND, TITLE, Failure, Run, Session, half_up, ppm, sh, wait_for
from webkit import WebKit


HERE = os.path.dirname(os.path.abspath(__file__))
AXE = os.path.join(HERE, "node_modules", "axe-core", "axe.min.js")
PHONE = (360, 640)  # a phone's viewport, in CSS pixels
# The page's requests not yet answered and read, counted from outside the
# page: an answer is read once its whole body has come (or the request ended),
# and what the page does with it has run by the next task.
PENDING = """window.corvexPending = 0;
const pageFetch = fetch;
window.fetch = (...args) => {
    const answer = pageFetch(...args), done = () => setTimeout(() => corvexPending--);
    corvexPending++;
    answer.then(r => r.clone().arrayBuffer()).then(done, done);
    return answer;
};"""
GATHER = PENDING + """window.corvexErrors = [];
addEventListener('error', event => corvexErrors.push(String(event.message)));
addEventListener('unhandledrejection', event => corvexErrors.push(String(event.reason)));"""


class Server(http.server.ThreadingHTTPServer):
    # The site as a static host serves it, with the two switch images of the
    # row's folder beside the page. Offline, it closes every connection
    # unanswered, as a network that is gone.

    def __init__(self, site):
        self.site, self.folder, self.offline, self.mode, self.gather = site, site, False, "ok", False
        self.rate, self.free, self.lock, self.sent = 0, 0.0, threading.Lock(), 0
        super().__init__(("127.0.0.1", 0), functools.partial(Handler, directory=site))
        threading.Thread(target=self.serve_forever, daemon=True).start()
        self.address = f"http://127.0.0.1:{self.server_port}/"

    def handle_error(self, request, address):
        if not isinstance(sys.exc_info()[1], ConnectionError):  # a request the page gave up
            super().handle_error(request, address)


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".webmanifest": "application/manifest+json"})

    def handle_one_request(self):
        if self.server.offline:
            self.close_connection = True
        else:
            super().handle_one_request()

    def do_GET(self):
        # The switch images as a server or network that misbehaves gives them:
        # slowly (a phone's link), never (a stall: no answer, no failure), or
        # refused for now (503). Each row's images differ, at one address and
        # within a second: they carry a tag of their content, not a time, and
        # one the browser holds is "not modified".
        name = urllib.parse.urlparse(self.path).path.lstrip("/")
        picture = name in ("ON_SW.bmp", "OFF_SW.bmp")
        if self.server.rate:
            time.sleep(0.3)  # a phone link's latency, before every answer
        if self.server.gather and name in ("", "index.html"):
            return self.gather()
        if picture and self.server.mode == "stall" or name.endswith(".wasm") and self.server.mode == "hold":
            return self.stall()
        if not picture and not self.server.rate:
            del self.headers["If-Modified-Since"]  # by content, not date: a build put back is new
            return super().do_GET()
        if self.server.mode == "503" and picture:
            return self.send_error(503)
        time.sleep(0.4 if self.server.mode == "slow" and picture else 0)
        try:
            with open(self.translate_path(self.path), "rb") as file:
                data = file.read()
        except OSError:
            return self.send_error(404)
        tag = f'"{hashlib.sha256(data).hexdigest()[:16]}"'
        fresh = self.headers.get("If-None-Match") != tag
        packed = self.server.rate and "gzip" in self.headers.get("Accept-Encoding", "") and not picture
        data = gzip.compress(data, 9) if packed and fresh else data if fresh else b""
        self.send_response(200 if fresh else 304)
        self.send_header("ETag", tag)
        self.send_header("Content-Type", self.guess_type(name or "index.html"))
        self.send_header("Content-Length", str(len(data)))
        if packed:
            self.send_header("Content-Encoding", "gzip")
        self.end_headers()
        self.send(data)

    def send(self, data):
        # Over one link of the set rate that every answer shares, as a phone's
        # radio is shared.
        for at in range(0, len(data), 256):
            piece = data[at:at + 256]
            if self.server.rate:
                with self.server.lock:
                    due = self.server.free = max(self.server.free, time.monotonic()) + len(piece) / self.server.rate
                time.sleep(max(0.0, due - time.monotonic()))
            self.wfile.write(piece)
            self.server.sent += len(piece)

    def stall(self):
        # No answer and no failure, until the row ends.
        end = time.monotonic() + 30
        while self.server.mode in ("stall", "hold") and time.monotonic() < end:
            time.sleep(0.05)
        self.close_connection = True

    def gather(self):
        # For an engine whose driver runs no script before the page's own: the
        # page with a script of the test's first in it, allowed by its hash,
        # which gathers every error the page leaves uncaught from its first
        # script on. Inline, so that the copy a worker keeps gathers too.
        digest = base64.b64encode(hashlib.sha256(GATHER.encode()).digest()).decode()
        data = open(os.path.join(self.server.site, "index.html"), "rb").read()
        data = data.replace(b"<head>", f"<head>\n<script>{GATHER}</script>".encode(), 1).replace(
            b"script-src ", f"script-src 'sha256-{digest}' ".encode(), 1)
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.send(data)

    def translate_path(self, path):
        name = urllib.parse.urlparse(path).path.lstrip("/") or "index.html"
        folder = self.server.folder if name in ("ON_SW.bmp", "OFF_SW.bmp") else self.server.site
        return os.path.join(folder, name)

    def end_headers(self):
        # Kept by a browser but asked for again each time, as many hosts send
        # them: a visit with no network is the worker's, never the HTTP cache's.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, *args):
        pass


# The caches, and the states of the worker installing and the one waiting.
KEPT = """return Promise.all([caches.keys(), navigator.serviceWorker.getRegistration()
    .then(r => [r.installing?.state, r.waiting?.state, r.active?.state])])"""


class Browser:
    # Chromium, headless, or Firefox (browser.mjs) or WebKitGTK (webkit.py) in
    # a window on a display of the pass's own, whose page a screen reader reads
    # on the pass's accessibility bus; the pass's language.

    def __init__(self, options):
        self.server, self.session, self.driver = Server(options.site), None, None
        self.engine = "firefox" if options.firefox else "webkit" if options.webkit else "chromium"
        self.bus, self.options = self.engine != "chromium", options
        self.server.gather = self.engine == "webkit"
        if self.bus:
            self.session = Session(96, options.work)
            subprocess.run(["/usr/bin/python3", ATSPI_PROBE, "wake"], timeout=60, check=True)
        self.profile = f"{options.work}/profile"
        self.language = "de-DE" if options.locale.startswith("de") else "en-US"
        shutil.rmtree(self.profile, ignore_errors=True)
        self.launch()

    def launch(self):
        if self.engine == "webkit":
            # The language and the scale a desktop session gives its programs.
            locale = f"{self.options.locale}.UTF-8"
            os.environ.update(LC_ALL=locale, LANG=locale, GDK_SCALE=str(int(self.options.scale)),
                              GNOME_ACCESSIBILITY="1")
            self.driver = WebKit()
            self.window = wait_for("the browser's window", lambda: sh(
                "xdotool", "search", "--onlyvisible", "--class", "MiniBrowser").split(), 60)[0]
            return
        self.proc = subprocess.Popen(
            ["node", f"{HERE}/browser.mjs", self.engine, self.language,
             self.profile], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            env=dict(os.environ, GNOME_ACCESSIBILITY="1"))
        # Every request a page makes, and every one its policy stopped.
        self.call("preload", PENDING + """
            window.corvexAsked = [];
            new PerformanceObserver(list => corvexAsked.push(...list.getEntries().map(e => e.name)))
                .observe({type: 'resource', buffered: true});
            addEventListener('securitypolicyviolation', event => corvexAsked.push(event.blockedURI));""")
        if self.bus:
            self.window = wait_for("Firefox's window", lambda: sh(
                "xdotool", "search", "--onlyvisible", "--class", "firefox").split(), 60)[0]

    def call(self, *request, seconds=60):
        if self.driver:
            try:
                return self.driver.call(*request)
            except Exception as error:  # WebDriver's, told as a row's failure
                raise Failure(f"the browser: {request[0]}: {error}")
        self.proc.stdin.write(json.dumps(request).encode() + b"\n")
        self.proc.stdin.flush()
        if not select.select([self.proc.stdout], [], [], seconds)[0]:
            raise Failure(f"the browser: no answer to {request[0]} in {seconds} s")
        answer = json.loads(self.proc.stdout.readline() or '{"error": "it ended"}')
        if "error" in answer:
            raise Failure(f"the browser: {request[0]}: {answer['error']}")
        return answer["ok"]

    def cdp(self, command, **arguments):
        return self.call("cdp", command, arguments)

    def js(self, body, *args):
        return self.call("js", body, args)

    def reopen(self):
        # The browser closed, and started again on the same profile.
        if self.driver:
            return self.call("reopen")
        self.stop(session=False)
        self.launch()

    def go(self, url, first=True):
        self.call("go", "about:blank")
        if self.bus:
            # Focus and blur come to a page only while its window is the active
            # one and the focus is in the page, not in the address bar (F6).
            if not self.js("return document.hasFocus()"):
                sh("xdotool", "windowactivate", "--sync", self.window, "key", "F6")
                wait_for("the focus in the page", lambda: self.js("return document.hasFocus()"), 10)
        elif first:  # a first visit: no service worker, no copies of anything
            self.cdp("Storage.clearDataForOrigin", origin=self.server.address[:-1], storageTypes="all")
            self.cdp("Emulation.setEmulatedMedia", features=[])
        self.call("go", url)

    def alive(self):
        return not self.session or self.session.alive()

    def anew(self):
        # Started again with nothing kept, for a first visit where the driver
        # cannot clear what a row before left.
        self.stop(session=False)
        shutil.rmtree(self.profile, ignore_errors=True)
        self.launch()

    def stop(self, session=True):
        try:
            self.call("stop", seconds=20)
        finally:
            if not self.driver:
                self.proc.kill()
                self.proc.wait(10)
            session and self.session and self.session.stop()


class WebRun(Run):
    def __init__(self, options, browser):
        super().__init__(options, browser)
        # A switch's action on the accessibility bus: Firefox's for what it can
        # click, WebKit's for a check box, named for what it will do.
        self.ACTIONS = ["check|uncheck"] if browser.engine == "webkit" else ["click"]
        self.browser, self.server, self.asked = browser, browser.server, []
        self.read_aloud = browser.engine == "firefox"
        self.screen = PHONE if options.phone else (800, 600)
        self.set_ratio(3 if options.phone else options.scale)

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def set_ratio(self, ratio):
        # As a zoom does, the viewport's size changes too: the emulation tells
        # the page of a new ratio only with a new size.
        self.ratio = ratio
        width, height = self.screen
        for nudge in (1, 0):
            self.browser.call("viewport", width - nudge, height, ratio, self.o.phone)

    # -- the page ------------------------------------------------------------
    def make_files(self, folder, layout):
        # "stall": both images, on a server that never answers for them;
        # "hold": one that never answers for the module; "link:N": every file
        # over one shared link of N KB/s, text and the module compressed.
        self.server.mode = layout if layout in ("stall", "hold") else "ok"
        self.server.rate, self.server.free = 1000 * int(layout[5:]) if layout.startswith("link:") else 0, 0.0
        super().make_files(folder, "good" if layout in ("stall", "hold") or self.server.rate else layout)

    def listen(self):
        self.browser.call("go", "about:blank")  # not the row before's page, heard first
        return super().listen()

    def start(self, folder):
        # Every row on the pass's screen, whatever ratio or screen a row before left.
        screen, ratio = (PHONE, 3) if self.o.phone else ((800, 600), self.o.scale)
        if (self.screen, self.ratio) != (screen, ratio):
            self.screen = screen
            self.set_ratio(ratio)
        self.note_requests()
        self.browser.call("errors")  # a failed row's, told with it
        self.folder = self.server.folder = folder
        self.server.site, self.server.offline = self.o.site, False
        if self.browser.bus and (self.server.mode == "hold" or self.server.rate):
            self.browser.anew()
            self.set_ratio(self.ratio)
        self.browser.go(self.server.address)
        self.went = time.monotonic()
        if self.server.mode == "hold":  # the window's title and words that it is loading, told
            wait_for("words while the module is held back", lambda: self.js(
                "const s = document.querySelector('[role=status]');"
                "return document.body.innerText.includes(arguments[0]) && !!s && !!s.innerText.trim()"
                " && s.getClientRects().length > 0", TITLE), 5)

    def state(self):
        return self.js("return document.documentElement.dataset.state")

    def wait_window(self):
        state = wait_for("page", self.state, 60 if self.server.rate else 20)
        if state != "running":
            raise Failure(f"the page ended: {self.report_text()!r}")
        self.idle()
        ratio = self.ratio
        told = self.js("return devicePixelRatio")
        if abs(told - ratio) > 1e-6:
            raise Failure(f"the page's device pixel ratio is {told}, not {ratio}")
        # The window's DPI as the ratio and the viewport give it: at 96 per
        # unit of ratio, rounded; on a phone the window as large as the screen
        # holds it whole, at most three times.
        if self.o.phone:  # the largest whole DPI whose window fits, tried one by one
            least, fits = math.floor(96 * Fraction(ratio)), lambda d: all(
                half_up(Fraction(c * d, 96)) <= s * Fraction(ratio) for c, s in zip(self.d.client, self.screen))
            self.dpi = max([least] + [d for d in range(least, math.floor(288 * Fraction(ratio)) + 1) if fits(d)])
        else:
            self.dpi = half_up(96 * Fraction(ratio))
        self.scale = self.dpi / 96
        box = self.js("const r = document.getElementById('frmSettings').getBoundingClientRect();"
                      "return [r.left, r.top, r.width, r.height]")
        self.origin = [round(v * ratio) for v in box[:2]]
        size = [round(v * ratio) for v in box[2:]]
        if size != [self.d.device(v) for v in self.d.client]:
            raise Failure(f"window is {size}")
        if any(abs(v * ratio - round(v * ratio)) > 0.01 for v in box[:2]):
            raise Failure(f"window origin {box[:2]} is not on a device pixel at {ratio}")
        if self.o.phone:
            self.levers = self.check_levers(box)

    def check_levers(self, box):
        # On a touch screen: the whole window on the screen, nothing to scroll,
        # and each lever's box where the design's reach puts it; their sizes in
        # CSS pixels.
        seen = self.js("const s = document.scrollingElement; return [s.scrollWidth, s.scrollHeight]")
        ends = [round((box[i] + box[i + 2]) * self.ratio) for i in (0, 1)]
        if any(end > side * self.ratio or page > side for end, page, side in zip(ends, seen, self.screen)):
            raise Failure(f"the window {box} (the page {seen}) is not whole on the screen {self.screen}")
        left, top, right, bottom = self.d.reach
        sizes = []
        for c in self.d.switches:
            x, y, w, h = c["rect"]
            want = [self.d.device(v) for v in (x - left, y - top, x + w + right, y + h + bottom)]
            got = self.js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                          "return [r.left, r.top, r.right, r.bottom]", f"pic{c['switch']}")
            got = [round(v * self.ratio) - o for v, o in zip(got, self.origin * 2)]
            if got != want:
                raise Failure(f"switch {c['switch']}'s box is {got}, not {want}")
            sizes.append(((got[2] - got[0]) / self.ratio, (got[3] - got[1]) / self.ratio))
        return sizes

    def idle(self):
        # Waits until the page has loaded and has read the answers to what it
        # asked for (a request is given up after 5 s).
        wait_for("events", lambda: self.js(
            "const w = document.getElementById('frmSettings');"
            "return !w || !w.isConnected || w.getAttribute('aria-busy') !== 'true' && !window.corvexPending"), 10)

    def close(self):
        # The next row's page replaces this one: what remains is what the page
        # could not handle.
        errors = self.browser.call("errors")
        if errors:
            raise Failure(f"the page's uncaught errors: {errors}")
        return 0

    def report_text(self):
        return self.js("const r = document.querySelector('.report'); return r ? r.innerText : ''")

    # -- looking at it -------------------------------------------------------
    def screenshot(self):
        self.idle()
        data = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=base64.b64decode(self.browser.call("shot")),
                              capture_output=True, timeout=10).stdout
        _, _, rows = ppm(data)
        x, y = self.origin
        width, height = [self.d.device(v) for v in self.d.client]
        return [row[x:x + width] for row in rows[y:y + height]]

    def read_text(self):
        # The field's text, once a click has put the focus there, as the
        # desktop rows read it (a second tap would be a double tap).
        if not self.js("return document.activeElement === document.getElementById('txtFreq')"):
            self.do("field")
        self.idle()
        return self.js("return document.getElementById('txtFreq').value")

    def tree(self):
        # The accessibility tree's named controls: role, checked, description,
        # value, focusable, and the DOM node behind each.
        nodes = {}
        for node in self.browser.cdp("Accessibility.getFullAXTree")["nodes"]:
            value = lambda key: (node.get(key) or {}).get("value")
            states = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            if not node.get("ignored") and value("name"):
                nodes[value("name")] = ((value("role"), states.get("checked"), value("description"), value("value"),
                                         states.get("focusable")), node.get("backendDOMNodeId"))
        return nodes

    def hear(self, code, text, told):
        # Every control as a screen reader hears it, the switches by the code.
        self.idle()
        wanted = {"Frequency in MHz": ("textbox", None, None, text, True),
                  "DIP switch": ("group", None, None, None, True)}
        for k, on in ((k, not (int(code) >> (k - 1)) & 1) for k in range(1, 9)):
            wanted[f"Switch {k}"] = ("checkbox", str(on).lower(), "ON" if on else "OFF", None, True)
        heard = {name: node[0] for name, node in self.tree().items()}
        wrong = [f"{name}: {heard.get(name)}" for name, want in wanted.items()  # None: not asked
                 if any(w is not None and w != h for w, h in zip(want, heard.get(name) or [0] * 5))]
        described = (heard.get("Frequency in MHz") or [None] * 3)[2]
        if (described == told[1]) != (told[0] == "1"):
            wrong.append(f"the field is described {described!r}")
        if wrong:
            raise Failure("; ".join(wrong))

    def axe(self):
        self.js(open(AXE).read())
        result = self.js(
            "return axe.run(document).then(r => r.violations.map(v => v.id + ': ' + v.help + ' ' +"
            " v.nodes.map(n => n.target.join(' ')).join(', ')), e => ['axe: ' + e]);")
        if result:
            raise Failure("axe: " + "; ".join(result))

    # -- doing things --------------------------------------------------------
    def css_point(self, x, y):
        return [(self.origin[0] + self.d.device(x) + 0.5) / self.ratio,
                (self.origin[1] + self.d.device(y) + 0.5) / self.ratio]

    def click_at(self, point, button="left", touch=True):
        if self.o.phone and button == "left" and touch:
            self.browser.call("tap", *point)
        else:
            for kind in ("move", "down", "up"):
                self.browser.call("mouse", kind, *point, button)
        self.browser.call("mouse", "move", 1, 1, "left")  # away, as the desktop rows move the pointer

    def keys(self, *names):
        self.browser.call("keys", names)

    def type(self, text):
        self.browser.call("type", text)

    def do(self, action):
        verb, _, arg = action.partition(":")
        arg = arg.replace("\\s", " ")
        if verb in ("sel", "type", "key", "tab", "put", "rm", "cue", "said") or (
                verb in ("hear", "press") and self.browser.bus):
            super().do(action)  # Firefox's and WebKit's hear and press on the accessibility bus, as Orca's
        elif verb in ("housing", "label", "field"):
            # A tap on the housing near a switch is the switch's: the browser
            # gives a finger's tap to the control nearest to it.
            self.click_at(self.css_point(*self.place(verb)), touch=verb != "housing")
            self.idle()  # a validation it started has read its pictures
        elif verb in ("click", "right"):
            self.click_at(self.css_point(*self.d.centre(f"pic{arg}")), "left" if verb == "click" else "right")
            self.idle()  # a changed picture it brought is there for the next event
        elif verb == "deactivate":  # another tab comes to the front, then this one again
            self.browser.call("deactivate")
        elif verb == "early":
            early = "const e = document.getElementById('early'); return e?.getClientRects().length > 0 && "
            painted = "performance.getEntriesByName('first-contentful-paint').length > 0 && "  # seen, then tapped
            self.click_at(wait_for("a field while the page loads", lambda: self.js(
                early + painted + "(r => [r.x + r.width / 2, r.y + r.height / 2])(e.getBoundingClientRect())"), 10))
            self.type(arg)
            if not self.js(early + "e.value === arguments[0]", arg):
                raise Failure("the window came before the text was typed")
        elif verb == "offline":
            self.idle()  # what the page asked for before has its answer
            self.server.offline = True
        elif verb == "net":  # the server slow, stalled, failing (503) for the images, or well
            self.server.mode = arg
        elif verb == "instant":  # a click on switch K, answered before the script that made it ends
            before, after = self.js(
                "const lever = document.getElementById(arguments[0]), field = document.getElementById('txtFreq');"
                "const shown = () => [field.value, lever.getAttribute('aria-checked')];"
                "const before = shown(); lever.click(); return [before, shown()];", f"pic{arg}")
            if before[0] == after[0] or before[1] == after[1]:
                raise Failure(f"a click on switch {arg} is not answered at once: {before} {after}")
        elif verb == "reopen":
            # One visit, and the browser closed once the page has been kept:
            # then started again with no network.
            wait_for("the page kept", lambda: self.js(
                "return navigator.serviceWorker.ready.then(r => !!r.active)"), 20)
            self.note_requests()
            self.browser.reopen()
            self.set_ratio(self.ratio)
            self.server.offline = True
            self.browser.go(self.server.address, first=False)
            self.wait_window()
        elif verb == "worker":  # the service worker has taken the page over
            wait_for("service worker", lambda: self.js("return !!navigator.serviceWorker.controller"), 20)
        elif verb == "update":
            self.update()
        elif verb == "installable":
            errors = self.browser.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
            if errors:
                raise Failure(f"not installable: {errors}")
        elif verb in ("requests", "unasked"):  # of the page and its worker: only its origin; never ARG
            self.note_requests()
            asked = self.asked + wait_for("the worker's requests", lambda: self.browser.call("workerAsked"), 20)
            foreign = sorted({url for url in asked if not url.startswith(self.server.address)})
            if foreign or not self.asked:
                raise Failure(f"asked of another origin: {foreign}")
            if arg and any(urllib.parse.urlparse(url).path.endswith("/" + arg) for url in asked):
                raise Failure(f"the page or its worker asked the server for {arg}")
        elif verb == "forced":  # a forced-colours (high-contrast) theme on or off
            self.browser.cdp("Emulation.setEmulatedMedia", features=[
                {"name": "forced-colors", "value": "active" if arg == "on" else "none"}])
        elif verb == "axe":
            self.axe()
        elif verb == "address":  # the page opened at an address that ends in #ARG
            self.browser.go(f"{self.server.address}#{arg}", first=False)
            self.wait_window()
            self.entries = self.js("return history.length")
        elif verb == "addressed":  # the address carries ARG now, and the history has no new entry
            wait_for(f"the address #{arg}", lambda: self.js("return location.hash") == f"#{arg}", 5)
            if self.js("return history.length") != self.entries:
                raise Failure(f"the history has {self.js('return history.length')} entries, not {self.entries}")
        elif verb == "chart":  # the chart by its link, as a screen reader reads it, and Back
            box = self.js("const a = document.querySelector('#views a'); a.scrollIntoView({block: 'center'});"
                          "const r = a.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]")
            self.click_at(box)  # followed as a person does: scrolled to, and clicked or tapped
            wait_for("the chart", lambda: self.js("return location.hash") == "#chart", 10)
            wait_for("the chart in the accessibility tree", lambda: self.read_chart() or True, 10, patient=True)
            code = sum((p == "false") << k for k, p in enumerate(self.positions()))  # ON is checked
            current = self.js("return document.querySelector('#chart [aria-current] th').firstChild.textContent")
            if current != list(self.channels())[code][0]:
                raise Failure(f"the chart marks {current} as the channel set, not code {code}")
            self.axe()
            self.js("history.back()")  # the browser's Back: the window, and the address of what is set
            wait_for("the window again", lambda: self.js("return location.hash") == f"#{(825 + code) / 10:g}" and self.js(
                "return document.getElementById('frmSettings').getClientRects().length") == 1, 10)
        elif verb == "print":
            self.print_chart()
        elif verb == "hear":
            code, text = arg.split(",")
            self.hear(code, text.replace(".", self.separator), self.told(text))
        elif verb == "press":
            # Chromium tells a screen reader of no actions over DevTools: the
            # node must be what Chromium gives a click action (a focusable
            # checkbox), and the click is sent as that action sends it, a
            # simulated click on the element. Firefox's press is the real one.
            heard, node = self.tree()[f"Switch {arg}"]
            if heard[0] != "checkbox" or heard[4] is not True:
                raise Failure(f"Switch {arg} is {heard}: no click action")
            target = self.browser.cdp("DOM.resolveNode", backendNodeId=node)
            self.browser.cdp("Runtime.callFunctionOn", objectId=target["object"]["objectId"],
                             functionDeclaration="function () { this.click(); }")
        elif verb == "restart":  # the page opened again at its own address, as its icon opens it
            self.note_requests()
            self.browser.go(self.server.address, first=False)
            self.wait_window()
        elif verb == "screen":  # a phone's screen of W x H CSS pixels; a tap on each lever's edge
            self.screen = tuple(map(int, arg.split("x")))
            self.set_ratio(self.ratio)
            wait_for("the window on the screen", lambda: self.wait_window() or True, 5, patient=True)
            # A finger's size, as WCAG's 2.5.8 and the phones' own guides have it.
            if any(w < 24 or h < 48 for w, h in self.levers):
                raise Failure(f"levers of {self.levers} CSS pixels at {self.screen}")
            for c in self.d.switches:
                before = self.positions()
                x, y, w, h = c["rect"]
                self.click_at(self.css_point(x - 1, y + h + 1))  # beside and below its picture
                flipped = [a != b for a, b in zip(before, self.positions())]
                if flipped != [k == c["switch"] for k in range(1, 9)]:
                    raise Failure(f"a tap on switch {c['switch']} flipped {flipped} at {self.screen}")
        elif verb == "ratio":  # the browser's zoom, or a move to another screen
            # As a zoom does, the viewport's size changes too: the emulation
            # tells the page of a new ratio only with a new size.
            # The block is drawn again at the new scale: its canvas takes another size.
            old = self.js("return document.getElementById('block').width")
            self.set_ratio(float(arg))
            wait_for("new scale", lambda: self.js(
                "return document.getElementById('block').width") != old, 5)
            wait_for("the window at the new scale", lambda: self.wait_window() or True, 5, patient=True)
        else:
            raise Failure(f"unknown action {action}")

    def channels(self):
        # Every channel the other way from the core's conversion: 82.5 MHz
        # and a tenth per step of the code, ON a 0 bit; the text in the
        # locale's notation; whether it lies below 87.5 MHz.
        for code in range(256):
            tenths = 825 + code
            yield (f"{tenths // 10}{self.separator}{tenths % 10}", tenths < 875,
                   ["OFF" if code >> bit & 1 else "ON" for bit in range(8)])

    def read_chart(self):
        # Tables, each a header row and then a row a channel, its frequency the
        # row's header, each switch's position in words: every channel once.
        nodes = {n["nodeId"]: n for n in self.browser.cdp("Accessibility.getFullAXTree")["nodes"]}
        value = lambda n, key: ((n.get(key) or {}).get("value") or "")

        def under(node, roles):
            for child in filter(None, map(nodes.get, node.get("childIds", []))):
                yield from [child] if value(child, "role") in roles else under(child, roles)
        header = [("columnheader", "MHz")] + [("columnheader", f"Switch {k}") for k in range(1, 9)]
        got = []
        for table in (n for n in nodes.values() if value(n, "role") == "table" and not n.get("ignored")):
            rows = [[(value(c, "role"), " ".join(value(c, "name").split()))
                     for c in under(row, {"columnheader", "rowheader", "cell"})] for row in under(table, {"row"})]
            if rows[:1] != [header]:
                raise Failure(f"a table's header row is {rows[:1]}")
            got += rows[1:]
        want = [[("rowheader", text + (f" {BELOW_BAND}" if below else ""))] + [("cell", p) for p in positions]
                for text, below, positions in self.channels()]
        wrong = [f"row {i}: {g} not {w}" for i, (g, w) in enumerate(zip(got, want)) if g != w]
        if wrong or len(got) != len(want):
            raise Failure(f"the chart has {len(got)} rows, not {len(want)}; " + "; ".join(wrong[:3]))

    def print_chart(self):
        # Printed on A4 and on Letter, portrait, as the browser prints it: one
        # sheet, every channel on it, those below the band marked with a sign
        # that no printer drops, and no word under 7 pt (a line of text is
        # at least 1.1 times its size high in every sans-serif face).
        for paper, size in (("A4", (595.28, 841.89)), ("Letter", (612, 792))):
            pdf = f"{self.o.work}/chart-{paper}.pdf"
            with open(pdf, "wb") as out:
                out.write(base64.b64decode(self.browser.call("pdf", *(v / 72 for v in size), seconds=120)))
            info = dict(re.findall(r"^([\w ]+):\s+(.*)$", sh("pdfinfo", pdf), re.M))
            pages = [float(v) for v in re.findall(r"[\d.]+", info["Page size"])[:2]]
            if info["Pages"] != "1" or any(abs(p - w) > 1 for p, w in zip(pages, size)):
                raise Failure(f"the {paper} print is {info['Pages']} pages of {info['Page size']}")
            words = [(*map(float, box), text) for *box, text in re.findall(
                r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<',
                sh("pdftotext", "-bbox", pdf, "-"))]
            small = [w for _, y0, _, y1, w in words if y1 - y0 < 7 * 1.1]
            missing = [text for text, below, _ in self.channels() if text + "*" * below not in {w[4] for w in words}]
            if small or missing:
                raise Failure(f"the {paper} print: words under 7 pt {small[:5]}, channels missing {missing[:5]}")

    def positions(self):
        self.idle()
        return self.js("return [...document.querySelectorAll('[role=checkbox]')].map(s => s.ariaChecked)")

    def note_requests(self):
        self.asked += self.js("return window.corvexAsked || []") or []

    def reload(self):
        self.note_requests()
        self.browser.call("reload")
        self.wait_window()

    def update(self):
        # A new build on the server, its module named anew as a build's is: a
        # page opened while its worker installs (its module held back) is the
        # build before, whole; after a reload, the page has the new build once
        # the new worker has taken over, and only its files and the build
        # before's (a page of it may still be loading) are kept, beside every
        # cache that is not this page's. A picture open in another tab, no page
        # of any build, holds nothing back.
        self.browser.call("beside", self.server.address + "ON_SW.bmp")
        site = f"{self.o.work}/new-site"
        shutil.rmtree(site, ignore_errors=True)
        shutil.copytree(self.o.site, site)
        page = open(f"{site}/index.html").read().replace("<head>", '<head><meta name="build" content="new">', 1)
        old, new = re.search(r"corvex_settings-[0-9a-f]{16}\.wasm", page).group(), f"corvex_settings-{'f' * 16}.wasm"
        os.rename(f"{site}/{old}", f"{site}/{new}")
        worker, ours = open(f"{site}/service-worker.js").read(), f"corvex-settings {self.server.address} "
        before, page = ours + re.search(r"shell [0-9a-f]{16}", worker).group(), page.replace(old, new)
        script = re.search(r"<script>(.*?)</script>", page, re.S).group(1)
        digest = base64.b64encode(hashlib.sha256(script.encode()).digest()).decode()
        open(f"{site}/index.html", "w").write(re.sub(r"'sha256-[^']*' 'wasm", f"'sha256-{digest}' 'wasm", page))
        open(f"{site}/service-worker.js", "w").write(re.sub(r"shell [0-9a-f]{16}", "shell new", worker).replace(old, new))
        others = ["another application", f"corvex-settings http://elsewhere/ shell {'0' * 16}"]
        self.js("return Promise.all(arguments[0].map(name => caches.open(name))).then(() => true)",
                others + [f"{ours}shell {'1' * 16}"])  # a build older than the one before
        self.server.site, self.server.mode = site, "hold"
        for build, module in (("", old), ("new", new)):
            self.reload()
            asked = self.js("return performance.getEntriesByType('resource').map(e => e.name)")
            if self.js("return !!document.querySelector('meta[name=build][content=new]')") != bool(build) \
                    or not any(url.endswith(module) for url in asked):
                raise Failure(f"the page is not the {build or 'old'} build whole: {asked}")
            if not build:  # the held module goes unanswered, and its worker is asked again
                self.server.mode = "ok"
                self.js("return navigator.serviceWorker.getRegistration().then(r => r.update()).then(() => 1, () => 1)")
                self.reload()
                wanted = sorted(others + [f"{ours}pictures", f"{ours}shell new", before, f"{ours}builds"])
                def kept():  # told with the workers' states if it never comes
                    if sorted((got := self.js(KEPT))[0]) != wanted:
                        raise Failure(f"not the new build and the one before kept: {got}")
                    return True
                wait_for("the new build and the one before kept", kept, 20, patient=True)
                # A page of the build before, still loading as the new one took over, has its module.
                if self.js("return fetch(arguments[0]).then(r => r.status)", old) != 200:
                    raise Failure(f"{old}, the build before's module, not answered once the new build took over")
        self.browser.call("beside", None)

    def expect_report(self, piece):
        wait_for("the report", lambda: self.state() == "ended", 20)
        if self.server.mode == "hold" and time.monotonic() - self.went > 5 + 3:
            raise Failure(f"a module that never came told after {time.monotonic() - self.went:.1f} s")
        text = self.report_text()
        if piece not in text or self.server.address not in text:
            raise Failure(f"the report does not name {piece!r} and {self.server.address}: {text!r}")
        if self.js("return !!document.getElementById('frmSettings')"):
            raise Failure("the window is still there beside the report")
        if "server" not in text.split("\n\n")[-2]:  # what to do: a page has no folder to put files in
            raise Failure(f"the report's hint does not say what to check on the server: {text!r}")
        self.axe()
        self.close()
        # An installed page has no address bar: the report's button starts it again.
        self.js("window.corvexBefore = true; document.querySelector('.report button').click()")
        wait_for("the page started again", lambda: self.js(
            "return !window.corvexBefore && document.documentElement.dataset.state === 'ended'"), 20, patient=True)
