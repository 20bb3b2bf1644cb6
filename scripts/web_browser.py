# SPDX-License-Identifier: MIT
"""The site served from 127.0.0.1 and Debian's Chromium driven headless, for the
page's test (tests/web) and its figures (bench/web_figures.py). Nothing here
reaches beyond this machine: the browser starts with a new empty profile and
without its background traffic."""
import functools
import http.server
import shutil
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


class Server:
    """The folder on http://127.0.0.1:PORT/ in a thread of this process, until stop()."""

    def __init__(self, folder, port=0):
        handler = functools.partial(QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """Headless Chromium at a window size, downloading into `downloads`."""

    def __init__(self, downloads, width=1024, height=900):
        self.profile = tempfile.mkdtemp(prefix="molvane-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-dev-shm-usage",
                     f"--user-data-dir={self.profile}", f"--window-size={width},{height}"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})

    def emulate(self, dark=False, width=None, height=None):
        """The system's colour scheme, and a screen of the width given: a phone's below 600 pixels."""
        features = [{"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": features})
        if width:
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                        {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        else:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
