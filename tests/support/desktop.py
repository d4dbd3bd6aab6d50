"""Driving the real program on an X display as a person and a screen reader
would: keys and clicks through xdotool, texts, rectangles, values and focus
read back over AT-SPI. Run under an X server (Xvfb) and a private session
bus (dbus-run-session)."""

import os
import pathlib
import subprocess
import time
import warnings

# pyatspi calls Atspi functions that newer releases mark deprecated.
warnings.filterwarnings("ignore", message="Atspi", category=DeprecationWarning)
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

# What changes pixels is pinned: 96 dpi, the locale, the project's fonts.
PINNED_ENVIRONMENT = {
    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
    "QT_FONT_DPI": "96",
    "QT_QPA_PLATFORM": "xcb",
    "LANG": "C.UTF-8",
    "LC_ALL": "C.UTF-8",
}


def wait_for(condition, timeout=30.0, what="condition"):
    """Polls `condition` until it returns a true value, which it returns.
    The bound is generous: it is only reached when something is wrong, and a
    loaded machine can take seconds where an idle one takes milliseconds.
    While the program is still starting, its accessible tree may be half
    built: a lookup that fails then counts as "not yet"."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except (LookupError, StopIteration, GLib.GError):
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(0.05)


def xdotool(*arguments):
    return subprocess.run(("xdotool",) + arguments, check=True, timeout=90,
                          capture_output=True, text=True).stdout.strip()


class Control:
    """One accessible control of the window."""

    def __init__(self, accessible):
        self.accessible = accessible

    @property
    def role(self):
        """An Atspi.Role constant: the names differ between releases."""
        return self.accessible.getRole()

    @property
    def name(self):
        return self.accessible.name

    @property
    def rect(self):
        e = self.accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    @property
    def value(self):
        return int(round(self.accessible.queryValue().currentValue))

    @property
    def focused(self):
        return self.accessible.getState().contains(pyatspi.STATE_FOCUSED)

    def centre(self):
        x, y, w, h = self.rect
        return x + w // 2, y + h // 2


class Program:
    """The program started on the current display with accessibility on."""

    def __init__(self, path, extra_environment=None, stderr=None):
        self.path = path
        self.stderr = stderr
        self.environment = dict(os.environ, **PINNED_ENVIRONMENT)
        self.environment.update(extra_environment or {})
        self.process = None
        self.window_id = None

    def __enter__(self):
        pyatspi.Registry.getDesktop(0)  # start the accessibility bus first
        self.process = subprocess.Popen([self.path], env=self.environment,
                                        stderr=self.stderr)
        self.window_id = xdotool("search", "--sync", "--onlyvisible", "--pid",
                                 str(self.process.pid), "--name", "^Form1$"
                                 ).splitlines()[0]
        self.focus_window()
        wait_for(lambda: self._application() and self.controls(),
                 timeout=90, what="the window over AT-SPI")
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)

    # Reading over AT-SPI.

    def _application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def windows(self):
        app = self._application()
        return [w for w in app if w is not None] if app else []

    def main_window(self):
        # The title bar says "Form1"; to a screen reader the window is
        # called by what it is.
        return next(w for w in self.windows()
                    if w.name == "トーリックレンズの合成")

    def controls(self):
        """The window's controls on screen; not its announcer, which is a
        child with no place."""
        return [Control(c) for c in self.main_window()
                if c.getRole() != pyatspi.ROLE_NOTIFICATION]

    def control(self, role, name=None, rect=None):
        for c in self.controls():
            if c.role == role and name in (None, c.name) and \
                    rect in (None, c.rect):
                return c
        raise LookupError("no %s %r at %r" % (role, name, rect))

    def label_at(self, rect):
        return self.control(pyatspi.ROLE_LABEL, rect=rect)

    def focused(self):
        focused = [c for c in self.controls() if c.focused]
        return focused[0] if len(focused) == 1 else None

    # Acting as a person does.

    def focus_window(self):
        """Gives the window the keyboard, as a window manager would when it
        opens or when a window above it closes (Xvfb runs none)."""
        xdotool("windowfocus", "--sync", self.window_id)

    def key(self, *keys):
        for k in keys:
            xdotool("key", k)

    def click(self, x, y):
        xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def screenshot(self, path):
        x, y, w, h = Control(self.main_window()).rect
        subprocess.run(["import", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (w, h, x, y), "+repage", str(path)],
                       check=True)

    def children(self, name):
        """Process ids of the program's children called `name`."""
        found = []
        for stat in pathlib.Path("/proc").glob("[0-9]*/stat"):
            try:
                command, fields = stat.read_text().rsplit(")", 1)
            except OSError:
                continue
            if command.endswith("(" + name) and \
                    int(fields.split()[1]) == self.process.pid:
                found.append(int(stat.parent.name))
        return found

    def wait_for_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)


def process_gone(pid):
    """Ended, or a zombie waiting for init to collect it."""
    try:
        stat = pathlib.Path("/proc/%d/stat" % pid).read_text()
    except OSError:
        return True
    return stat.rsplit(")", 1)[1].split()[0] == "Z"
