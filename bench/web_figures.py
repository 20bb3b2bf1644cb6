#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page's figures, measured in headless Chromium beside references taken in
the same run:

- the sizes of the program (molvane.wasm) and of the scripts (molvane.js and
  molvane-page.js), plain and as gzip -9 sends them;
- the time from navigation to a usable input line, median of 10, on a first
  visit (no cache, no service worker) and on a later one, beside a plain static
  page with an input line served the same way;
- the time per task entered in the page (the window logic, the platform calls
  and the page's drawing), beside molvane-cli built natively and for node
  running the same tasks.

The page's pictures are taken by its test (tests/web/page_test.py).
Usage: web_figures.py SITE NATIVE_CLI NODE_CLI
"""
import gzip
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from web_browser import Browser, Server  # noqa: E402

site, native_cli, node_cli = sys.argv[1:4]
here = os.path.dirname(os.path.abspath(__file__))
work = tempfile.mkdtemp(prefix="molvane-figures-")


def size(name):
    data = open(os.path.join(site, name), "rb").read()
    return len(data), len(gzip.compress(data, 9))


program = size("molvane.wasm")
scripts = [a + b for a, b in zip(size("molvane.js"), size("molvane-page.js"))]
print(f"molvane.wasm {program[0] / 1024:.0f} KB, gzip {program[1] / 1024:.0f} KB; scripts {scripts[0] / 1024:.0f} KB, "
      f"gzip {scripts[1] / 1024:.0f} KB; together gzip {(program[1] + scripts[1]) / 1024:.0f} KB")

plain = os.path.join(work, "plain")
os.mkdir(plain)
with open(os.path.join(plain, "index.html"), "w") as page:
    page.write('<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Plain</title></head><body>'
               '<input id="task-input" autofocus><script>performance.mark("molvane-usable")</script></body></html>')
servers = {"Molvane": Server(site), "plain page": Server(plain)}
browser = Browser(work)
driver = browser.driver
js = driver.execute_script
driver.execute_cdp_cmd("Network.enable", {})


def usable_after(url):
    driver.get(url)
    for _ in range(400):
        mark = js("const m = performance.getEntriesByName('molvane-usable'); return m.length ? m[0].startTime : null")
        if mark is not None:
            return mark
        time.sleep(0.025)
    raise AssertionError(f"{url} never became usable")


for first in (True, False):
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": first})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": first})
    medians = {}
    for name, server in servers.items():
        usable_after(server.url)
        medians[name] = statistics.median(usable_after(server.url) for _ in range(10))
    visit = "first visit" if first else "later visit"
    print(f"usable input line, {visit}, median of 10: Molvane {medians['Molvane']:.0f} ms, plain page "
          f"{medians['plain page']:.0f} ms ({medians['Molvane'] / medians['plain page']:.1f} times)")

# The same random tasks entered in the page, one Enter each, and run by both molvane-clis.
count = 3000
tasks = subprocess.run([sys.executable, os.path.join(here, "..", "scripts", "random-tasks.py"), "--seed", "7",
                        "--count", str(count)], capture_output=True, text=True, check=True).stdout.splitlines()
driver.get(servers["Molvane"].url)
usable_after(servers["Molvane"].url)
page_ms = js("""const tasks = arguments[0];
    const start = performance.now();
    for (const task of tasks) { recent.input.value = task; dispatch(ids.enter); }
    return performance.now() - start;""", tasks)
task_file = os.path.join(work, "tasks.txt")
with open(task_file, "w") as file:
    file.write("\n".join(tasks) + "\n")


def cli_ms(command):
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run(command + ["--no-config", "-f", task_file], capture_output=True)
        best = min(best, (time.perf_counter() - start) * 1000)
    return best


native_ms, node_ms = cli_ms([native_cli]), cli_ms(["node", node_cli])
print(f"per task, {count} random tasks: page {1000 * page_ms / count:.0f} us, molvane-cli under node "
      f"{1000 * node_ms / count:.0f} us, native molvane-cli {1000 * native_ms / count:.0f} us "
      f"(page {page_ms / native_ms:.0f} times native; start-up included for the two molvane-clis)")

browser.quit()
for server in servers.values():
    server.stop()
