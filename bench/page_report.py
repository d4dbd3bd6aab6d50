"""The page's figures: how soon it is interactive in headless Chromium
(its core's WebAssembly ready and the first frame drawn after it), and the
sizes of its WebAssembly and of the one-file page, fonts included.

Usage: page_report.py PAGE_FOLDER
"""

import base64
import pathlib
import re
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

LOADS = 20  # after one warm-up load


def interactive_milliseconds(driver, address):
    driver.get(address)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return 'ready' in document.documentElement.dataset"))
    return driver.execute_script("""
        const paint = performance.getEntriesByName('first-contentful-paint');
        return [performance.getEntriesByName('toric-interactive')[0].startTime,
                paint.length ? paint[0].startTime : null];
    """)


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    core = (page / "toric-core.js").read_text()
    wasm = base64.b64decode(re.search(
        r"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)", core)[1])
    single = (page / "toric.html").stat().st_size
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu",
                         "--no-first-run", "--disable-background-networking",
                         f"--user-data-dir={profile}"]:
            options.add_argument(argument)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                  options=options)
        try:
            address = (page / "toric.html").as_uri()
            interactive_milliseconds(driver, address)
            runs = [interactive_milliseconds(driver, f"{address}?{n}")
                    for n in range(LOADS)]
        finally:
            driver.quit()
    ready = [r[0] for r in runs]
    painted = [r[1] for r in runs if r[1] is not None]
    print(f"page interactive, toric.html from disk (ms): median "
          f"{statistics.median(ready):.0f}, slowest {max(ready):.0f} "
          f"of {LOADS} (goal 200)")
    if painted:
        print(f"page first contentful paint (ms): median "
              f"{statistics.median(painted):.0f}")
    print(f"page WebAssembly: {len(wasm) / 1000:.1f} KB (goal under 100)")
    print(f"page in one file, fonts included: {single / 1000:.1f} KB "
          "(goal under 500)")


if __name__ == "__main__":
    main()
