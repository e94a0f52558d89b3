# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
"""Debian's headless Chromium on a page served from 127.0.0.1, for the web
page's test and benchmark. Everything it starts ends with the context."""
import contextlib
import os
import pathlib
import shutil
import socket
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def wait_for(what, seconds, condition, interval=0.05):
    """Polls condition until it gives a true value, which it returns."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {seconds} s waiting for {what}")
        time.sleep(interval)


@contextlib.contextmanager
def served(folder):
    """The folder on http://127.0.0.1:PORT/, served by python3 -m http.server."""
    with socket.socket() as probe:  # a free port
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    server = subprocess.Popen(
        ["/usr/bin/python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory",
         str(folder), str(port)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def listening():
            with socket.socket() as client:
                return client.connect_ex(("127.0.0.1", port)) == 0
        wait_for("the web server", 10, listening)
        yield f"http://127.0.0.1:{port}/"
    finally:
        server.kill()
        server.wait()


@contextlib.contextmanager
def chromium(scale=1, downloads=None):
    """A fresh headless Chromium at device pixel ratio `scale`. It asks nothing
    of the network (this machine has none) and draws WebGL in software."""
    profile = tempfile.mkdtemp(prefix="fieldcalc-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                     "--window-size=1000,700", f"--force-device-scale-factor={scale}",
                     f"--user-data-dir={profile}"):
        options.add_argument(argument)
    service = Service(shutil.which("chromedriver") or "/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    try:
        if downloads:
            driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": str(downloads)})
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


# Resolves with the end of the first animation frame in which the page drew into
# WebGL, which is where Qt's compositor puts the window on the canvas. Waiting on
# it asks nothing of the browser meanwhile, which polling on two cores would.
FIRST_FRAME = """
window.fieldcalcFirstFrame = new Promise((resolve) => {
  let drew = false;
  for (const context of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    if (!context) continue;
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = context.prototype[name];
      context.prototype[name] = function (...args) { drew = true; return draw.apply(this, args); };
    }
  }
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    try { callback(time); } finally { if (drew) resolve(performance.now()); }
  });
});
"""


def open_page(driver, url):
    """Loads the page and waits for the program's first frame; returns the seconds
    from navigation to the end of that frame, as the page itself measured it."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME})
    driver.get(url)
    driver.set_script_timeout(30)
    return driver.execute_async_script(
        "window.fieldcalcFirstFrame.then((end) => arguments[0](end / 1000));")


def here():
    return pathlib.Path(__file__).resolve().parent


os.environ.pop("DISPLAY", None)  # Chromium headless needs no X server
