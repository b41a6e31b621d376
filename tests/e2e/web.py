# The end-to-end table against the web page, in Debian's Chromium, headless,
# driven through Selenium and the browser's DevTools protocol: the same rows,
# the same pixel checks on screenshots, the accessibility tree for what a
# screen reader hears, and axe-core for the rules of the web.
import base64, functools, http.server, os, shutil, subprocess, threading, urllib.parse

from run import Failure, Run, image, ppm, wait_for

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node_modules", "axe-core", "axe.min.js")
KEYS = {"Tab": Keys.TAB, "space": Keys.SPACE, "BackSpace": Keys.BACKSPACE, "End": Keys.END,
        "Home": Keys.HOME, "Left": Keys.LEFT, "Right": Keys.RIGHT, "Up": Keys.UP, "Down": Keys.DOWN,
        "shift": Keys.SHIFT, "ctrl": Keys.CONTROL}
PHONE = (360, 640)  # a phone's viewport, in CSS pixels


class Server(http.server.ThreadingHTTPServer):
    # The site as a static host serves it, with the two switch images of the
    # row's folder beside the page. Offline, it closes every connection
    # unanswered, as a network that is gone.

    def __init__(self, site):
        self.site, self.folder, self.offline = site, site, False
        super().__init__(("127.0.0.1", 0), functools.partial(Handler, directory=site))
        threading.Thread(target=self.serve_forever, daemon=True).start()
        self.address = f"http://127.0.0.1:{self.server_port}/"


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".webmanifest": "application/manifest+json"})

    def handle_one_request(self):
        if self.server.offline:
            self.close_connection = True
        else:
            super().handle_one_request()

    def translate_path(self, path):
        name = urllib.parse.urlparse(path).path.lstrip("/")
        folder = self.server.folder if name in ("ON_SW.bmp", "OFF_SW.bmp") else self.server.site
        return os.path.join(folder, name)

    def log_message(self, *args):
        pass


class Browser:
    # Chromium through chromedriver; the pass's scale, language and, for the
    # phone, a touch screen.

    errors = (WebDriverException,)

    def __init__(self, options):
        self.server = Server(options.site)
        chrome = webdriver.ChromeOptions()
        chrome.binary_location = "/usr/bin/chromium"
        lang = "de-DE" if options.locale.startswith("de") else "en-US"
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--disable-quic", f"--lang={lang}",
                         f"--user-data-dir={options.work}/profile"]:
            chrome.add_argument(argument)
        chrome.add_experimental_option("prefs", {"intl.accept_languages": lang})
        shutil.rmtree(f"{options.work}/profile", ignore_errors=True)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=chrome)
        width, height = PHONE if options.phone else (800, 600)
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=3 if options.phone else options.scale, mobile=options.phone)
        if options.phone:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        # Every request a page makes, and every one its policy stopped.
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source="""
            window.corvexAsked = [];
            new PerformanceObserver(list => corvexAsked.push(...list.getEntries().map(e => e.name)))
                .observe({type: 'resource', buffered: true});
            addEventListener('securitypolicyviolation', event => corvexAsked.push(event.blockedURI));""")

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def alive(self):
        return True

    def stop(self):
        self.driver.quit()


class WebRun(Run):
    def __init__(self, options, browser):
        self.o, self.session, self.browser, self.designs = options, browser, browser, {}
        self.server = browser.server
        self.separator = "," if options.locale.startswith("de") else "."
        self.housing = image(f"{options.resources}/picDIP_SW.bmp")
        self.lever = {name: image(f"{options.images}/{name}") for name in ("ON_SW.bmp", "OFF_SW.bmp")}
        self.scale = 3 if options.phone else options.scale
        self.dpi = round(96 * self.scale)
        self.driver, self.wid, self.proc = browser.driver, "", None
        self.asked = []

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    # -- the page ------------------------------------------------------------
    def start(self, folder):
        # Each row a first visit: no service worker, no copies of anything.
        self.note_requests()
        self.driver.get("about:blank")
        self.browser.cdp("Storage.clearDataForOrigin", origin=self.server.address[:-1], storageTypes="all")
        self.folder = self.server.folder = folder
        self.server.site, self.server.offline = self.o.site, False
        self.browser.cdp("Emulation.setEmulatedMedia", features=[])
        self.driver.get(self.server.address)

    def state(self):
        return self.js("return document.documentElement.dataset.state")

    def wait_window(self, retry=True):
        state = wait_for("page", self.state, 20)
        if state != "running":
            raise Failure(f"the page ended: {self.report_text()!r}")
        self.idle()
        self.dpi = int(self.js("return document.getElementById('frmSettings').dataset.dpi"))
        self.scale = self.dpi / 96
        ratio = self.js("return devicePixelRatio")
        box = self.js("const r = document.getElementById('frmSettings').getBoundingClientRect();"
                      "return [r.left, r.top, r.width, r.height]")
        self.origin, self.ratio = [round(v * ratio) for v in box[:2]], ratio
        size = [round(v * ratio) for v in box[2:]]
        if size != [self.d.device(v) for v in self.d.client]:
            raise Failure(f"window is {size}")
        if any(abs(v * ratio - round(v * ratio)) > 0.01 for v in box[:2]):
            raise Failure(f"window origin {box[:2]} is not on a device pixel at {ratio}")

    def idle(self):
        # Waits until the page has run every event it was given.
        wait_for("events", lambda: self.js(
            "const w = document.getElementById('frmSettings');"
            "return !w || !w.isConnected || w.getAttribute('aria-busy') !== 'true'"), 10)

    def close(self):
        return 0  # the next row's page replaces this one

    def report_text(self):
        return self.js("const r = document.querySelector('.report'); return r ? r.innerText : ''")

    # -- looking at it -------------------------------------------------------
    def screenshot(self):
        self.idle()
        shot = base64.b64decode(self.browser.cdp("Page.captureScreenshot", format="png")["data"])
        data = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=shot,
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
        # The accessibility tree's named controls: role, value, description,
        # states (checked, focusable) and the DOM node behind each.
        nodes = {}
        for node in self.browser.cdp("Accessibility.getFullAXTree")["nodes"]:
            value = lambda key: (node.get(key) or {}).get("value")
            if not node.get("ignored") and value("name"):
                nodes[value("name")] = dict({p["name"]: p["value"].get("value") for p in node.get("properties", [])},
                                            role=value("role"), value=value("value"),
                                            description=value("description"), node=node.get("backendDOMNodeId"))
        return nodes

    def hear(self, code, text):
        # Every control as a screen reader hears it, the switches by the code.
        self.idle()
        wanted = {"Frequency in MHz": {"role": "textbox", "value": text, "focusable": True},
                  "DIP switch": {"role": "group", "focusable": True}}
        for k in range(1, 9):
            on = not (int(code) >> (k - 1)) & 1
            wanted[f"Switch {k}"] = {"role": "checkbox", "checked": str(on).lower(),
                                     "description": "ON" if on else "OFF", "focusable": True}
        nodes = self.tree()
        wrong = [f"{name}: {nodes.get(name)}" for name, want in wanted.items()
                 if any((nodes.get(name) or {}).get(key) != value for key, value in want.items())]
        if wrong:
            raise Failure("; ".join(wrong))

    def axe(self):
        self.js(open(AXE).read())
        result = self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "axe.run(document).then(r => done(r.violations.map(v => v.id + ': ' + v.help + ' ' +"
            " v.nodes.map(n => n.target.join(' ')).join(', '))), e => done(['axe: ' + e]));")
        if result:
            raise Failure("axe: " + "; ".join(result))

    # -- doing things --------------------------------------------------------
    def css_point(self, x, y):
        return [(self.origin[0] + self.d.device(x) + 0.5) / self.ratio,
                (self.origin[1] + self.d.device(y) + 0.5) / self.ratio]

    def mouse(self, kind, point, button="left"):
        self.browser.cdp("Input.dispatchMouseEvent", type=kind, x=point[0], y=point[1], button=button,
                         buttons={"left": 1, "right": 2}[button] if kind == "mousePressed" else 0,
                         clickCount=1)

    def click_at(self, point, button="left", touch=True):
        if self.o.phone and button == "left" and touch:  # a tap
            for kind in ("touchStart", "touchEnd"):
                self.browser.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=[] if kind == "touchEnd" else [
                    {"x": point[0], "y": point[1]}])
        else:
            self.mouse("mouseMoved", point)
            self.mouse("mousePressed", point, button)
            self.mouse("mouseReleased", point, button)
        self.mouse("mouseMoved", [1, 1])  # away, as the desktop rows move the pointer

    def keys(self, *names):
        for name in names:
            *modifiers, key = name.split("+")
            chain = ActionChains(self.driver)
            for modifier in modifiers:
                chain.key_down(KEYS[modifier])
            chain.send_keys(KEYS.get(key, key.lower() if len(key) == 1 else key))
            for modifier in reversed(modifiers):
                chain.key_up(KEYS[modifier])
            chain.perform()

    def do(self, action):
        verb, _, arg = action.partition(":")
        arg = arg.replace("\\s", " ")
        hx, hy, hw, _ = self.d.controls["picDIP_SW"]["rect"]
        places = {"housing": (hx + hw // 2, hy + 5), "label": self.d.centre("Description"),
                  "field": self.d.centre("txtFreq")}
        if verb == "sel":
            self.keys("End", "shift+Home")
        elif verb == "type":
            ActionChains(self.driver).send_keys(arg).perform()
        elif verb in ("key", "tab"):
            self.keys(arg or "Tab")
        elif verb in places:
            # A tap on the housing near a switch is the switch's: the browser
            # gives a finger's tap to the control nearest to it.
            self.click_at(self.css_point(*places[verb]), touch=verb != "housing")
            self.idle()  # a validation it started has read its pictures
        elif verb in ("click", "right"):
            self.click_at(self.css_point(*self.d.centre(f"pic{arg}")), "left" if verb == "click" else "right")
        elif verb == "pressout":
            self.mouse("mousePressed", self.css_point(*self.d.centre(f"pic{arg}")))
            self.mouse("mouseMoved", self.css_point(*self.d.centre("Description")))
            self.mouse("mouseReleased", self.css_point(*self.d.centre("Description")))
        elif verb == "paste":
            # The browser's own paste of a text the clipboard holds.
            self.browser.cdp("Browser.grantPermissions", permissions=["clipboardReadWrite",
                                                                      "clipboardSanitizedWrite"])
            self.driver.execute_async_script("navigator.clipboard.writeText(arguments[0])"
                                             ".then(arguments[1], arguments[1])", arg)
            wait_for("clipboard", lambda: self.driver.execute_async_script(
                "navigator.clipboard.readText().then(arguments[0], () => arguments[0](''))") == arg, 5)
            self.keys("ctrl+v")
        elif verb == "deactivate":  # another tab comes to the front, then this one again
            mine = self.driver.current_window_handle
            self.driver.switch_to.new_window("tab")
            self.driver.close()
            self.driver.switch_to.window(mine)
        elif verb == "offline":
            self.server.offline = True
        elif verb == "worker":  # the service worker has taken the page over
            wait_for("service worker", lambda: self.js("return !!navigator.serviceWorker.controller"), 20)
        elif verb == "update":
            self.update()
        elif verb == "installable":
            errors = self.browser.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
            if errors:
                raise Failure(f"not installable: {errors}")
        elif verb == "requests":
            self.note_requests()
            foreign = sorted({url for url in self.asked if not url.startswith(self.server.address)})
            if foreign or not self.asked:
                raise Failure(f"asked of another origin: {foreign}")
        elif verb == "forced":  # a forced-colours (high-contrast) theme on or off
            self.browser.cdp("Emulation.setEmulatedMedia", features=[
                {"name": "forced-colors", "value": "active" if arg == "on" else "none"}])
        elif verb == "axe":
            self.axe()
        elif verb == "hear":
            code, text = arg.split(",")
            self.hear(code, text.replace(".", self.separator))
        elif verb == "press":  # an assistive technology's click on the switch's node
            target = self.browser.cdp("DOM.resolveNode", backendNodeId=self.tree()[f"Switch {arg}"]["node"])
            self.browser.cdp("Runtime.callFunctionOn", objectId=target["object"]["objectId"],
                             functionDeclaration="function () { this.click(); }")
        elif verb == "restart":
            self.reload()
        elif verb == "ratio":  # the browser's zoom, or a move to another screen
            # As a zoom does, the viewport's size changes too: the emulation
            # tells the page of a new ratio only with a new size.
            width, height = PHONE if self.o.phone else (800, 600)
            for nudge in (1, 0):
                self.browser.cdp("Emulation.setDeviceMetricsOverride", width=width - nudge, height=height,
                                 deviceScaleFactor=float(arg), mobile=self.o.phone)
            wait_for("new scale", lambda: self.js(
                "return document.getElementById('frmSettings').dataset.dpi") != str(self.dpi), 5)
            self.wait_window()
        elif verb in ("put", "rm", "cue"):
            super().do(action)
        else:
            raise Failure(f"unknown action {action}")

    def note_requests(self):
        self.asked += self.js("return window.corvexAsked || []") or []

    def reload(self):
        self.note_requests()
        self.driver.refresh()
        self.wait_window()

    def update(self):
        # A new build on the server: after a reload, the page has it once the
        # new worker has taken over, and only the new build's files are kept.
        site = f"{self.o.work}/new-site"
        shutil.rmtree(site, ignore_errors=True)
        shutil.copytree(self.o.site, site)
        with open(f"{site}/settings.css", "a") as css:
            css.write(":root { --build: new; }\n")
        worker = open(f"{site}/service-worker.js").read()
        old = worker.split("'corvex-settings-")[1].split("'")[0]
        open(f"{site}/service-worker.js", "w").write(worker.replace(old, "new"))
        self.server.site = site
        self.reload()
        kept = lambda: self.driver.execute_async_script("caches.keys().then(arguments[0])")
        wait_for("only the new build kept", lambda: sorted(kept()) == ["corvex-settings-new",
                                                                       "corvex-settings-pictures"], 20)
        self.reload()
        if self.js("return getComputedStyle(document.documentElement).getPropertyValue('--build')").strip() != "new":
            raise Failure("the page is not the new build")

    def expect_report(self, piece):
        wait_for("the report", lambda: self.state() == "ended", 20)
        text = self.report_text()
        if piece not in text or self.server.address not in text:
            raise Failure(f"the report does not name {piece!r} and {self.server.address}: {text!r}")
        if self.js("return !!document.getElementById('frmSettings')"):
            raise Failure("the window is still there beside the report")
        self.axe()
