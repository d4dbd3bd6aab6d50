"""Printing the window through a real CUPS print service.

Usage: print_cups_test.py PRINT_TEST COMMANDS_TEST
PRINT_TEST and COMMANDS_TEST are the Qt Test programs form1_print_test and
form1_commands_test; they are run against a private cupsd with and without
a printer, and the page that arrives is checked. The queue prints into a
scratch file: nothing here touches the user's home (~/PDF) or /etc/cups.
"""

import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent / "support"))
from ppm import render_pages  # noqa: E402
from print_service import PrintService  # noqa: E402
from window_page import assert_whole_window  # noqa: E402

QUEUE = "toric-pdf"
DPI = 50  # of the page rendered for checking where things are
SHARP_DPI = 300  # of the page rendered for checking how sharp it is

PROGRAMS = {}


def run_qt_test(program, function, env):
    env = dict(env, QT_QPA_PLATFORM="offscreen", QT_FONT_DPI="96",
               LANG="C.UTF-8")
    return subprocess.run([program, function], env=env, capture_output=True,
                          text=True, timeout=60)


def steepest_steps(image, box):
    """The grey-level step between horizontal neighbours that only the
    steepest 1 % of the non-zero steps in `box` reach (0 to 255)."""
    left, top, right, bottom = box
    steps = []
    for y in range(top, bottom + 1):
        row = [sum(image.pixel(x, y)) // 3 for x in range(left, right + 1)]
        steps += [abs(a - b) for a, b in zip(row, row[1:]) if a != b]
    steps.sort()
    return steps[int(len(steps) * 0.99)]


def home_pdf_folder_state():
    """Names, sizes and times of what ~/PDF holds, read without opening it."""
    folder = pathlib.Path.home() / "PDF"
    if not folder.is_dir():
        return None
    return sorted((p.name, p.stat().st_size, p.stat().st_mtime_ns)
                  for p in folder.iterdir())


class PrintOnRealServiceTest(unittest.TestCase):

    def test_print_sends_one_job_holding_one_page_with_the_window(self):
        home_pdfs_before = home_pdf_folder_state()
        with PrintService() as service:
            service.add_file_queue(QUEUE)
            run = run_qt_test(PROGRAMS["print"],
                              "print_sends_the_window_to_the_default_printer"
                              "_without_a_dialog", service.environment())
            print(run.stdout)
            self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

            jobs = service.wait_for_completed_jobs(1)
            self.assertEqual(len(jobs), 1, jobs)
            self.assertTrue(jobs[0].startswith(QUEUE + "-"), jobs)
            page = service.output.read_bytes()
            self.assertIn(b"\n%%Pages: 1\n", page)
            self.check_page(service.output)
        self.assertEqual(home_pdf_folder_state(), home_pdfs_before)

    def check_page(self, printed):
        with tempfile.TemporaryDirectory() as folder:
            page = render_pages(printed, DPI, folder)[0]
            sharp = render_pages(printed, SHARP_DPI, folder)[0]

        # The whole window, at its size on screen, near the top-left corner.
        left, top, right, bottom = assert_whole_window(self, page, DPI)
        self.assertLess(left, DPI)  # within an inch of the edges
        self.assertLess(top, DPI)

        # Drawn at the page's resolution, not a screen picture scaled up: at
        # 300 dpi edges step from ink to paper within a pixel or two (about
        # 220 of 255 at the steepest; a scaled 96 dpi picture reaches 67).
        scale = SHARP_DPI // DPI
        window = (left * scale, top * scale, right * scale, bottom * scale)
        self.assertGreater(steepest_steps(sharp, window), 150)

    def test_print_with_no_queue_reports_the_failure_and_returns(self):
        with PrintService() as service:
            environment = dict(service.environment(),
                               TORIC_EXPECTED_PRINT_FAILURE="プリンターが設定"
                                                            "されていません。")
            run = run_qt_test(PROGRAMS["commands"],
                              "print_without_a_printer_says_so_and_keeps_"
                              "every_value", environment)
            self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
            self.assertEqual(service.completed_jobs(), [])


if __name__ == "__main__":
    PROGRAMS["print"], PROGRAMS["commands"] = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
