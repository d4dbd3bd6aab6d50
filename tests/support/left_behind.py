"""Processes the tests started that outlive them. Every test runs with
TORIC_TEST_RUN set to a tag of the build's; a process that still carries
the tag once the suite is over was left behind by one of them.

Usage:
  left_behind.py record FILE TAG   before the suite: what runs already
  left_behind.py check FILE TAG    after it: fails, naming and ending each
                                   process that is new
"""

import os
import pathlib
import signal
import sys
import time

SETTLE = 10  # seconds for a process that is shutting down to be gone


def ancestors():
    """This process and those it runs under (ctest among them)."""
    pids, pid = set(), os.getpid()
    while pid > 1:
        pids.add(pid)
        stat = pathlib.Path("/proc/%d/stat" % pid).read_text()
        pid = int(stat.rsplit(")", 1)[1].split()[1])
    return pids


def tagged(tag):
    """This user's live processes started by the tests: {"pid:start": command
    line}."""
    wanted = ("TORIC_TEST_RUN=" + tag).encode()
    mine, exempt, found = os.getuid(), ancestors(), {}
    for entry in pathlib.Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) in exempt:
            continue
        try:
            if entry.stat().st_uid != mine:
                continue
            environment = (entry / "environ").read_bytes().split(b"\0")
            fields = (entry / "stat").read_text().rsplit(")", 1)[1].split()
            command = (entry / "cmdline").read_bytes()
        except OSError:
            continue  # gone meanwhile
        if wanted not in environment or fields[0] == "Z":
            continue
        found["%s:%s" % (entry.name, fields[19])] = \
            command.replace(b"\0", b" ").decode(errors="replace").strip()
    return found


def main(action, path, tag):
    record = pathlib.Path(path)
    if action == "record":
        record.write_text("\n".join(tagged(tag)))
        return 0
    before = set(record.read_text().split()) if record.exists() else set()
    deadline = time.monotonic() + SETTLE
    while True:
        left = {k: v for k, v in tagged(tag).items() if k not in before}
        if not left or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    for key, command in sorted(left.items()):
        print("left behind by a test, now ended: %s %s" % (
            key.split(":")[0], command))
        try:
            os.kill(int(key.split(":")[0]), signal.SIGKILL)
        except ProcessLookupError:
            pass
    return 1 if left else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
