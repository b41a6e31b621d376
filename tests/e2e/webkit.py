# WebKitGTK, the engine of every iPhone's browser: Debian's WebKitWebDriver
# starts the MiniBrowser that comes with the library, driven through Debian's
# Selenium. It answers the requests browser.mjs answers for Chromium and
# Firefox, with what WebDriver has: no DevTools, no script before a page's own.

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


class WebKit:
    def __init__(self):
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
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
        self.driver.quit()
