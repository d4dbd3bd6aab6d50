"""The page's figures: how soon it is interactive in headless Chromium
(its core's WebAssembly ready and the first frame drawn after it), on a
desktop's processor and on one four times slower, as a mid-range phone's,
and the sizes of its WebAssembly and of the one-file page, fonts included.

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
# The processor as it is, and slowed four times, as a mid-range phone runs;
# the goal is the phone's.
THROTTLING = (1, 4)


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
            runs = {}
            for rate in THROTTLING:
                driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate",
                                       {"rate": rate})
                interactive_milliseconds(driver, address)
                runs[rate] = [interactive_milliseconds(driver, f"{address}?{n}")
                              for n in range(LOADS)]
        finally:
            driver.quit()
    for rate, measured in runs.items():
        ready = [r[0] for r in measured]
        painted = [r[1] for r in measured if r[1] is not None]
        slowed = f", processor {rate}x slower" if rate > 1 else ""
        goal = " (goal 200)" if rate == max(THROTTLING) else ""
        print(f"page interactive, toric.html from disk{slowed} (ms): median "
              f"{statistics.median(ready):.0f}, slowest {max(ready):.0f} "
              f"of {LOADS}{goal}")
        if painted:
            print(f"page first contentful paint{slowed} (ms): median "
                  f"{statistics.median(painted):.0f}")
    print(f"page WebAssembly: {len(wasm) / 1000:.1f} KB (goal under 100)")
    print(f"page in one file, fonts included: {single / 1000:.1f} KB "
          "(goal under 500)")


if __name__ == "__main__":
    main()
