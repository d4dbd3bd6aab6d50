"""Start-up, memory, response and arithmetic figures of the calculator, as
one table. Run under an X server of its own (`make bench` starts Xvfb).

Usage: report.py BUILD_FOLDER
"""

import os
import pathlib
import statistics
import subprocess
import sys
import time

from Xlib import X, display

RUNS = 12  # start-up runs of each program, after one warm-up run each
PRESSES = 1000
PINNED = {"QT_FONT_DPI": "96", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
          "QT_QPA_PLATFORM": "xcb"}

# What the first painted frame shows: the calculate button's orange face in
# the calculator; the title's dark text in the bare window's label.
CALCULATOR_PIXEL = (448, 256)
ORANGE = (0xFF, 0xC0, 0x80)
BARE_LABEL = (16, 8, 273, 25)
RESULT_LABEL = (56, 264, 369, 41)


class Screen:
    def __init__(self):
        self.display = display.Display()
        self.root = self.display.screen().root

    def region(self, x, y, width, height):
        """Pixels of a region of the screen as (r, g, b) tuples."""
        data = self.root.get_image(x, y, width, height, X.ZPixmap,
                                   0xFFFFFFFF).data
        return [(data[i + 2], data[i + 1], data[i])
                for i in range(0, len(data), 4)]

    def calculator_painted(self):
        return self.region(*CALCULATOR_PIXEL, 1, 1)[0] == ORANGE

    def bare_painted(self):
        pixels = self.region(*BARE_LABEL)
        return any(min(p) > 200 for p in pixels) and \
            any(max(p) < 100 for p in pixels)

    def result_shown(self):
        return any(p == (0, 0, 255) for p in self.region(*RESULT_LABEL))

    def empty(self):
        """Nothing on the black root window where either program paints."""
        return all(p == (0, 0, 0) for p in self.region(*BARE_LABEL)) and \
            self.region(*CALCULATOR_PIXEL, 1, 1)[0] == (0, 0, 0)


def wait_until(condition, timeout=20.0):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError("timed out")
        time.sleep(0.0005)


def memory_kib(pid, field):
    for line in pathlib.Path("/proc/%d/status" % pid).read_text().splitlines():
        if line.startswith(field + ":"):
            return int(line.split()[1])
    raise KeyError(field)


def start_up(program, painted, screen, after_start=None):
    """Seconds from starting the process to its first painted frame, and
    its peak resident memory a moment later (KiB)."""
    wait_until(screen.empty)
    environment = dict(os.environ, **PINNED)
    start = time.perf_counter()
    process = subprocess.Popen([program], env=environment)
    wait_until(painted)
    seconds = time.perf_counter() - start
    time.sleep(0.5)
    peak = memory_kib(process.pid, "VmHWM")
    extra = after_start(process) if after_start else None
    process.terminate()
    process.wait()
    return seconds, peak, extra


def press_calculate(screen, count):
    """Presses calculate `count` times from the keyboard, with a reset after
    each press so that every press writes the result anew. Returns resident
    and peak memory (KiB) after the first press and after the last."""
    def cycle(times):
        subprocess.run(["xdotool", "key", "--delay", "1", "--repeat",
                        str(times), "Return", "Tab", "Return", "shift+Tab"],
                       check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        wait_until(screen.result_shown)
        time.sleep(0.5)

    def run(process):
        window = subprocess.run(
            ["xdotool", "search", "--sync", "--pid", str(process.pid),
             "--name", "^Form1$"], capture_output=True, text=True,
            check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        cycle(1)
        before = (memory_kib(process.pid, "VmRSS"),
                  memory_kib(process.pid, "VmHWM"))
        cycle(count - 1)
        after = (memory_kib(process.pid, "VmRSS"),
                 memory_kib(process.pid, "VmHWM"))
        return before, after
    return run


def figures(program, *arguments, environment=None):
    out = subprocess.run([str(program), *arguments], capture_output=True,
                         text=True, check=True,
                         env=dict(os.environ, **(environment or {}))).stdout
    return {k: float(v) for k, v in (line.split() for line in out.splitlines())}


def main():
    build = pathlib.Path(sys.argv[1])
    calculator = str(build / "app" / "toric")
    bare = str(build / "bench" / "bare_window")
    screen = Screen()

    start_up(calculator, screen.calculator_painted, screen)  # warm-up
    start_up(bare, screen.bare_painted, screen)
    runs = {"calculator": [], "bare": []}
    for _ in range(RUNS):  # alternated, so both see the same machine
        runs["calculator"].append(
            start_up(calculator, screen.calculator_painted, screen))
        runs["bare"].append(start_up(bare, screen.bare_painted, screen))
    _, _, (before, after) = start_up(
        calculator, screen.calculator_painted, screen,
        press_calculate(screen, PRESSES))

    def median_ms(name):
        return statistics.median(r[0] for r in runs[name]) * 1000

    def peak_mib(name):
        return statistics.median(r[1] for r in runs[name]) / 1024

    response = figures(build / "bench" / "response_bench",
                       environment={"QT_QPA_PLATFORM": "offscreen"})
    grid = figures(build / "bench" / "grid_bench")

    rows = [
        ("start-up to first frame, median of %d (ms)" % RUNS,
         median_ms("calculator"), median_ms("bare"), "<= 1.10 x"),
        ("peak resident memory after start-up (MiB)",
         peak_mib("calculator"), peak_mib("bare"), "<= 1.10 x"),
        ("peak resident memory after %d calculations (MiB)" % PRESSES,
         after[1] / 1024, None, "no growth"),
        ("resident memory growth from the first calculation to the "
         "%d-th (KiB)" % PRESSES,
         after[0] - before[0], None, "none"),
        ("calculate press to result text, median (us)",
         response["calculate_median_us"], None, "< 1000"),
        ("calculate press to result text, 99th percentile (us)",
         response["calculate_p99_us"], None, "< 1000"),
        ("bar change to readout, median (us)",
         response["readout_median_us"], None, "< 1000"),
        ("bar change to readout, 99th percentile (us)",
         response["readout_p99_us"], None, "< 1000"),
        ("combinations per second, one core, whole grid",
         grid["combinations_per_second"], None, ""),
    ]
    width = max(len(row[0]) for row in rows)
    print()
    print("| %-*s | %12s | %12s | %6s | %-9s |" % (
        width, "measure", "calculator", "bare window", "ratio", "goal"))
    print("|%s|%s|%s|%s|%s|" % ("-" * (width + 2), "-" * 14, "-" * 14,
                                "-" * 8, "-" * 11))
    for name, ours, floor, goal in rows:
        ratio = "%6.2f" % (ours / floor) if floor else ""
        floor_text = "%12.1f" % floor if floor is not None else ""
        print("| %-*s | %12.1f | %12s | %6s | %-9s |" % (
            width, name, ours, floor_text, ratio, goal))

if __name__ == "__main__":
    main()
