#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT
"""End-to-end check of the web page in Debian's headless Chromium, served from
127.0.0.1: the window drawn as on X11, M64 and 500 by real key presses and the
copy on the browser's clipboard, a notice and the page calculating after it,
the planner's CSV download against fieldcalc-cli, the clock moving, the page
in one file opened from disk, and the window sharp at device pixel ratio 2.
usage: web_test.py BUILD_WEB FIELDCALC_CLI [SCREENSHOT_OUT]
  BUILD_WEB      what tools/web-build.sh made (it holds fieldcalc-VERSION-web/)
  FIELDCALC_CLI  the Linux build's command line, for the CSV it must match
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import browser  # noqa: E402

MASKED = pathlib.Path(tempfile.mkdtemp(prefix="fieldcalc-web-masked-"))
WIDTH, HEIGHT = 797, 497
CLOCK = "rectangle 300,462 796,496"  # the clock ticks: masked in every comparison
M64_500 = ("光机选择: M64\n镜头大小:\n工作距离: 500 MM\n光机幅面长: 422.308 MM\n"
           "光机幅面宽: 234.615 MM\n扫描幅面长: 260 MM\n扫描幅面宽: 212.308 MM\n景深: ±106.429 MM\n")


def rmse(a, b, scale=1):
    """ImageMagick's normalised RMSE of two images, the clock left out."""
    masked = []
    x0, y0, x1, y1 = (scale * int(n) for n in CLOCK.replace(",", " ").split()[1:])
    for side, image in (("a", a), ("b", b)):
        out = str(MASKED / f"{side}.png")  # never beside the image: one is in docs/
        subprocess.run(["convert", str(image), "-resize", f"{scale * WIDTH}x{scale * HEIGHT}!",
                        "-fill", "black", "-draw", f"rectangle {x0},{y0} {x1},{y1}", out],
                       check=True)
        masked.append(out)
    result = subprocess.run(["compare", "-metric", "RMSE", *masked, "null:"],
                            capture_output=True, text=True)
    return float(result.stderr.split("(")[1].split(")")[0])


class Page:
    def __init__(self, driver, work):
        self.driver = driver
        self.work = work
        self.canvas = driver.find_element(By.ID, "qtcanvas")
        self.shots = 0

    def click(self, x, y, button="left"):
        """A click at x, y of the window, in CSS pixels."""
        chain = ActionChains(self.driver).move_to_element_with_offset(
            self.canvas, x - WIDTH // 2, y - HEIGHT // 2)
        (chain.context_click() if button == "right" else chain.click()).perform()

    def keys(self, *keys, modifiers=()):
        chain = ActionChains(self.driver)
        for modifier in modifiers:
            chain.key_down(modifier)
        for key in keys:
            chain.send_keys(key).pause(0.05)
        for modifier in reversed(modifiers):
            chain.key_up(modifier)
        chain.perform()

    def size(self):
        """The canvas's size in CSS pixels."""
        return self.driver.execute_script(
            "const r = arguments[0].getBoundingClientRect(); return [r.width, r.height];",
            self.canvas)

    def shot(self):
        self.shots += 1
        path = self.work / f"shot-{self.shots}.png"
        path.write_bytes(self.canvas.screenshot_as_png)
        return path

    def clipboard(self):
        return self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], () => arguments[0](null));")

    def copied(self, wanted):
        """Ctrl+Shift+C, until the clipboard holds `wanted` (a line of it or all)."""
        self.driver.execute_async_script(
            "navigator.clipboard.writeText('unset').then(arguments[0], arguments[0]);")
        self.keys("c", modifiers=(Keys.CONTROL, Keys.SHIFT))
        try:
            return browser.wait_for(f"the clipboard to hold {wanted!r}", 10,
                                    lambda: wanted in (self.clipboard() or "") and self.clipboard())
        except AssertionError as error:
            raise AssertionError(f"{error}; it holds {self.clipboard()!r}") from None

    def calculate(self, distance):
        """M64 and a distance, typed as the desktop tests type them, then Enter."""
        self.click(465, 135)  # lineEdit_2, the working distance
        self.keys(Keys.TAB, Keys.TAB, modifiers=(Keys.SHIFT,))  # back to the chooser
        self.keys(Keys.HOME, Keys.DOWN, Keys.DOWN, Keys.TAB, Keys.TAB)
        self.keys(Keys.CONTROL + "a", Keys.BACKSPACE, distance, Keys.ENTER)

    def settled(self):
        """A screenshot once two in a row agree (the clock aside)."""
        def same():
            first, second = self.shot(), self.shot()
            return rmse(first, second) < 0.01 and second
        return browser.wait_for("the window to settle", 15, same, interval=0.2)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def main():
    build, cli = (pathlib.Path(p).resolve() for p in sys.argv[1:3])
    shot_out = pathlib.Path(sys.argv[3]) if len(sys.argv) > 3 else None
    folder = max(build.glob("fieldcalc-*-web"))
    reference = browser.here().parent.parent / "docs" / "screenshot.png"
    work = pathlib.Path(tempfile.mkdtemp(prefix="fieldcalc-web-"))
    downloads = work / "downloads"
    downloads.mkdir()
    with browser.served(folder) as url, browser.chromium(downloads=downloads) as driver:
        driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": url.rstrip("/"),
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        started = browser.open_page(driver, url + "index.html")
        page = Page(driver, work)
        size = page.size()
        check(size == [WIDTH, HEIGHT], f"canvas is {size} CSS pixels")
        print(f"# running, first frame {started:.2f} s after navigation")
        fresh = page.settled()

        print("# M64 and 500 by key presses, Enter, Ctrl+Shift+C")
        page.calculate("500")
        text = page.copied("景深: ±106.429 MM")
        check(text == M64_500, f"clipboard holds {text!r}")
        window = page.settled()
        if shot_out:
            shot_out.write_bytes(window.read_bytes())
        difference = rmse(reference, window)
        print(f"RMSE against the X11 window: {difference:.4f}")
        check(difference < 0.12, f"differs from the X11 window by {difference} (RMSE)")

        print("# a notice, dismissed with Enter; the page calculates on")
        page.calculate("50")
        notice = browser.wait_for("the notice", 10,
                                  lambda: rmse(window, page.shot()) > 0.03 and page.settled())
        page.keys(Keys.ENTER)
        browser.wait_for("the notice to close", 10,
                         lambda: rmse(notice, page.shot()) > 0.03)
        text = page.copied("光机幅面长: inf MM")
        check("工作距离: 50 MM" in text, f"after the notice the clipboard holds {text!r}")
        page.calculate("500")
        check(page.copied("景深: ±106.429 MM") == M64_500, "no answer after the notice")

        print("# the clock moves")
        before = page.shot()
        browser.wait_for("the clock to move", 5, lambda: subprocess.run(
            ["compare", "-metric", "AE", str(before), str(page.shot()), "null:"],
            capture_output=True).returncode == 1)

        print("# the planner, and its CSV as a download")
        page.keys("p", modifiers=(Keys.CONTROL, Keys.SHIFT))
        planner = page.settled()
        check(rmse(window, planner) > 0.03, "no planner")
        grown = page.size()
        check(grown[0] > WIDTH and grown[1] > HEIGHT + 400,
              f"the canvas is {grown} CSS pixels with the planner open below the window")
        (work / "planner.png").write_bytes(planner.read_bytes())
        export_csv(page)
        csv = browser.wait_for("the download", 10, lambda: sorted(downloads.glob("*.csv")))[0]
        expected = subprocess.run([str(cli), "M64", "--sweep", "80:1000:100", "--format", "csv"],
                                  capture_output=True, check=True).stdout
        check(csv.name == "fieldcalc-M64.csv", f"downloaded {csv.name}")
        check(csv.read_bytes() == expected, f"downloaded {csv.read_bytes()!r}")
        page.keys(Keys.ESCAPE)
        browser.wait_for("the canvas back at the window's size once the planner is closed", 10,
                         lambda: page.size() == [WIDTH, HEIGHT])

    print("# the page in one file, opened from disk: the same window, the same answer")
    single = max(build.glob("fieldcalc-*.html"))
    with browser.chromium() as driver:
        browser.open_page(driver, single.as_uri())
        (work / "file").mkdir()
        page = Page(driver, work / "file")
        check(rmse(fresh, page.settled()) < 0.01, f"{single.name} draws another window")
        page.calculate("500")
        answered = page.settled()
        check(rmse(window, answered) < 0.01, f"{single.name} shows another answer to M64 500")

    print("# at device pixel ratio 2: sharp, not blown up")
    with browser.served(folder) as url, browser.chromium(scale=2) as driver:
        browser.open_page(driver, url + "index.html")
        (work / "2x").mkdir()
        page = Page(driver, work / "2x")
        sharp = page.settled()
        big = subprocess.run(["identify", "-format", "%wx%h", str(sharp)],
                             capture_output=True, text=True).stdout
        check(big == f"{2 * WIDTH}x{2 * HEIGHT}", f"screenshot at 2x is {big}")
        blown_up = work / "blown-up.png"
        subprocess.run(["convert", str(fresh), "-filter", "point", "-resize", "200%",
                        str(blown_up)], check=True)
        # The same window, but text drawn at twice the resolution, not pixels doubled.
        same, enlarged = rmse(fresh, sharp), rmse(blown_up, sharp, scale=2)
        print(f"RMSE at 2x against the 1x window: {same:.4f} scaled down, {enlarged:.4f} enlarged")
        check(same < 0.05, f"the 2x window differs from the 1x one by {same}")
        check(enlarged > 0.02, "the 2x window is the 1x one enlarged")
    shutil.rmtree(work)
    shutil.rmtree(MASKED)
    print("PASS: web end-to-end")


def export_csv(page):
    """The planner has the focus in its chooser; its export button is the fifth
    stop on from there (the lens field is off for M64)."""
    page.keys(*[Keys.TAB] * 5)
    page.keys(Keys.SPACE)


if __name__ == "__main__":
    main()
