#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The page as a user meets it, in headless Chromium, served from 127.0.0.1:
# typed tasks and their display lines (the table tests/qt and tests/win32 use),
# the keypad, Up/Down, a directive from the menu, Save's bytes, task files good
# and bad with progress and Cancel, every control's accessible name and the
# live region, the order of Tab, settings kept over a reload or not kept at
# all, and a reload with the server stopped. Takes the pictures of the page
# (light, dark, a 360-pixel phone) into PICTURE_FOLDER, for docs/.
# Usage: page_test.py SITE_FOLDER EXPECTATIONS_PROGRAM MOLVANE_CLI PICTURE_FOLDER
import json
import os
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from web_browser import Browser, Server  # noqa: E402

site, expectations, cli, pictures = sys.argv[1:5]
tables = json.loads(subprocess.run([expectations], capture_output=True, check=True).stdout)
work = tempfile.mkdtemp(prefix="molvane-page-test-")
server = Server(site)
browser = Browser(work)
driver = browser.driver
js = driver.execute_script
failures = []
LOWER_TASK, LOWER_RESULT, DEGREES, TOO_LONG = 1111, 1121, 1221, "Expression is too long !"


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def wait_until(condition, *arguments, seconds=20):
    end = time.time() + seconds
    while not js("return " + condition, *arguments):
        if time.time() > end:
            raise AssertionError("timed out waiting for " + condition)
        time.sleep(0.05)


def open_page():
    driver.get(server.url)
    wait_until("document.body.classList.contains('ready')")


def shown(id):
    return js("return document.querySelector(`[data-id='${arguments[0]}']`).textContent", id)


def enter(line):
    driver.find_element(By.ID, "task-input").send_keys(line, Keys.ENTER)


def menu(title, item):
    driver.find_element(By.XPATH, f"//*[@id='menubar']/button[normalize-space()='{title}']").click()
    driver.find_element(By.XPATH, f"//div[@role='menu' and not(@hidden)]//*[@class='text' and .='{item}']").click()


def run_task_file(name, data):
    path = os.path.join(work, name)
    with open(path, "wb") as file:
        file.write(data) if isinstance(data, bytes) else file.truncate(data)
    driver.find_element(By.ID, "task-picker").send_keys(path)


def accessible_name(selector):
    """The name the browser computes for the element, as a screen reader gets it."""
    root = driver.execute_cdp_cmd("DOM.getDocument", {"depth": 0})["root"]["nodeId"]
    node = driver.execute_cdp_cmd("DOM.querySelector", {"nodeId": root, "selector": selector})["nodeId"]
    if not node:
        return None
    tree = driver.execute_cdp_cmd("Accessibility.getPartialAXTree", {"nodeId": node, "fetchRelatives": False})
    return tree["nodes"][0].get("name", {}).get("value")


def picture(name, dark=False, width=None, height=None):
    browser.emulate(dark=dark, width=width, height=height)
    js("document.activeElement.blur(); recent.input.value = '12+3'; recent.input.focus()")
    driver.save_screenshot(os.path.join(pictures, name + ".png"))


open_page()
# Each change of the polite live region is one announcement.
js("window.said = 0; new MutationObserver((changes) => (said += changes.length))"
   ".observe(document.getElementById('live'), {childList: true, characterData: true, subtree: true})")
for typed, task, result, logged in tables["typed"]:
    js("said = 0")
    enter(typed)
    check(f"{typed!r}: task line", shown(LOWER_TASK), task)
    check(f"{typed!r}: answer", shown(LOWER_RESULT), result)
    check(f"{typed!r}: history", logged in js("return historyView.text"), True)
    check(f"{typed!r}: said once, the keys kept",
          (js("return said"), js("return live.textContent").endswith(result), js("return document.activeElement.id")),
          (1, True, "task-input"))
js("recent.input.value = '9'.repeat(600)")
enter("")
check("a line too long", (shown(LOWER_RESULT), js("return live.textContent")), (TOO_LONG, TOO_LONG))
js("recent.input.value = ''")
for caption in ["2", "^", "1", "0", "="]:
    driver.find_element(By.XPATH, f"//button[@class='key' and .='{caption}' and not(@hidden)]").click()
check("keypad 2^10", (shown(LOWER_TASK), shown(LOWER_RESULT)), ("2^10", "1024"))
line = driver.find_element(By.ID, "task-input")
for key, expected in [(Keys.UP, "2^10"), (Keys.UP, tables["typed"][-1][1]), (Keys.DOWN, "2^10"), (Keys.DOWN, "")]:
    line.send_keys(key)
    check(f"recalled by {key!r}", line.get_attribute("value"), expected)
menu("Format", "Angle Unit in Degrees")
enter("2sin30")
check("#deg from the menu", (shown(LOWER_RESULT), js("return arguments[0].classList.contains('active')",
                                                     driver.find_element(By.CSS_SELECTOR, f"[data-id='{DEGREES}']"))),
      ("1", True))

# Tab goes from the input line through the shown controls in the layout's order,
# the keypad row by row.
main = [id for window, id, _, visible in tables["controls"] if window == "#client" and visible and id >= 0]
visited = []
js("recent.input.focus()")
for _ in main[:-1]:
    driver.switch_to.active_element.send_keys(Keys.TAB)
    visited.append(js("const c = document.activeElement.closest('[data-id]'); return c && Number(c.dataset.id)"))
check("the order of Tab", visited, main[:-1])

# Every control of the three windows has its name from the table, a switch with its state.
line.send_keys(Keys.F9)
line.send_keys(Keys.CONTROL, "k")
for window, id, name, visible in tables["controls"]:
    selector = "#task-input" if id == main[-1] else f"{window} [data-id='{id}']"
    computed = accessible_name(selector)
    if visible and computed not in (name, name + ", on", name + ", off"):
        failures.append(f"{selector}: named {computed!r}, expected {name!r}")

os.makedirs(pictures, exist_ok=True)
js("document.getElementById('composition').hidden = true")
picture("web-light", width=1100, height=860)
picture("web-dark", dark=True, width=1100, height=860)
js("dispatch(ids.history)")
picture("web-phone", width=360, height=740)
check("360 px wide", js("return document.documentElement.scrollWidth <= 360"), True)
browser.emulate()
js("dispatch(ids.history)")

# Save gives the bytes a desktop program saves for the same history.
line.send_keys(Keys.CONTROL, "s")
for _ in range(100):
    saved = [name for name in os.listdir(work) if name.startswith("mvn_") and name.endswith(".txt")]
    time.sleep(0 if saved else 0.1)
history = js("return historyView.text").encode("utf-8")
desktop = subprocess.run([expectations, "saved"], input=history, capture_output=True, check=True).stdout
check("saved history", saved and open(os.path.join(work, saved[0]), "rb").read() == desktop, True)

# Task files: lines ended by CR alone with a line too long, one that is not text, one too large
# to read, and a long one that shows its progress and is cancelled while the page goes on.
run_task_file("cr.txt", b"1+2\r" + b"9" * 600 + b"\r3+4")
wait_until("historyView.text.endsWith('3+4 = 7\\r\\n')")
check("a CR-only file", ("1+2 = 3" in js("return historyView.text"), shown(LOWER_RESULT)), (True, "7"))
for name, data, reason in [("picture.png", bytes(range(256)) * 40, "It does not look like a text file."),
                           ("huge.txt", 257 << 20, "It is larger than the 256 MB the page can read.")]:
    run_task_file(name, data)
    wait_until("document.getElementById('message').open")
    check(f"{name}: the message", driver.find_element(By.CSS_SELECTOR, "#message p").text.endswith(reason), True)
    driver.find_element(By.CSS_SELECTOR, "#message button").click()
entries = js("return historyView.text.split('\\n').length")
long_lines = 3000000  # seconds of work even on a fast machine
run_task_file("long.txt", b"1+1\n" * long_lines)
wait_until("document.getElementById('progress').open")
first = js("return document.getElementById('progress-bar').value")
time.sleep(0.5)
check("progress moves while the page answers", js("return document.getElementById('progress-bar').value") > first, True)
driver.find_element(By.ID, "progress-cancel").click()
wait_until("!busy && !document.getElementById('progress').open")
ran = js("return historyView.text.split('\\n').length") - entries
check("cancelled part-way", 0 < ran < 2 * long_lines and shown(LOWER_RESULT) == "2", True)
check("the input line has the keys", js("return document.activeElement.id"), "task-input")

# The settings file is kept byte for byte as the desktop writes it, and read again at start.
line.send_keys(Keys.F9)
enter("#fix 4")
menu("Format", "Save Current Settings")
kept = js("return localStorage.getItem('molvane/mvn.cfg')")
config = os.path.join(work, "mvn.cfg")
subprocess.run([cli, "--config", config, "#deg", "#fix 4", "--save-config"], capture_output=True, check=True)
check("settings bytes", kept.encode("latin-1"), open(config, "rb").read())
open_page()
enter("1/3")
check("settings after a reload", (shown(LOWER_RESULT), js("return document.querySelectorAll('.indicator.active').length")),
      ("0.3333", 2))

# Offline: the service worker has kept the site.
wait_until("navigator.serviceWorker.controller !== null")
server.stop()
open_page()
enter("2+2")
check("offline", shown(LOWER_RESULT), "4.0000")

# Storage refused: the page says so once and works on.
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": "Object.defineProperty(window, "
                       "'localStorage', {get() { throw new DOMException('refused', 'SecurityError'); }});"})
open_page()
enter("6*7")
check("without storage", (shown(LOWER_RESULT), driver.find_element(By.ID, "note").is_displayed()), ("42", True))

browser.quit()
for failure in failures:
    print("FAIL", failure)
print(f"page test: {len(failures)} failures")
sys.exit(1 if failures else 0)
