"""The page's results equal the desktop's: the page's own core (the
WebAssembly it carries) and the native core give the same line, character
for character, for every pair in a large sample of what the bars can set,
every bar's ends, zero and start among them.

Usage: page_results_test.py NODE PAGE_CORE_SCRIPT NATIVE_REFERENCE
"""

import itertools
import pathlib
import random
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
# Sphere, cylinder and axis bars: the last position, and those where each
# is worth a look (zero, start, and one step from each end).
LAST = (80, 20, 180)
MARKED = ((0, 1, 39, 40, 41, 79, 80), (0, 1, 19, 20), (0, 1, 89, 90, 179, 180))
SAMPLE = 400_000
# Pairs whose sphere or cylinder lies within a millionth of a hundredth of
# a tie (9.8750000000449756, -2.3049999903005829): where the two decimals
# are worked out the slow way, differently in the page's C library.
NEAR_TIES = (
    (27, 5, 90, 6, 5, 30), (74, 18, 139, 30, 5, 90), (18, 15, 30, 74, 15, 90),
    (51, 13, 22, 50, 9, 120), (2, 5, 55, 1, 7, 14), (77, 1, 168, 39, 8, 23),
    (34, 13, 90, 0, 19, 145), (72, 17, 150, 67, 17, 90), (19, 7, 57, 68, 5, 28),
    (68, 18, 163, 11, 5, 117), (20, 8, 23, 37, 1, 168), (69, 1, 90, 10, 1, 30),
    (57, 14, 1, 21, 12, 78), (53, 5, 162, 8, 13, 151), (15, 9, 90, 53, 12, 146),
    (48, 18, 59, 66, 17, 175), (1, 1, 168, 73, 8, 23), (70, 7, 139, 60, 3, 67),
)


def positions():
    rows = set(itertools.product(*MARKED, *MARKED)) | set(NEAR_TIES)
    chance = random.Random(20261210)
    while len(rows) < SAMPLE:
        rows.add(tuple(chance.randint(0, last) for last in LAST * 2))
    return sorted(rows)


def main():
    node, core, reference = sys.argv[1:4]
    rows = positions()
    text = "".join(" ".join(map(str, row)) + "\n" for row in rows)
    with tempfile.TemporaryDirectory() as scratch:
        listed = pathlib.Path(scratch) / "positions"
        listed.write_text(text)
        page = subprocess.run(
            [node, str(HERE / "support" / "page_results.js"), core, str(listed)],
            check=True, capture_output=True, text=True).stdout.split("\n")
    desktop = subprocess.run([reference], input=text, check=True,
                             capture_output=True, text=True).stdout.split("\n")
    if len(page) != len(desktop):
        sys.exit(f"{len(page) - 1} lines from the page, {len(desktop) - 1} "
                 "from the desktop")
    differing = [(row, a, b) for row, a, b in zip(rows, page, desktop) if a != b]
    for row, a, b in differing[:10]:
        print(f"positions {row}: page {a!r}, desktop {b!r}")
    if differing:
        sys.exit(f"{len(differing)} of {len(rows)} results differ")
    print(f"{len(rows)} pairs, every result the same")


if __name__ == "__main__":
    main()
