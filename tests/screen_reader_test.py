"""The real program with a real screen reader: Orca's speech, read from its
debug log, while the window is driven by keys as a blind user drives it.

Usage (under Xvfb and a private session bus):
  screen_reader_test.py PROGRAM
"""

import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent / "support"))
from desktop import xdotool  # noqa: E402

PROGRAM = None
WAIT = 60  # seconds; only a hang or a silent screen reader reaches it


# Orca's own settings, read from its preferences folder at start: every
# utterance goes to the log a line at a time (its --debug-file is written
# in blocks, so the last words would wait there).
CUSTOMIZATIONS = """\
import orca.debug as debug
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open(%r, "w", buffering=1, encoding="utf-8")
"""


def running_orca():
    """The process id of an Orca this user already runs, or None. Orca
    refuses to start beside another of the same user."""
    for entry in pathlib.Path("/proc").iterdir():
        try:
            if not entry.name.isdigit() or entry.stat().st_uid != os.getuid():
                continue
            argv = (entry / "cmdline").read_bytes().split(b"\0")
        except OSError:
            continue  # gone meanwhile, or not ours to read
        if any(os.path.basename(arg) == b"orca" for arg in argv[:2]):
            return int(entry.name)
    return None


# A speech server of Orca's own that speaks to nowhere: the dummy output
# module on ALSA's null device. The dummy module plays a recorded message
# with play, aplay or paplay; on its path these are stand-ins that play
# nothing. Whatever synthesisers are installed and whether or not there is a
# sound card, Orca's first utterance never waits on audio, and the test
# never makes a sound.
SPEECHD_CONF = """\
LogDir "%s"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "dummy" "sd_dummy" "dummy.conf"
DefaultModule dummy
"""


def start_silent_speech_server(folder, environment):
    """Starts the speech server in a process group of its own, returns it
    and the address to give its clients."""
    config = folder / "speech-dispatcher"
    (config / "modules").mkdir(parents=True)
    (config / "speechd.conf").write_text(SPEECHD_CONF % str(folder))
    (config / "modules" / "dummy.conf").write_text("")
    players = folder / "silent-players"
    players.mkdir()
    for player in ("play", "aplay", "paplay"):
        (players / player).symlink_to("/bin/true")
    socket = folder / "speechd.sock"
    server = subprocess.Popen(
        ["speech-dispatcher", "--run-single", "--timeout", "0",
         "--communication-method", "unix_socket", "--socket-path",
         str(socket), "--config-dir", str(config), "--log-dir", str(folder)],
        env=dict(environment, PATH="%s:%s" % (players, os.environ["PATH"])),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        start_new_session=True)
    deadline = time.monotonic() + WAIT
    while not socket.exists():
        if server.poll() is not None or time.monotonic() > deadline:
            raise AssertionError("the speech server did not start: " + (
                folder / "speech-dispatcher.log").read_text(errors="replace"))
        time.sleep(0.05)
    return server, "unix_socket:%s" % socket


class Orca:
    """Orca on the current display, with preferences, home and speech
    server of its own. What Orca says is read from its log."""

    def __enter__(self):
        self.scratch = tempfile.TemporaryDirectory(prefix="toric-orca-")
        folder = pathlib.Path(self.scratch.name)
        self.log = folder / "orca.log"
        preferences = folder / "preferences"
        preferences.mkdir()
        (preferences / "orca-customizations.py").write_text(
            CUSTOMIZATIONS % str(self.log))
        # Orca turns the desktop's accessibility setting on: kept in memory,
        # not written to the user's settings.
        environment = dict(os.environ, HOME=str(folder), LANG="C.UTF-8",
                           GSETTINGS_BACKEND="memory")
        # Each in a process group of its own, which ends with it: the bus
        # launcher's bus and registry, the speech server's module.
        self.processes = [subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            env=environment, start_new_session=True)]
        try:
            server, environment["SPEECHD_ADDRESS"] = \
                start_silent_speech_server(folder, environment)
            self.processes.append(server)
            self.processes.append(subprocess.Popen(
                ["orca", "-u", str(preferences)], env=environment,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True))
        except BaseException:
            self.__exit__()
            raise
        self.heard = 0  # how much of the speech has been matched
        try:
            self.expect("Screen reader on.")
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *_):
        for process in reversed(self.processes):
            for signal_number in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, signal_number)
                except ProcessLookupError:
                    break
                try:
                    process.wait(timeout=10)
                    break
                except subprocess.TimeoutExpired:
                    pass
        self.scratch.cleanup()

    def speech(self):
        """What Orca has said, each utterance with its white space folded
        (the log indents the lines of a text of several)."""
        text = self.log.read_text(errors="replace") if self.log.exists() \
            else ""
        return [" ".join(said.split()) for said in
                re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", text, re.DOTALL)]

    def expect(self, *phrases):
        """Waits until Orca says each phrase, in order, after what it said
        before; returns what it said meanwhile. A phrase given as a tuple
        is said in one utterance, its parts in any order (Orca 43 says
        "name value spin button", newer ones "name spin button value")."""
        deadline = time.monotonic() + WAIT
        while True:
            said = self.speech()
            position, found = self.heard, 0
            for utterance in said[self.heard:]:
                position += 1
                phrase = phrases[found]
                parts = phrase if isinstance(phrase, tuple) else (phrase,)
                if all(part in utterance for part in parts):
                    found += 1
                    if found == len(phrases):
                        self.heard = position
                        return said
            if time.monotonic() > deadline:
                raise AssertionError("Orca did not say %r; it said %r" % (
                    phrases, said[self.heard:]))
            time.sleep(0.05)


class ScreenReaderTest(unittest.TestCase):

    def test_orca_speaks_values_results_and_failures(self):
        other = running_orca()
        if other is not None:
            # The user's own screen reader is left alone.
            self.skipTest("SKIPPED: this user already runs Orca (process %d), "
                          "and a second Orca will not start" % other)
        orca = self.enterContext(Orca())
        program = subprocess.Popen(
            [PROGRAM], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                QT_FONT_DPI="96", LANG="C.UTF-8",
                                LC_ALL="C.UTF-8",
                                CUPS_SERVER="/nonexistent/cups.sock"))
        self.addCleanup(program.wait, 30)
        self.addCleanup(program.terminate)
        window = xdotool("search", "--sync", "--onlyvisible", "--pid",
                         str(program.pid), "--name", "^Form1$").split()[0]
        xdotool("windowfocus", "--sync", window)
        orca.expect("トーリックレンズの合成", "計 算")

        def keys(*names, then):
            for name in names:
                xdotool("key", name)
            orca.expect(*then)

        keys("Tab", "Tab", "Tab", then=[("レンズ１ 球面度数", "0.00Ｄ")])
        keys("Right", then=["-0.25Ｄ"])
        keys("Next", then=["-1.25Ｄ"])
        keys("End", then=["-10.00Ｄ"])
        keys("Home", then=["＋10.00Ｄ"])
        keys("Tab", "Tab", then=[("レンズ１ 軸度", "90°")])
        keys("Right", then=["89°"])
        keys(*["shift+Tab"] * 5, then=["計 算"])
        keys("Return", then=["Ｓ＋10.00Ｄ"])
        keys("Return", then=["Ｓ＋10.00Ｄ"])  # said again, though unchanged
        keys("Tab", then=["リセット"])
        keys("Return", then=["リセットしました。"])
        keys("shift+Tab", "shift+Tab", then=["print"])
        keys("Return", then=["印刷", "印刷できませんでした。 "
                                     "印刷サービス（CUPS）に接続できません。"])


if __name__ == "__main__":
    PROGRAM = sys.argv[1]
    unittest.main(argv=sys.argv[:1], verbosity=2)
