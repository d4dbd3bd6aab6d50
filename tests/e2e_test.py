"""The real program, driven from outside as a person and a screen reader
would: keys and clicks on an X display, everything read back over AT-SPI.

Usage (under Xvfb and a private session bus):
  e2e_test.py PROGRAM ARTEFACTS_FOLDER
"""

import os
import pathlib
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent / "support"))
from desktop import Program, process_gone, pyatspi, wait_for  # noqa: E402

PROGRAM = None
ARTEFACTS = None


def px(left, top, width, height):
    """A rectangle in twips as pixels at 96 dpi; the window is at 0, 0."""
    return (left // 15, top // 15, width // 15, height // 15)


# Roles by their AT-SPI constants: their display names differ between
# releases ("push button" on Debian 12, "button" on Debian 13).
BUTTON = pyatspi.ROLE_PUSH_BUTTON
# The bars speak their readouts as spin buttons do.
BAR = pyatspi.ROLE_SPIN_BUTTON
LABEL = pyatspi.ROLE_LABEL

# The controls the keys reach: role, accessible name, rectangle. The labels
# are found by their rectangles below, and the offscreen layout test checks
# every control's place.
FOCUSABLE = [
    (BUTTON, "print", px(3480, 5040, 855, 375)),
    (BAR, "レンズ２ 軸度", px(5400, 2640, 1335, 255)),
    (BAR, "レンズ２ 円柱度数", px(3720, 2640, 1335, 255)),
    (BAR, "レンズ２ 球面度数", px(2040, 2640, 1335, 255)),
    (BAR, "レンズ１ 軸度", px(5400, 1560, 1335, 255)),
    (BAR, "レンズ１ 円柱度数", px(3720, 1560, 1335, 255)),
    (BAR, "レンズ１ 球面度数", px(2040, 1560, 1335, 255)),
    (BUTTON, "ＥＮＤ", px(6600, 4920, 1095, 615)),
    (BUTTON, "リセット", px(4920, 4920, 1095, 615)),
    (BUTTON, "計 算", px(6600, 3720, 1335, 855)),
]
LABELS = 16

RESULT = px(840, 3960, 5535, 615)
READOUTS = {  # bar name: readout rectangle
    "レンズ１ 球面度数": px(2280, 1080, 1335, 375),
    "レンズ１ 円柱度数": px(3960, 1080, 1215, 375),
    "レンズ１ 軸度": px(5640, 1080, 1215, 375),
    "レンズ２ 球面度数": px(2280, 2160, 1335, 375),
    "レンズ２ 円柱度数": px(3960, 2160, 1215, 255),
    "レンズ２ 軸度": px(5640, 2160, 1215, 375),
}
TAB_CYCLE = ["計 算", "リセット", "ＥＮＤ", "レンズ１ 球面度数", "レンズ１ 円柱度数",
             "レンズ１ 軸度", "レンズ２ 球面度数", "レンズ２ 円柱度数", "レンズ２ 軸度",
             "print"]
START_READOUTS = {"レンズ１ 球面度数": "0.00Ｄ", "レンズ１ 円柱度数": "0.00Ｄ",
                  "レンズ１ 軸度": "90°", "レンズ２ 球面度数": "0.00Ｄ",
                  "レンズ２ 円柱度数": "0.00Ｄ", "レンズ２ 軸度": "90°"}
NO_PRINT_SERVICE = {"CUPS_SERVER": "/nonexistent/cups.sock"}
PRINT_ACCEPT_BOUND = 20  # seconds the program gives a print service


class HungPrintService:
    """A print service that accepts connections and never answers, as a
    hung or overloaded network print server does: a listening socket whose
    connections wait in its backlog, never read."""

    def __enter__(self):
        self.folder = tempfile.TemporaryDirectory(prefix="toric-hung-cups-")
        self.path = os.path.join(self.folder.name, "cups.sock")
        self.server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.server.bind(self.path)
        self.server.listen(16)
        return self

    def __exit__(self, *_):
        self.server.close()
        self.folder.cleanup()


def message_boxes(program):
    return [w for w in program.windows()
            if w.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)]


class Session:
    """Reading the calculator's state the way a screen reader does."""

    def __init__(self, program):
        self.program = program

    def result(self):
        return self.program.label_at(RESULT).name

    def readout(self, bar):
        return self.program.label_at(READOUTS[bar]).name

    def readouts(self):
        return {bar: self.readout(bar) for bar in READOUTS}

    def bar(self, name):
        return self.program.control(BAR, name)

    def focused_name(self):
        focused = self.program.focused()
        return focused.name if focused else None

    def wait_for_focus(self, name):
        wait_for(lambda: self.focused_name() == name, what="focus on " + name)

    def tab_to(self, name):
        for _ in TAB_CYCLE:
            if self.focused_name() == name:
                return
            self.program.key("Tab")
            wait_for(lambda: self.focused_name() is not None)
        self.wait_for_focus(name)

    def expect_readout(self, bar, text):
        wait_for(lambda: self.readout(bar) == text,
                 what="%s reading %s (it reads %s)" % (bar, text,
                                                     self.readout(bar)))

    def print_failure(self, timeout=30):
        """The texts of the print failure message, once it shows."""
        message = wait_for(lambda: message_boxes(self.program),
                           timeout=timeout,
                           what="the print failure message")[0]
        return " ".join(c.name for c in message)

    def close_message(self):
        self.program.key("Return")  # OK
        wait_for(lambda: len(self.program.windows()) == 1,
                 what="the message to close")
        self.program.focus_window()

    def expect_result(self, text):
        wait_for(lambda: self.result() == text,
                 what="the result %s (it reads %s)" % (text, self.result()))


class EndToEndTest(unittest.TestCase):

    def start(self, extra_environment=None, stderr=None):
        program = Program(PROGRAM, extra_environment, stderr)
        self.enterContext(program)
        return program, Session(program)

    def test_window_shows_every_control_where_the_layout_puts_it(self):
        program, session = self.start()
        program.screenshot(ARTEFACTS / "start.png")
        controls = program.controls()
        found = sorted((c.role, c.name, c.rect) for c in controls
                       if c.role != LABEL)
        self.assertEqual(found, sorted(FOCUSABLE))
        self.assertEqual(sum(c.role == LABEL for c in controls), LABELS)
        self.assertEqual(session.readouts(), START_READOUTS)
        self.assertEqual(session.result(), "")
        self.assertEqual(session.focused_name(), "計 算")

    def test_a_typical_session_with_the_keyboard_alone(self):
        program, session = self.start(NO_PRINT_SERVICE)
        # Lens 1: -1.00 / -1.00 / 10.  Lens 2: 0.00 / -0.50 / 30.
        session.tab_to("レンズ１ 球面度数")
        program.key("Next")
        session.expect_readout("レンズ１ 球面度数", "-1.00Ｄ")
        program.key("Tab", "Next")
        session.expect_readout("レンズ１ 円柱度数", "-1.00Ｄ")
        program.key("Tab", *["Next"] * 5, *["Right"] * 5)
        session.expect_readout("レンズ１ 軸度", "10°")
        program.key("Tab", "Tab", "Right", "Right")
        session.expect_readout("レンズ２ 円柱度数", "-0.50Ｄ")
        program.key("Tab", *["Next"] * 4)
        session.expect_readout("レンズ２ 軸度", "30°")

        program.key("Tab", "Tab")
        session.wait_for_focus("計 算")
        program.key("Return")
        session.expect_result("Ｓ-1.06Ｄ Ｃ-1.39Ｄ Ａ17°")
        program.screenshot(ARTEFACTS / "after-calculate.png")

        # Print with no print service: a message says why, nothing moves.
        session.tab_to("print")
        before = session.readouts()
        program.key("Return")
        self.assertIn("印刷できませんでした", session.print_failure())
        self.assertEqual(session.readouts(), before)
        self.assertEqual(session.result(), "Ｓ-1.06Ｄ Ｃ-1.39Ｄ Ａ17°")
        session.close_message()

        session.tab_to("リセット")
        program.key("Return")
        session.expect_result("")
        wait_for(lambda: session.readouts() == START_READOUTS)
        self.assertEqual(session.bar("レンズ１ 軸度").value, 90)

        session.tab_to("ＥＮＤ")
        program.key("space")
        self.assertEqual(program.wait_for_exit(), 0)

    def test_a_print_service_that_never_answers_never_freezes_the_window(self):
        service = self.enterContext(HungPrintService())
        program, session = self.start({"CUPS_SERVER": service.path})
        session.tab_to("print")
        program.key("Return")
        pressed = time.monotonic()

        # The window answers while the print is pending.
        axis = session.bar("レンズ１ 軸度")
        x, y, w, h = axis.rect
        program.click(x + w - 4, y + h // 2)  # right arrow
        # (a frozen window stays frozen for the whole bound)
        wait_for(lambda: session.readout("レンズ１ 軸度") == "89°", timeout=5,
                 what="the readout to follow a click while printing")

        # The failure box once the bound has passed, and nothing moved.
        texts = session.print_failure(timeout=PRINT_ACCEPT_BOUND + 30)
        self.assertGreater(time.monotonic() - pressed, PRINT_ACCEPT_BOUND - 1)
        self.assertIn("印刷できませんでした", texts)
        self.assertIn("プリンターが応答しません", texts)
        self.assertEqual(session.readout("レンズ１ 軸度"), "89°")
        session.close_message()

        # END while a print is pending ends the program at once.
        session.tab_to("print")
        program.key("Return")
        session.tab_to("ＥＮＤ")
        program.key("space")
        ended = time.monotonic()
        self.assertEqual(program.wait_for_exit(), 0)
        self.assertLess(time.monotonic() - ended, 5)

    def test_a_terminating_signal_while_printing_leaves_nothing_behind(self):
        service = self.enterContext(HungPrintService())
        errors = self.enterContext(tempfile.TemporaryFile(mode="w+"))
        program, session = self.start({"CUPS_SERVER": service.path}, errors)
        session.tab_to("print")
        program.key("Return")
        lp = wait_for(lambda: program.children("lp"), what="lp to start")
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait_for_exit(), 128 + signal.SIGTERM)
        wait_for(lambda: all(process_gone(pid) for pid in lp),
                 what="lp to end")
        errors.seek(0)
        self.assertNotIn("QProcess", errors.read())

    def test_the_copy_key_copies_the_result_line_as_shown(self):
        program, session = self.start()

        def clipboard():
            return subprocess.run(
                ["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                capture_output=True, text=True, timeout=30).stdout

        # With no result the clipboard keeps what another program put there.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"],
                       input="kept", text=True, check=True, timeout=30)
        program.key("ctrl+c")
        program.key("Return")  # calculate, where the focus starts
        session.expect_result("Ｓ 0.00Ｄ")
        self.assertEqual(clipboard(), "kept")
        program.key("ctrl+c")
        wait_for(lambda: clipboard() == "Ｓ 0.00Ｄ", what="the result copied")

    def test_no_display_ends_with_one_line_and_status_1(self):
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("DISPLAY", "WAYLAND_DISPLAY",
                                    "QT_QPA_PLATFORM")}
        for display, problem in [(None, "no display (DISPLAY is not set)"),
                                 (":31999", "the display :31999 cannot be "
                                            "reached")]:
            if display:
                environment["DISPLAY"] = display
            run = subprocess.run([PROGRAM], env=environment, timeout=60,
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 1, run.stderr)
            self.assertEqual(run.stderr,
                             "toric: cannot open a window: %s\n" % problem)

        # The command line is answered with no display at all.
        for arguments, status, start in [
                (["--version"], 0, "toric 1.0.0\n"),
                (["--help"], 0, "Usage: "),
                (["-platform", "nosuch"], 1, "toric: cannot open a window: "
                                             "Could not find the Qt platform "
                                             "plugin \"nosuch\"")]:
            run = subprocess.run([PROGRAM] + arguments, env=environment,
                                 timeout=60, capture_output=True, text=True)
            self.assertEqual(run.returncode, status, run.stderr)
            self.assertTrue((run.stdout + run.stderr).startswith(start),
                            run.stdout + run.stderr)


if __name__ == "__main__":
    PROGRAM = sys.argv[1]
    ARTEFACTS = pathlib.Path(sys.argv[2])
    ARTEFACTS.mkdir(parents=True, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
