# WebKitGTK, the engine of every iPhone's browser: Debian's WebKitWebDriver
# starts the MiniBrowser that comes with the library, driven through Debian's
# Selenium. It answers the requests browser.mjs answers for Chromium and
# Firefox, with what WebDriver has: no DevTools, no script before a page's own.

import os, subprocess

from run import wait_for
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.webkitgtk.options import Options

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
KEYS = {"BackSpace": Keys.BACKSPACE, "Tab": Keys.TAB, "Left": Keys.ARROW_LEFT, "Right": Keys.ARROW_RIGHT,
        "Up": Keys.ARROW_UP, "Down": Keys.ARROW_DOWN, "End": Keys.END, "Home": Keys.HOME, "space": Keys.SPACE,
        "Return": Keys.RETURN, "Escape": Keys.ESCAPE,
        "shift": Keys.SHIFT, "ctrl": Keys.CONTROL}


def listening_port(pid):
    # The port of the process's listening IPv4 socket, as the kernel lists it.
    try:  # a descriptor may close while it is read
        links = [os.readlink(f"/proc/{pid}/fd/{fd}") for fd in os.listdir(f"/proc/{pid}/fd")]
    except OSError:
        return None
    sockets = {link[8:-1] for link in links if link.startswith("socket:[")}
    for line in open("/proc/net/tcp").readlines()[1:]:
        fields = line.split()
        if fields[3] == "0A" and fields[9] in sockets:  # 0A: listening
            return int(fields[1].split(":")[1], 16)
    return None


class WebKit:
    def __init__(self):
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        # The driver takes a free port itself: nothing else can take it between
        # a check and the driver's start.
        self.server = subprocess.Popen(["/usr/bin/WebKitWebDriver", "--port=0"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port = wait_for("WebKitWebDriver listening", lambda: listening_port(self.server.pid), 10)
        self.driver = webdriver.Remote(f"http://127.0.0.1:{port}", options=options)
        self.driver.set_page_load_timeout(30)
        self.driver.set_script_timeout(30)

    def call(self, op, *args):
        return getattr(self, op)(*args)

    def go(self, url):
        self.driver.get(url)  # the test's server puts the gathering of errors first in the page

    def reload(self):
        self.driver.refresh()

    def preload(self, source):
        return None  # every request is the page's own: Chromium's rows check that

    def js(self, body, args):
        return self.driver.execute_script(f"return (async function () {{ {body} }}).apply(null, arguments)", *args)

    def viewport(self, width, height, ratio, mobile):
        pass  # the window's own, at the scale the pass started it with

    def shot(self):
        return self.driver.get_screenshot_as_base64()

    def mouse(self, kind, x, y, button):
        actions = ActionBuilder(self.driver)
        # WebDriver takes whole CSS pixels: the one the point lies in.
        actions.pointer_action.move_to_location(int(x), int(y))
        if kind != "move":
            getattr(actions.pointer_action, f"pointer_{kind}")(0 if button == "left" else 2)
        actions.perform()

    def keys(self, names):
        chain = ActionChains(self.driver)
        for name in names:
            last, *modifiers = reversed(name.split("+"))
            for modifier in modifiers:
                chain.key_down(KEYS[modifier])
            chain.send_keys(KEYS.get(last, last))
            for modifier in reversed(modifiers):
                chain.key_up(KEYS[modifier])
        chain.perform()

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def reopen(self):
        # The page's window closed and the page opened in a new one. WebDriver's
        # sessions keep no data: the browser itself stays.
        old = self.driver.current_window_handle
        self.driver.switch_to.new_window("window")
        new = self.driver.current_window_handle
        self.driver.switch_to.window(old)
        self.driver.close()
        self.driver.switch_to.window(new)

    def errors(self):
        # A page without the gathering (a copy kept from before it) fails the row.
        return self.driver.execute_script(
            "return window.corvexErrors ? corvexErrors.splice(0) : ['the test gathers no errors here']")

    def stop(self):
        try:
            self.driver.quit()
        finally:
            self.server.kill()
            self.server.wait(5)
