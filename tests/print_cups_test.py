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

QUEUE = "toric-pdf"
DPI = 50  # of the page rendered for checking where things are
SHARP_DPI = 300  # of the page rendered for checking how sharp it is
WINDOW = (555, 379)  # the window in pixels at 96 dpi
ORANGE = (0xFF, 0xC0, 0x80)  # the calculate button's face
BLUE = (0x00, 0x00, 0xFF)  # readouts and result

PROGRAMS = {}


def run_qt_test(program, function, env):
    env = dict(env, QT_QPA_PLATFORM="offscreen", QT_FONT_DPI="96",
               LANG="C.UTF-8")
    return subprocess.run([program, function], env=env, capture_output=True,
                          text=True, timeout=60)


def to_page_pixels(pixels_at_96_dpi):
    return pixels_at_96_dpi * DPI / 96


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

        # The window, at its size on screen, near the top-left corner.
        ink = [(x, y) for y in range(page.height) for x in range(page.width)
               if page.pixel(x, y) != (255, 255, 255)]
        left, top, right, bottom = page.bounding_box(ink)
        self.assertAlmostEqual(right - left + 1, to_page_pixels(WINDOW[0]),
                               delta=4)
        self.assertAlmostEqual(bottom - top + 1, to_page_pixels(WINDOW[1]),
                               delta=4)
        self.assertLess(left, DPI)  # within an inch of the edges
        self.assertLess(top, DPI)

        # The calculate button's face, where the button is in the window.
        orange = page.points_near(ORANGE, 12)
        self.assertGreater(len(orange), 500)
        o_left, o_top, o_right, o_bottom = page.bounding_box(orange)
        self.assertAlmostEqual(o_left - left, to_page_pixels(440), delta=4)
        self.assertAlmostEqual(o_top - top, to_page_pixels(248), delta=4)
        self.assertAlmostEqual(o_right - o_left + 1, to_page_pixels(89),
                               delta=4)

        # Blue text in the result line's box.
        blue = [p for p in page.points_near(BLUE, 60)
                if to_page_pixels(264) <= p[1] - top <= to_page_pixels(305)]
        self.assertGreater(len(blue), 30)

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
