"""Start-up, memory, response and arithmetic figures of the calculator, as
one table. Run under an X server of its own (`make bench` starts Xvfb).

Usage: report.py BUILD_FOLDER
"""

import os
import pathlib
import select
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from Xlib import X, display
from Xlib.ext import damage

RUNS = 30  # start-up runs of each program, after one warm-up run each
PRESSES = 1000
PINNED = {"QT_FONT_DPI": "96", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
          "QT_QPA_PLATFORM": "xcb"}

# Where the result line shows the calculator's blue text.
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

    def result_shown(self):
        return any(p == (0, 0, 255) for p in self.region(*RESULT_LABEL))



class FirstFrame:
    """Times a program's first frame as the X server sees it: the first
    DAMAGE event, the first drawing, on a window the program has mapped.
    Event-driven, so it loads neither the machine nor the X server while it
    waits, and it treats every program alike."""

    def __init__(self):
        self.display = display.Display()
        self.display.damage_query_version()
        self.damage_notify = self.display.extension_event.DamageNotify
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()

    def _next_event(self, deadline):
        while not self.display.pending_events():
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no first frame")
            select.select([self.display.fileno()], [], [], left)
        return self.display.next_event()

    def start(self, program, environment):
        """Starts `program`; returns the process and the seconds from its
        start to its first frame."""
        while self.display.pending_events():  # left over from earlier runs
            self.display.next_event()
        start = time.perf_counter()
        process = subprocess.Popen([program], env=environment)
        deadline = time.monotonic() + 20
        watched, mapped = [], set()
        while True:
            event = self._next_event(deadline)
            if event.type == X.CreateNotify:
                # Watched from its creation, before it can draw anything.
                window = self.display.create_resource_object(
                    "window", event.window.id)
                watched.append(window.damage_create(
                    damage.DamageReportNonEmpty))
                self.display.flush()
            elif event.type == X.MapNotify:
                mapped.add(event.window.id)
            elif event.type == self.damage_notify and \
                    event.drawable.id in mapped:
                seconds = time.perf_counter() - start
                break
        for d in watched:
            self.display.damage_destroy(d)
        self.display.sync()
        return process, seconds


def wait_until(condition, timeout=20.0):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError("timed out")
        time.sleep(0.0005)


def memory_kib(pid, field, source="status"):
    """A field of /proc/PID/status (or smaps_rollup), in KiB."""
    path = pathlib.Path("/proc/%d/%s" % (pid, source))
    for line in path.read_text().splitlines():
        if line.startswith(field + ":"):
            return int(line.split()[1])
    raise KeyError(field)


def start_up(program, frames, after_start=None):
    """Seconds from starting the process to its first frame; its peak
    resident memory and its private anonymous memory a moment later (KiB)."""
    environment = dict(os.environ, **PINNED)
    process, seconds = frames.start(program, environment)
    time.sleep(0.5)
    peak = memory_kib(process.pid, "VmHWM")
    anonymous = memory_kib(process.pid, "Anonymous", "smaps_rollup")
    extra = after_start(process) if after_start else None
    process.terminate()
    process.wait()
    return seconds, peak, anonymous, extra


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


def million_instructions(program, idle=8):
    """The program's whole life to an idle window in millions of
    instructions: started under callgrind, left idle for `idle` seconds,
    then ended with SIGTERM. Counted, not timed, so the same on a busy
    machine."""
    with tempfile.TemporaryDirectory() as scratch:
        counts = pathlib.Path(scratch, "callgrind.out")
        process = subprocess.Popen(
            ["valgrind", "--tool=callgrind",
             "--callgrind-out-file=%s" % counts, program],
            env=dict(os.environ, **PINNED), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        time.sleep(idle)
        process.terminate()
        process.wait(timeout=120)
        for line in counts.read_text().splitlines():
            if line.startswith("totals:"):
                return int(line.split()[1]) / 1e6
    raise ValueError("callgrind wrote no totals for " + program)


def figures(program, *arguments, environment=None):
    out = subprocess.run([str(program), *arguments], capture_output=True,
                         text=True, check=True,
                         env=dict(os.environ, **(environment or {}))).stdout
    return {k: float(v) for k, v in (line.split() for line in out.splitlines())}


def pair_list(pairs=1_000_000):
    """A list of `pairs` lines in the notations people use, as bytes."""
    notations = ["S%+.2f C%.2f A%d", "%+.2f %.2f x%d", "%+.2f/%.2fx%d",
                 "%+.2f %.2f %d"]

    def lens(k):
        return notations[k % 4] % ((k % 81 - 40) / 4, -(k % 21) / 4,
                                   k % 180 + 1)
    return "".join(lens(i * 7919) + ";" + lens(i * 104729 + 1) + "\n"
                   for i in range(pairs)).encode()


def list_seconds(program, listing, cores=None, runs=3):
    """Wall-clock seconds for toric-combine to run the list, read from a
    file and written to /dev/null, the best of `runs`; on the first
    `cores` cores only, where given."""
    with tempfile.TemporaryDirectory() as scratch:
        path = pathlib.Path(scratch, "pairs.txt")
        path.write_bytes(listing)
        best = None
        for _ in range(runs):
            with open(path) as source, open(os.devnull, "w") as sink:
                start = time.monotonic()
                pinned = (["taskset", "-c", "0-%d" % (cores - 1)]
                          if cores else [])
                subprocess.run(pinned + [str(program), "-"], stdin=source,
                               stdout=sink, check=True)
                took = time.monotonic() - start
            best = took if best is None else min(best, took)
    return best


def list_peak_mib(program, listing, times=10):
    """Peak resident memory (MiB) of toric-combine running the list `times`
    over, fed through a pipe as a program would feed it. Read from its own
    /proc entry once every result is out and before its input ends: the
    rusage of a child also counts this process's memory from before the
    exec."""
    lines = listing.count(b"\n") * times
    process = subprocess.Popen([str(program), "-"], stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE)

    def feed():
        for _ in range(times):
            process.stdin.write(listing)
        process.stdin.flush()
    feeder = threading.Thread(target=feed)
    feeder.start()
    seen = 0
    while seen < lines:
        block = process.stdout.read1(1 << 20)
        if not block:
            raise RuntimeError("toric-combine ended early")
        seen += block.count(b"\n")
    feeder.join()
    peak = memory_kib(process.pid, "VmHWM") / 1024
    process.stdin.close()
    process.stdout.read()
    if process.wait() != 0:
        raise RuntimeError("toric-combine ended with %d" % process.returncode)
    return peak


def main():
    build = pathlib.Path(sys.argv[1])
    calculator = str(build / "app" / "toric")
    bare = str(build / "bench" / "bare_window")
    screen = Screen()
    frames = FirstFrame()

    start_up(calculator, frames)  # warm-up
    start_up(bare, frames)
    runs = {"calculator": [], "bare": []}
    for _ in range(RUNS):  # alternated, so both see the same machine
        runs["calculator"].append(start_up(calculator, frames))
        runs["bare"].append(start_up(bare, frames))
    _, _, _, (before, after) = start_up(
        calculator, frames, press_calculate(screen, PRESSES))

    def ms(name, quantile):
        times = sorted(r[0] for r in runs[name])
        if quantile == 0.5:
            return statistics.median(times) * 1000
        return statistics.quantiles(times, n=10)[0] * 1000  # 10th percentile

    def median_mib(name, column):
        return statistics.median(r[column] for r in runs[name]) / 1024

    instructions = (million_instructions(calculator),
                    million_instructions(bare))
    response = figures(build / "bench" / "response_bench",
                       environment={"QT_QPA_PLATFORM": "offscreen"})
    grid = figures(build / "bench" / "grid_bench")
    combine = build / "cli" / "toric-combine"
    pairs = pair_list()
    listing = {cores: list_seconds(combine, pairs, cores) for cores in (1, 2)}
    peak = list_peak_mib(combine, pairs)

    rows = [
        ("start-up to first frame, median of %d (ms)" % RUNS,
         ms("calculator", 0.5), ms("bare", 0.5), "<= 1.10 x"),
        ("start-up to first frame, 10th percentile (ms)",
         ms("calculator", 0.1), ms("bare", 0.1), "<= 1.10 x"),
        ("instructions to an idle window, callgrind (millions)",
         instructions[0], instructions[1], ""),
        ("peak resident memory after start-up (MiB)",
         median_mib("calculator", 1), median_mib("bare", 1), "<= 1.10 x"),
        ("private anonymous memory after start-up (MiB)",
         median_mib("calculator", 2), median_mib("bare", 2), "<= 1.10 x"),
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
        ("the arithmetic alone for a million pairs (ms)",
         1e9 / grid["combinations_per_second"], None, ""),
        ("toric-combine, a list of one million pairs, one core (ms)",
         listing[1] * 1000, None, "<= 300"),
        ("toric-combine, a list of one million pairs, two cores (ms)",
         listing[2] * 1000, None, ""),
        ("toric-combine, ten million pairs: peak memory (MiB)",
         peak, None, "<= 16"),
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
