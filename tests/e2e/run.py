#!/usr/bin/env python3
# Runs the end-to-end table against a real program in a real window.
#
# run.py --program "CMD" | --site DIR [--phone | --firefox | --webkit] | --wayland
#        --images DIR --resources DIR --work DIR --design "CMD"
#        [--locale C|de_DE] [--scale 1|1.5|2] [--only TAG]... [--skip TAG]... [--name REGEX]
#        [--wine-prefix DIR] [--win32-probe "CMD"] [--planted-library DLL] [--folder DIR]
#
# --program starts the program; --design prints the design table at a DPI.
# --site: the web page instead, in Chromium, on a phone (a touch screen at
# three times scale, 360 x 640), in Firefox or in WebKitGTK (web.py). --wayland: the Linux
# program under a headless Wayland compositor at the scale, and no X server.
# --only (every tag given), --skip and --name pick rows by tag or name. For the Windows program: a
# Wine prefix to copy and run it in; the probe that reads it through MSAA and
# moves it to another scale; a library that notes its loading, planted under
# system libraries' names beside a copy of it. --folder starts every row in
# that folder, as it is.
#
# Each row starts the program in a folder of its own under Xvfb and openbox,
# drives it with xdotool, reads the switch block and the field's colour from a
# screenshot and its text through the clipboard, and closes it through the
# window manager. Every wait is bounded; a failing row does not stop the rest.
import argparse, bisect, glob, json, math, os, re, select, shlex, shutil, signal, subprocess, sys, time
from fractions import Fraction

TITLE, REPORT = "Settings for Corvex:", "Corvex_Settings"
BELOW_BAND = "Below the FM broadcast band"  # what a listener hears beside such a frequency
# What Wine prints when under load it cannot start a process at all.
WINE_START_FAULT = "wine: failed to map the shared user data"
ATSPI_PROBE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "atspi_probe.py")
# Every library the Windows program loads at run time, and what those load.
PLANTED = ["oleacc.dll", "oleaut32.dll", "comctl32.dll", "uxtheme.dll", "ole32.dll"]
# Loaded native first, as Windows loads a library that is not one of its known
# ones. Not ole32 (a known one on Windows): Wine's own uxtheme delay-loads it
# by a search that ignores the program's default library folders.
NATIVE_FIRST = PLANTED[:-1]


class Failure(Exception):
    pass


def half_up(value):
    return math.floor(Fraction(value) + Fraction(1, 2))


class Design:
    # The window's design, as the design table tool prints it from the window's
    # own header, at a DPI through the rule every program follows, worked out
    # here: a design pixel is DPI / 96 device pixels, halves rounded up as the
    # toolkits round a window's size; the field's border is one pixel times
    # the scale so rounded. On a phone, the arrangement for a finger.

    def __init__(self, command, dpi, phone=False):
        table = json.loads(subprocess.run(shlex.split(command), capture_output=True,
                                          timeout=60, check=True).stdout)
        self.controls, self.client = table["controls"], table["client"]
        if phone:
            self.client, self.reach = table["phoneClient"], table["leverReach"]
            for c in self.controls.values():
                c["rect"] = c["phoneRect"]
        self.table = [half_up(Fraction(p * dpi, 96)) for p in range(max(self.client) + 2)]
        self.border = max(1, half_up(Fraction(dpi, 96)))
        self.switches = sorted((c for c in self.controls.values() if c["switch"]),
                               key=lambda c: c["switch"])

    def device(self, pixel):
        # The first device pixel of a design pixel.
        return self.table[pixel]

    def design(self, pixel):
        # The design pixel a device pixel belongs to.
        return bisect.bisect_right(self.table, pixel) - 1

    def rect(self, name):
        # A control's rectangle in device pixels: x, y, width, height.
        x, y, w, h = self.controls[name]["rect"]
        return [self.device(x), self.device(y), self.device(x + w) - self.device(x),
                self.device(y + h) - self.device(y)]

    def centre(self, name):
        x, y, w, h = self.controls[name]["rect"]
        return x + w // 2, y + h // 2


def wait_for(what, check, seconds=10.0, patient=False):
    # Patient: a Failure the check raises means "not yet" (a repaint may take a
    # moment), and the last one is told if the time runs out.
    end, problem = time.monotonic() + seconds, None
    while True:
        try:
            value = check()
        except Failure as failure:
            if not patient:
                raise
            value, problem = None, failure
        if value:
            return value
        if time.monotonic() > end:
            raise problem or Failure(f"{what}: nothing after {seconds:g} s")
        time.sleep(0.05)


def sh(*args, timeout=10):
    try:
        done = subprocess.run(args, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"{args[0]} hung")
    return done.stdout.decode("utf-8", "replace")


def keys(*names):
    # Presses keys in turn; a chord such as shift+Home holds its modifiers a
    # moment around the key, since under load Wine can miss a modifier that is
    # pressed and released with the key in one go.
    names_ = {"shift": "Shift_L", "ctrl": "Control_L"}
    command = ["xdotool"]
    for name in names:
        *modifiers, key = name.split("+")
        held = [names_.get(m, m) for m in modifiers]
        for modifier in held:
            command += ["keydown", modifier, "sleep", "0.03"]
        command += ["key", key]
        for modifier in reversed(held):
            command += ["sleep", "0.03", "keyup", modifier]
    sh(*command)


def set_clipboard(data):
    # xclip stays behind to serve the selection: it must not hold our pipes.
    # It returns before it owns the clipboard, so wait until the text is there.
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=data, timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("text on the clipboard", lambda: subprocess.run(
        ["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=10).stdout == data, 5)


def ppm(data):
    # Width, height and rows of RGB triples of a binary PPM as ImageMagick writes it.
    try:
        _, size, _, pixels = data.split(b"\n", 3)
        width, height = map(int, size.split())
    except ValueError:  # no picture: the window, or the program, is gone
        raise Failure(f"no screenshot ({len(data)} bytes)")
    return width, height, [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])
                             for x in range(width)] for y in range(height)]


def image(path):
    return ppm(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, timeout=10).stdout)[2]


class Session:
    # A private X display with a window manager, started again if it dies.

    def __init__(self, dpi, work):
        self.dpi, self.work, self.procs = dpi, work, []
        for attempt in range(3):
            try:
                return self.start()
            except Failure as failure:
                print(f"session: {failure}; {'retrying' if attempt < 2 else 'giving up'}")
                self.stop()
        raise Failure("no X session")

    def start(self):
        # Xvfb takes a free display itself and tells which: nothing another
        # session could take between a check and the start.
        told, tell = os.pipe()
        self.log = open(f"{self.work}/session.log", "ab")
        self.procs.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(tell), "-screen", "0", "1024x768x24", "-dpi", str(self.dpi),
             "-nolisten", "tcp"], stdout=self.log, stderr=self.log, pass_fds=(tell,)))
        os.close(tell)
        with os.fdopen(told) as answer:
            if not select.select([answer], [], [], 10)[0] or not (number := answer.readline().strip()):
                raise Failure("Xvfb told no display")
        os.environ["DISPLAY"] = f":{number}"
        # No bindings for a click in a window: openbox would hold each press (a
        # synchronous grab) until it has run them, and on a loaded machine the
        # warp of the pointer away overtook the held release, and a click was lost.
        config = f"{self.work}/openbox.xml"
        open(config, "w").write(re.sub(r'<context name="Client">.*?</context>', "",
                                       open("/etc/xdg/openbox/rc.xml").read(), flags=re.S))
        self.wm = subprocess.Popen(["openbox", "--sm-disable", "--config-file", config], stdout=self.log, stderr=self.log)
        self.procs.append(self.wm)
        wait_for("window manager", lambda: self.alive() and "window id" in
                 sh("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), 10)

    def alive(self):
        if any(p.poll() is not None for p in self.procs):
            raise Failure("Xvfb or openbox ended")
        return True

    def stop(self):
        for proc in reversed(self.procs):
            proc.kill()
            proc.wait(5)
        self.procs = []


class Run:
    ACTIONS = ["Toggle", "Press"]  # a switch's actions on the Linux accessibility bus

    def __init__(self, options, session):
        self.o, self.session, self.scale = options, session, options.scale
        self.dpi, self.designs = round(96 * options.scale), {}
        locale = f"{options.locale}.UTF-8"
        self.env = dict(os.environ, WINEDEBUG="-all,err+all", QT_SCALE_FACTOR=str(options.scale),
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL=locale, LANG=locale)
        self.atspi = not options.wine_prefix and bool(os.environ.get("DBUS_SESSION_BUS_ADDRESS"))
        if not (self.atspi or options.wine_prefix or options.site):
            sys.exit("FAIL: no session bus, and so no screen reader for the Linux program")
        self.read_aloud = self.atspi  # by Orca: the Linux program on X, and Firefox's page
        if self.atspi:
            self.probe("wake")  # the program asks for the bus once, at its start
        if options.wine_prefix:
            # A private copy: the scale set here must not reach other runs.
            prefix = f"{options.work}/wineprefix"
            shutil.rmtree(prefix, ignore_errors=True)
            subprocess.run(["cp", "-a", options.wine_prefix, prefix], check=True, timeout=120)
            self.env["WINEPREFIX"] = prefix
            for key in (r"HKCU\Control Panel\Desktop",
                        r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
                subprocess.run(["wine", "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                                str(self.dpi), "/f"], env=self.env, timeout=60,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.separator = "," if options.locale.startswith("de") else "."
        images = options.resources
        self.housing = image(f"{images}/picDIP_SW.bmp")
        self.lever = {name: image(f"{options.images}/{name}") for name in ("ON_SW.bmp", "OFF_SW.bmp")}
        self.proc = self.wid = None
        self.retried = False

    @property
    def d(self):
        # The design at the window's DPI now.
        if self.dpi not in self.designs:
            self.designs[self.dpi] = Design(self.o.design, self.dpi, self.o.phone)
        return self.designs[self.dpi]

    # -- the program -------------------------------------------------------
    def start(self, folder):
        self.folder = folder
        command, env = shlex.split(self.o.program), self.env
        if os.path.exists(f"{folder}/{PLANTED[0]}"):  # the copy that has them beside it
            command[-1] = f"{folder}/{os.path.basename(command[-1])}"
            # Native first, as Windows loads them: only the search order keeps them out.
            env = dict(env, WINEDLLOVERRIDES=",".join(n[:-4] for n in NATIVE_FIRST) + "=n,b")
        with open(f"{folder}/stderr.txt", "ab") as errors:
            self.proc = subprocess.Popen(command, cwd=folder, env=env,
                                         stdout=subprocess.DEVNULL, stderr=errors)

    def visible(self, title):
        return sh("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()

    def wait_window(self):
        self.dpi, self.scale = round(96 * self.o.scale), self.o.scale
        try:
            self.wid = wait_for("settings window", lambda: self.visible(TITLE) or self.ended(), 20)[0]
        except Failure:
            # Under load Wine may fail to start a process at all, before any of
            # its code runs: once a pass, that start is made again, and said.
            if not (self.o.wine_prefix and not self.retried and WINE_START_FAULT in self.stderr()):
                raise
            self.retried = True
            print(f"note: Wine could not start the program; started again: {self.stderr()!r}")
            self.start(self.folder)
            return self.wait_window()
        sh("xdotool", "windowactivate", "--sync", self.wid)
        wait_for("window active", lambda: sh("xdotool", "getactivewindow").strip() == self.wid, 5)
        # The window manager calls it active before the program has taken the
        # focus in: under load, the first keys went astray (a Tab, the shift of
        # shift+Home). Wait for the field's focus where a probe can see it.
        self.probe("focus")
        self.check_window()

    def ended(self):
        if self.proc.poll() is not None:
            raise Failure(f"program ended with status {self.proc.returncode}: {self.stderr()}")

    def stderr(self):
        with open(f"{self.folder}/stderr.txt", encoding="utf-8", errors="replace") as errors:
            return errors.read().strip()

    def close(self):
        sh("wmctrl", "-i", "-c", self.wid)
        return self.wait_exit()

    def wait_exit(self):
        try:
            return self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.stop()
            raise Failure("the program did not end")

    # -- looking at it -----------------------------------------------------
    def screenshot(self):
        self.ended()
        data = subprocess.run(["import", "-window", self.wid, "-depth", "8", "ppm:-"], capture_output=True,
                              timeout=10).stdout
        width, height, rows = ppm(data)
        if [width, height] != [self.d.device(v) for v in self.d.client]:
            raise Failure(f"window is {width} x {height}")
        return rows

    def settled_screenshot(self):
        # A screenshot whose switch block reads cleanly and the same twice in a
        # row: a repaint, or a fading tooltip, may take a moment.
        previous = [None]
        def attempt():
            shot, before, previous[0] = self.screenshot(), previous[0], None
            previous[0] = code = str(self.drawn_code(shot))
            return code == before and (shot, code)
        return wait_for("switch block", attempt, 30, patient=True)

    def check_window(self):
        hints = sh("xprop", "-id", self.wid, "WM_NORMAL_HINTS", "_NET_WM_ALLOWED_ACTIONS")
        size = " by ".join(str(self.d.device(v)) for v in self.d.client)
        if f"minimum size: {size}" not in hints or f"maximum size: {size}" not in hints:
            raise Failure(f"not a fixed {size} window: {hints}")
        if "MAXIMIZE" in hints or "RESIZE" in hints:
            raise Failure(f"the window manager may resize it: {hints}")

    def drawn_code(self, shot, cue=0):
        # The code the switches show; every device pixel of the block as the
        # pictures drawn through the design-to-device mapping give it, no white;
        # switch `cue` instead with a focus cue: pixels that neither picture has.
        # A cue of "housing" is on the housing's own pixels.
        d = self.d
        hx, hy, hw, hh = d.controls["picDIP_SW"]["rect"]
        slots = [(sx - hx, sy - hy, w, h) for sx, sy, w, h in (c["rect"] for c in d.switches)]
        shown = [set(self.lever) for _ in slots]
        cued = 0  # housing pixels a cue changed
        for Y in range(d.device(hy), d.device(hy + hh)):
            y = d.design(Y) - hy
            for X in range(d.device(hx), d.device(hx + hw)):
                x, pixel = d.design(X) - hx, shot[Y][X]
                slot = next((k for k, (sx, sy, w, h) in enumerate(slots)
                             if sx <= x < sx + w and sy <= y < sy + h), None)
                if slot is None:
                    if pixel != self.housing[y][x]:
                        if cue != "housing":
                            raise Failure(f"housing pixel {x},{y} is {pixel}")
                        cued += 1
                    continue
                sx, sy = slots[slot][:2]
                shown[slot] -= {name for name in shown[slot]
                                if self.lever[name][y - sy][x - sx] != pixel}
        if cue == "housing" and not cued:
            raise Failure("the housing shows no focus cue")
        code = 0
        for k, names in enumerate(shown):
            if (str(k + 1) == str(cue)) == bool(names):
                raise Failure(f"switch {k + 1} shows {'no focus cue' if names else 'neither image'}")
            code |= (names == {"OFF_SW.bmp"}) << k
        return code

    def check_border(self, shot):
        # The field's thin border is one pixel at scale 1 and the scale rounded
        # on all four sides at every scale, with nothing drawn just outside it.
        x, y, w, h = self.d.rect("txtFreq")
        edge, face = shot[y][x], shot[2][2]
        def run(points):
            return next((n for n, (px, py) in enumerate(points) if shot[py][px] != edge), len(points))
        widths = [run([(x + i, y + h // 2) for i in range(h // 2)]),
                  run([(x + w - 1 - i, y + h // 2) for i in range(h // 2)]),
                  run([(x + w // 2, y + i) for i in range(h // 2)]),
                  run([(x + w // 2, y + h - 1 - i) for i in range(h // 2)])]
        outside = [shot[y + h // 2][x - 1], shot[y + h // 2][x + w], shot[y - 1][x + w // 2],
                   shot[y + h][x + w // 2]]
        if widths != [self.d.border] * 4 or any(p != face for p in outside):
            raise Failure(f"field border left, right, top, bottom {widths}, outside {outside}")

    def told(self, text):
        # A frequency below the broadcast band is told as the field's
        # description ("1"), which otherwise is anything else, its tip say ("0").
        return ["1" if float(text) < 87.5 else "0", BELOW_BAND]

    def colour(self, shot):
        x, y, w, h = self.d.rect("txtFreq")
        margin = self.d.device(3)
        inner = [p for row in shot[y + margin:y + h - margin] for p in row[x + margin:x + w - margin]]
        red = sum(r > 150 and g < 100 and b < 100 for r, g, b in inner)
        dark = sum(r < 100 and g < 100 and b < 100 for r, g, b in inner)
        marked = sum(max(p) - min(p) > 40 for p in inner) - red
        area = int(150 * self.scale ** 2)  # a text's worth; a caret is less
        if red >= area and dark < area:
            return "red"
        if marked >= area and dark < area and red == 0:
            return "marked"
        if dark >= area and red == 0:
            return "black"
        return f"unclear ({red} red, {dark} dark pixels)"

    def check_icons(self):
        # The window's big and small icons, as the window manager gets them, are
        # the sizes Windows asks for at the window's scale. The icon file holds an
        # image of each size (the identity test), so none is scaled from another.
        wanted = [(32 * self.dpi + 48) // 96, (16 * self.dpi + 48) // 96]
        def shown():
            values = sh("xprop", "-id", self.wid, "-notype", "32c", "_NET_WM_ICON").partition("=")[2]
            values, i, sizes = [int(v) for v in values.replace("\n", " ").split(",") if v.strip()], 0, []
            while i + 2 <= len(values):
                sizes.append(values[i])
                i += 2 + values[i] * values[i + 1]
            if sorted(sizes, reverse=True) != wanted:
                raise Failure(f"icons {sizes}, not {wanted}")
            return True
        wait_for("icons", shown, 3, patient=True)

    def read_text(self):
        # The field's text as a copy puts it on the clipboard. No row ends with
        # an empty field: a copy that puts nothing there fails the row.
        for attempt in range(3):  # a clipboard shared with Wine settles asynchronously
            sentinel = f"<nothing {attempt}>"
            set_clipboard(sentinel.encode())
            self.do("field")
            keys("End", "shift+Home", "ctrl+c")
            try:
                return wait_for("clipboard", lambda: (lambda t: t != sentinel and t)(
                    sh("xclip", "-o", "-selection", "clipboard")), 1.5)
            except Failure:
                pass
        raise Failure("the field's text never reached the clipboard")

    # -- doing things ------------------------------------------------------
    keys = staticmethod(keys)

    def type(self, text):
        sh("xdotool", "type", "--delay", "30", text)

    def place(self, name):
        # Where a click on the housing (above the slots), the label, the field or a control goes.
        hx, hy, hw, _ = self.d.controls["picDIP_SW"]["rect"]
        return {"housing": (hx + hw // 2, hy + 5), "label": self.d.centre("Description"),
                "field": self.d.centre("txtFreq")}.get(name) or self.d.centre(name)

    def probe(self, *args):
        # Runs the screen reader's and the system's stand-in: the MSAA probe for
        # the Windows program, the AT-SPI one for the Linux program.
        command = shlex.split(self.o.win32_probe) if self.o.win32_probe else ["/usr/bin/python3", ATSPI_PROBE]
        for attempt in range(2):
            done = subprocess.run(command + list(args), env=self.env, capture_output=True, timeout=60)
            self.probed = (done.stdout + done.stderr).decode(errors="replace").replace("\r", "")
            # Seen once under load: Wine could not start the probe at all. Not
            # the program's doing: once more.
            if WINE_START_FAULT not in self.probed:
                break
        if done.returncode != 0:
            raise Failure(f"{args[0]}: {self.probed!r}")

    def point(self, x, y):
        return str(self.d.device(x)), str(self.d.device(y))

    # The table's actions:
    #          sel (select the field's text) | type:TEXT (\s is a blank) | key:KEYS | tab
    #          click:K (switch K) | right:K | pressout:K (press on K, release outside)
    #          housing | label | field (a click there) | deactivate (another client takes
    #          the focus) | paste:TEXT | put:NAME=OTHER (replace an image while running)
    #          rm:NAME | restart (close through the window manager, start again)
    #          hear:CODE,TEXT (screen readers hear these switches and this text: MSAA, AT-SPI)
    #          press:K (a screen reader performs switch K's action) | cue:K (switch K shows a
    #          focus cue and no other does; 0: none does; housing: the housing does)
    #          keep:K (switch K's accessible
    #          object, kept across a click, answers the new position)
    #          dpi:N (the window moves to a monitor of N dots per inch)
    #          tips:N (the window's tooltips hold N tools) | icons (the window's icons, as
    #          the window manager gets them, are the icon file's images at the sizes the
    #          system asks for at the window's scale)
    #          leak:KIB (50 moves between scales, colour changes and 200 clicks grow the
    #          program's anonymous resident memory by less than KIB)
    #          web only: early:TEXT (typed into the page's field while the module is still
    #          coming, first of all actions) | ratio:R (the page's device pixel ratio becomes R: zoom, another
    #          screen) | offline (the network goes: every connection closed unanswered) | forced (forced colours: on or off) | axe (axe-core
    #          finds nothing wrong in the page) | worker (the service worker has taken the page
    #          over) | update (a new build on the server: a reload later the page is it, and only
    #          its files are kept) | installable (the browser finds nothing against installing it)
    #          | requests, unasked:NAME (every request so far of the page and its worker was for
    #          the page's own origin, and none for NAME: the housing is in the module) | net:slow|stall|
    #          503|ok (the server gives the images 0.4 s late, never, refused, or well) |
    #          instant:K (a click on switch K is answered before the script that made it
    #          ends) | reopen (the browser closed once the page is kept, and started again on
    #          the same profile with no network) | screen:WxH (a phone's screen
    #          of W x H CSS pixels: the window whole on it, each lever's box as the design
    #          reaches it and a finger's size, a tap at its edge flipping that switch alone)
    #          | address:FRAG (the page opened at an address ending in #FRAG) | addressed:F (the
    #          address ends in #F, and the history has no entry more) | chart (the chart by its
    #          link, read as a table, and back) | print (the chart printed on A4 and Letter)
    def do(self, action):
        verb, _, arg = action.partition(":")
        arg = arg.replace("\\s", " ")
        move = ["xdotool", "mousemove", "--window", self.wid]
        away = ["mousemove", "1010", "750"]  # no tooltip may cover the window
        if verb == "sel":
            self.keys("End", "shift+Home")
        elif verb == "type":
            self.type(arg)
        elif verb in ("key", "tab"):
            self.keys(arg or "Tab")
        elif verb in ("housing", "label", "field"):
            sh(*move, *self.point(*self.place(verb)), "click", "1", *away)
            if verb == "housing" and (self.o.win32_probe or self.atspi):
                self.probe("blur")  # the click is handled: the field has validated
        elif verb in ("click", "right"):
            sh(*move, *self.point(*self.place(f"pic{arg}")), "click", "1" if verb == "click" else "3", *away)
        elif verb == "pressout":
            # A drag is relative motion: a warp of the pointer is no drag.
            x, y = self.point(*self.place(f"pic{arg}"))
            label = self.point(*self.place("label"))
            sh(*move, x, y, "mousedown", "1", "mousemove_relative", "--", str(int(label[0]) - int(x)),
               str(int(label[1]) - int(y)), "mouseup", "1", *away)
        elif verb == "paste":
            set_clipboard(arg.encode())
            keys("ctrl+v")
        elif verb == "deactivate":
            other = subprocess.Popen(["xmessage", "-title", "Other", "other"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wid = wait_for("other window", lambda: self.visible("Other"), 5)[0]
                sh("xdotool", "windowactivate", "--sync", wid)
                wait_for("other active", lambda: sh("xdotool", "getactivewindow").strip() == wid, 5)
            finally:
                other.kill()
                other.wait(5)
            sh("xdotool", "windowactivate", "--sync", self.wid)
            wait_for("window active", lambda: sh("xdotool", "getactivewindow").strip() == self.wid, 5)
        elif verb == "put":
            name, source = arg.split("=")
            shutil.copy(f"{self.o.images}/{source}", f"{self.folder}/{name}.new")
            os.replace(f"{self.folder}/{name}.new", f"{self.folder}/{name}")
        elif verb == "dpi":  # the window moves to a monitor of this DPI
            self.probe("move", arg)
            self.dpi, self.scale = int(arg), int(arg) / 96
        elif verb == "leak":  # KiB the resident memory may grow by over 50 rounds of churn
            self.probe("churn", "10", str(self.dpi))  # warm-up: every cache and pool made once
            # KiB of the program's own memory resident, as the kernel counts it: the
            # anonymous pages, not the shared files' that come and go. Wine runs the
            # program in the process it was started as.
            resident = lambda: int(re.search(r"RssAnon:\s*(\d+)", open(f"/proc/{self.proc.pid}/status").read()).group(1))
            before = resident()
            self.probe("churn", "50", str(self.dpi))
            grown = resident() - before
            print(f"note: anonymous resident {before} KiB, {grown:+} KiB after 50 moves, 50 colour "
                  f"changes and 200 clicks; {self.probed.strip()!r}")
            if grown >= int(arg):
                raise Failure(f"resident memory grew by {grown} KiB")
            # A brush, font or picture made per round and never freed would be
            # 50 more objects; Wine makes some of its own lazily (0 to 12 seen,
            # the most on a loaded machine): half of 50 tells them apart.
            gdi, gdi_after = [int(re.search(rf"{when}: (\d+) GDI", self.probed).group(1))
                              for when in ("before", "after")]
            if not gdi or gdi_after - gdi >= 25:
                raise Failure(f"{gdi} GDI objects before, {gdi_after} after")
        elif verb == "icons":
            self.check_icons()
        elif verb == "tips":  # the number of tools the window's tooltips must have
            self.probe("tips", arg)
        elif verb == "hear":  # code,text: what a screen reader must hear now
            code, text = arg.split(",")
            told = self.told(text)
            text = text.replace(".", self.separator)
            # Qt's bridge gives its own unscaled pixels: the design's. A page's
            # places are the browser's.
            where = {c["name"]: c["rect"] for c in self.d.controls.values() if c["name"] and not self.o.site}
            self.probe("hear", code, text, *told, *([] if self.o.win32_probe else [json.dumps(where)]))
        elif verb == "press":  # a screen reader performs switch K's action, by its name
            self.probe("press", arg, *([] if self.o.win32_probe else self.ACTIONS))
        elif verb == "said":  # Orca has said TEXT, '.' the locale's separator, once
            text = arg.replace(".", self.separator)
            wait_for(f"Orca saying {text!r}", lambda: self.said(text), 10)
            self.spoken.append(text)
        elif verb == "keep":  # switch K's object, kept across a click, is still true
            self.probe("keep", arg)
        elif verb == "cue":  # switch K shows a focus cue and no other does; 0: none does
            wait_for("focus cue", lambda: self.drawn_code(self.screenshot(), cue=arg) + 1, 10, patient=True)
        elif verb == "rm":
            os.remove(f"{self.folder}/{arg}")
        elif verb == "restart":
            if self.close() != 0:
                raise Failure(f"closing ended with status {self.proc.returncode}")
            self.start(self.folder)
            self.wait_window()
        else:
            raise Failure(f"unknown action {action}")
        time.sleep(0.05)

    def make_files(self, folder, layout):
        if self.o.folder:
            return
        os.makedirs(folder)
        if layout == "planted":
            # First, that a load leaves its mark: a copy loaded by its path.
            shutil.copy(self.o.planted_library, f"{folder}/control.dll")
            self.probe("load", "Z:" + f"{folder}/control.dll".replace("/", "\\"))
            if not os.path.exists(f"{folder}/control.dll.loaded"):
                raise Failure("the planted library leaves no mark when it is loaded")
            for name in ("control.dll", "control.dll.loaded"):
                os.remove(f"{folder}/{name}")
            shutil.copy(shlex.split(self.o.program)[-1], folder)
            for name in PLANTED:
                shutil.copy(self.o.planted_library, f"{folder}/{name}")
        for name in ([] if layout == "none" else [layout[5:]] if layout.startswith("only:")
                     else ["ON_SW.bmp", "OFF_SW.bmp"]):
            shutil.copy(f"{self.o.images}/{name}", folder)
        if "=" in layout:
            name, kind = layout.split("=")
            good = open(f"{self.o.images}/{name}", "rb").read()
            huge = bytearray(good[:54])
            huge[18:26] = (16384).to_bytes(4, "little") * 2
            os.remove(f"{folder}/{name}")
            if kind == "folder":
                os.mkdir(f"{folder}/{name}")
            elif kind == "fifo":
                os.mkfifo(f"{folder}/{name}")
            else:
                content = {"empty": b"", "garbage": b"not a picture\n", "cut300": good[:300],
                           "huge": bytes(huge), "oversize": good.ljust(300000, b"\0")}[kind]
                open(f"{folder}/{name}", "wb").write(content)

    # -- one row -----------------------------------------------------------
    # The table's columns:
    # files:   good (both images) | none | only:NAME | NAME=empty|garbage|cut300|folder|fifo|huge|oversize
    #          planted (both images, and a copy of the program with libraries planted beside
    #          it under the names of the system's, which must not load) | stall (web: both
    #          images, on a server that never answers for them)
    # colour:  the field's text: black, red, or marked (a colour of the theme's own, not
    #          its text colour: forced colours drop the red)
    # text:    read back through the clipboard; '.' is the locale's separator unless the
    #          text starts with '='; with status 1, a piece of the report instead
    # code:    the switch code the eight pictures show
    # tags:    core: the core's unit table plays the row, no window is needed to show it;
    #          x2 also at other scales; de also in German; finger also on a phone; ff also
    #          in Firefox and WebKit; qt, win or web for one program only, desk for the two
    #          desktop programs; zoom not in WebKit; phone only on a phone
    def listen(self):
        # Debian's screen reader beside the program, with settings of its own and
        # its voice on, as a user's (it speaks live regions only then; nothing
        # sounds here): what it says is in its debug log, written line by line.
        prefs, log = f"{self.o.work}/orca", f"{self.o.work}/orca.log"
        shutil.rmtree(prefs, ignore_errors=True)
        os.makedirs(prefs)
        if os.path.exists(log):
            os.remove(log)
        open(f"{prefs}/orca-customizations.py", "w").write(
            "import orca.debug\norca.debug.debugFile.reconfigure(line_buffering=True)\n")
        orca = subprocess.Popen(["orca", f"--debug-file={log}", "-u", prefs], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("Orca", lambda: orca.poll() is None and os.path.exists(log)
                 and "ORCA: Starting ATSPI registry." in open(log, errors="replace").read(), 30)
        return orca

    def utterances(self):
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", open(f"{self.o.work}/orca.log", errors="replace").read())

    def said_once(self):
        # What it said of the last action, not said again by the next one or
        # by the row's end.
        for text in self.spoken:
            self.said(text)
        self.spoken = []

    def said(self, text):
        # Orca has said these words once since the last action, within an utterance.
        # Before the first, at least once: Orca may present the focus again as the
        # page finishes loading, or read the whole page.
        spoken = self.utterances()[self.heard:]
        if (times := sum(bool(re.search(rf"(^|\s){re.escape(text)}($|[\s,.])", u)) for u in spoken)) > 1 \
                and self.heard:
            raise Failure(f"Orca said {text!r} {times} times: {spoken}")
        return times >= 1

    def folder_for(self, number, files):
        folder = self.o.folder or f"{self.o.work}/{number:02d} Jürgen デスク"  # a user's folder, beyond ASCII
        if not self.o.folder:
            shutil.rmtree(folder, ignore_errors=True)
        self.make_files(folder, files)
        return folder

    def row(self, number, name, files, actions, text, colour, code, status):
        folder = self.folder_for(number, files)
        self.session.alive()
        self.orca, self.heard = self.listen() if any(a.startswith("said:") for a in actions) else None, 0
        self.spoken = []
        self.start(folder)
        try:
            if status == "1" and not actions:
                return self.expect_report(text)
            while actions and actions[0].startswith("early:"):  # before the window is there
                self.do(actions.pop(0))
            self.wait_window()
            for action in actions:
                if self.orca and not action.startswith("said:"):
                    self.said_once()
                    self.heard = len(self.utterances())  # what it says of this action, from here on
                self.do(action)
            if status == "1":
                return self.expect_report(text)
            # Reading the text goes first: once the copy arrives, the program has
            # handled every key and click before it. Then End drops the selection.
            text_shown = self.read_text()
            self.said_once()
            self.keys("End")
            shot, code_shown = self.settled_screenshot()
            self.check_border(shot)
            got = {"code": code_shown, "colour": self.colour(shot), "text": text_shown}
            if text.startswith("="):
                text = text[1:].replace("\\s", " ")
            else:
                text = text.replace(".", self.separator)
            wanted = {"code": code, "colour": colour, "text": text}
            wrong = [f"{key} {got[key]!r}, not {wanted[key]!r}" for key in wanted if got[key] != wanted[key]]
            if self.close() != 0:
                wrong.append(f"closing ended with status {self.proc.returncode}")
            wrong += [f"{name} was loaded" for name in os.listdir(folder) if name.endswith(".loaded")]
            if wrong:
                raise Failure("; ".join(wrong))
        finally:
            self.stop()
            if self.orca:
                self.orca.kill()
                self.orca.wait(10)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(5)

    def expect_report(self, piece):
        box = wait_for("error report", lambda: self.visible(REPORT) or self.ended(), 20)[0]
        if self.visible(TITLE):
            raise Failure("the settings window shows beside the report")
        # The box as a screen reader reads it out, and standard error.
        self.probe("report")
        shown = self.probed
        folders = (self.folder, "Z:" + self.folder.replace("/", "\\"))  # as Wine names it
        for where, said in (("the box", shown), ("stderr", self.stderr())):
            if piece not in said or not any(folder in said for folder in folders):
                raise Failure(f"{where} does not name {piece!r} and the folder: {said!r}")
        sh("wmctrl", "-i", "-c", box)
        if self.wait_exit() != 1:
            raise Failure(f"ended with status {self.proc.returncode} after the report, not 1")


class Weston(Session):
    # A headless Wayland compositor at a whole scale, and no X server at all.

    def start(self):
        runtime = f"{self.work}/runtime"
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        os.environ.pop("DISPLAY", None)
        os.environ.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="corvex")
        self.log = open(f"{self.work}/session.log", "ab")
        self.procs.append(subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", f"--scale={self.dpi // 96}",
             "--debug", "--socket=corvex", "--idle-time=0"], stdout=self.log, stderr=self.log))
        wait_for("weston", lambda: self.alive() and os.path.exists(f"{runtime}/corvex"), 10)


class WaylandRun(Run):
    # The Linux program drawn natively at the compositor's scale: the window is
    # found in the compositor's screenshot by the housing's first row of pixels.

    def __init__(self, options, session):
        super().__init__(options, session)
        del self.env["QT_SCALE_FACTOR"]
        self.env["QT_QPA_PLATFORM"] = "wayland"
        self.read_aloud = False

    def screenshot(self):
        self.ended()
        for old in glob.glob(f"{self.o.work}/wayland-screenshot-*.png"):
            os.remove(old)
        subprocess.run(["weston-screenshooter"], cwd=self.o.work, env=self.env, capture_output=True,
                       timeout=10)
        shots = glob.glob(f"{self.o.work}/wayland-screenshot-*.png")
        if not shots:
            raise Failure("no screenshot")
        shot = image(shots[0])
        d, (hx, hy, hw, _) = self.d, self.d.controls["picDIP_SW"]["rect"]
        first = [self.housing[0][d.design(X) - hx] for X in range(d.device(hx), d.device(hx + hw))]
        for Y, row in enumerate(shot):
            X = next((X for X in range(len(row) - len(first))
                      if row[X] == first[0] and row[X:X + len(first)] == first), -1)
            if X >= 0:
                left, top = X - d.device(hx), Y - d.device(hy)
                return [line[left:left + d.device(d.client[0])]
                        for line in shot[top:top + d.device(d.client[1])]]
        raise Failure("no window in the compositor's screenshot")

    def row(self, number, name, files, actions, text, colour, code, status):
        self.start(self.folder_for(number, files))
        try:
            shot, shown = self.settled_screenshot()
            if shown != code:
                raise Failure(f"code {shown}, not {code}")
            # Drawn at one scale and enlarged, every 2 x 2 block is one colour.
            step = self.dpi // 96
            if all(len({shot[y + j][x + i] for i in range(step) for j in range(step)}) == 1
                   for y in range(0, len(shot) - step + 1, step) for x in range(0, len(shot[0]) - step + 1, step)):
                raise Failure("drawn at scale 1 and enlarged")
            self.ended()  # still running: nothing in the row ended it
        finally:
            self.stop()


def main():
    parser = argparse.ArgumentParser()
    for option in ("images", "resources", "work", "design"):
        parser.add_argument("--" + option, required=True)
    for option in ("program", "wine-prefix", "folder", "win32-probe", "planted-library", "site"):
        parser.add_argument("--" + option)
    for flag in ("phone", "firefox", "webkit", "wayland"):
        parser.add_argument("--" + flag, action="store_true")
    parser.add_argument("--locale", default="C")
    parser.add_argument("--scale", type=float, default=1)
    parser.add_argument("--only", action="append", default=[])
    parser.add_argument("--skip", action="append", default=[])
    parser.add_argument("--name", default="")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    # A test runner's time-out ends us with SIGTERM: still take the session down.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    table = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases.txt")
    rows = [([cell.strip() for cell in line.split("|")] + [""])[:8]
            for line in open(table, encoding="utf-8") if line.strip() and not line.startswith("#")]
    if options.site:
        sys.modules.setdefault("run", sys.modules[__name__])  # one Failure class for both
        from web import Browser, WebRun
        session = Browser(options)
    else:
        session = (Weston if options.wayland else Session)(round(96 * options.scale), options.work)
    failures, ran, started = [], 0, time.monotonic()
    try:
        run = (WebRun if options.site else WaylandRun if options.wayland else Run)(options, session)
        for number, (name, files, actions, text, colour, code, status, tags) in enumerate(rows, 1):
            tags = tags.split()
            if not set(options.only) <= set(tags) or {"core", *options.skip} & set(tags) \
                    or ("phone" in tags and not options.phone) \
                    or ("orca" in tags and not run.read_aloud) \
                    or not re.search(options.name, name):
                continue
            ran += 1
            try:
                run.row(number, name, files, actions.split(), text, colour, code, status)
                print(f"ok   {name}")
            except (Failure, OSError, subprocess.SubprocessError, *getattr(session, "errors", ())) as failure:
                failures.append(name)
                print(f"FAIL {name}: {failure}")
    finally:
        if options.wine_prefix:
            subprocess.run(["wineserver", "-k"], timeout=20,
                           env=dict(os.environ, WINEPREFIX=f"{options.work}/wineprefix"))
        session.stop()
    print(f"{len(failures)} of {ran} rows failed ({options.locale}, scale {options.scale}, "
          f"{time.monotonic() - started:.0f} s)")
    if not ran:
        print("FAIL: no row matches the pass's filters")
    return 1 if failures or not ran else 0


if __name__ == "__main__":
    sys.exit(main())
