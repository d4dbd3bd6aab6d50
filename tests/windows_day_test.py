"""A Japanese optician's day with the Windows installer, under wine.

Usage: windows_day_test.py SETUP_EXE ZIP SCRATCH_FOLDER

Runs on a virtual display (DISPLAY set), in a wine prefix of its own under
SCRATCH_FOLDER, in a Japanese locale built there (code page 932), with a
print service of its own: install silently, start the installed toric.exe,
set lens 1 by keys, calculate, copy the line, print it and check the page
that arrives, end with the END button, run the installed toric-combine.exe
with the pasted line and with a list whose name is Japanese, uninstall, and
check that no file, shortcut or registry key of the program is left.
The zip must hold what the installer installs.
Wine's menu builder is off and HOME is in the scratch folder, so nothing
reaches the user's desktop menus or home.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import time
import unittest
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).parent / "support"))
from ppm import render_pages  # noqa: E402
from print_service import PrintService  # noqa: E402
from window_page import assert_whole_window  # noqa: E402

WINE64 = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
FOLDER = "Toric Lens Combination"
QUEUE = "counter"  # the print service's one printer, the default

COPIED = "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°"  # lens 1 S-1.25 C-0.50 A180, lens 2 none
DPI = 50  # of the page rendered for checking

SETUP = None
ZIP = None
SCRATCH = None


def written_by_wine_or_nsis(path):
    """What wine writes for the test's printer as programs come to use it
    (its driver's keys, its PPD), and the copy of itself the uninstaller
    runs from in Temp (left, as on Windows, to Temp's cleaning)."""
    return (QUEUE in path or "wine_ppds" in path or
            re.search(r"/Temp/~nsu[0-9]*\.tmp(/Un\.exe)?$", path))


class OpticiansDay(unittest.TestCase):

    def setUp(self):
        shutil.rmtree(SCRATCH, ignore_errors=True)
        for folder in ("home", "locale"):
            (SCRATCH / folder).mkdir(parents=True)
        self.env = dict(os.environ, HOME=str(SCRATCH / "home"),
                        WINEPREFIX=str(SCRATCH / "wine"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="winemenubuilder.exe=d",
                        LANG="ja_JP.UTF-8", LOCPATH=str(SCRATCH / "locale"))
        self.env.pop("LC_ALL", None)
        self.env.pop("LC_CTYPE", None)
        # localedef exits non-zero on mere warnings: the locale wine reports
        # in the test says whether it took.
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                        str(SCRATCH / "locale" / "ja_JP.UTF-8")],
                       env=self.env, capture_output=True)
        self.drive_c = SCRATCH / "wine" / "drive_c"
        self.installed = self.drive_c / "Program Files" / FOLDER
        self.menu = (self.drive_c / "ProgramData" / "Microsoft" / "Windows" /
                     "Start Menu" / "Programs" / FOLDER)

    def tearDown(self):
        subprocess.run([WINESERVER, "-k"], env=self.env,
                       capture_output=True)

    def wine(self, *command, wine=WINE64, cwd=None):
        result = subprocess.run([wine, *command], env=self.env, cwd=cwd,
                                capture_output=True, timeout=120)
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=120)
        return result

    def registry_keys(self):
        keys = set()
        for hive in ("system.reg", "user.reg"):
            text = (SCRATCH / "wine" / hive).read_text(errors="replace")
            keys |= {line.split("]")[0] for line in text.splitlines()
                     if line.startswith("[")}
        return keys

    def files(self):
        return {str(p.relative_to(self.drive_c))
                for p in self.drive_c.rglob("*")}

    def test_install_calculate_copy_print_combine_uninstall(self):
        with PrintService() as service:
            service.add_file_queue(QUEUE)
            self.env["CUPS_SERVER"] = str(service.socket)
            # The printer is there before the program: wine takes the queue
            # into its registry and spool folder as its own printer.
            self.wine("wineboot", "-i")
            locale = self.wine("reg", "query",
                               r"HKCU\Control Panel\International", "/v",
                               "LocaleName").stdout
            self.assertIn(b"ja-JP", locale, "wine is not in a Japanese locale")
            files_before, keys_before = self.files(), self.registry_keys()

            install = self.wine(str(SETUP), "/S")
            self.assertEqual(install.returncode, 0, install)
            self.assertTrue((self.installed / "toric.exe").is_file())
            self.assertTrue((self.menu / (FOLDER + ".lnk")).is_file())
            self.assertEqual(self.zipped_files(), self.installed_files())
            self.answer_on_the_console()
            self.use_the_window(service)
            # Kept beside the window's screenshot, to be looked at.
            shutil.copy(service.output, SCRATCH / "page.ps")
            self.combine_on_the_command_line()

            uninstaller = self.installed / "Uninstall.exe"
            self.assertEqual(self.wine(str(uninstaller), "/S").returncode, 0)
            self.assertFalse(self.installed.exists())
            self.assertFalse(self.menu.exists())
            left = {f for f in self.files() - files_before
                    if not written_by_wine_or_nsis(f)}
            self.assertEqual(left, set(), "files left after uninstalling")
            left = {k for k in self.registry_keys() - keys_before
                    if not written_by_wine_or_nsis(k)}
            self.assertEqual(left, set(), "registry keys left")
        self.check_page(SCRATCH / "page.ps")

    def installed_files(self):
        return {str(p.relative_to(self.installed))
                for p in self.installed.rglob("*") if p.is_file()} - {
                    "Uninstall.exe"}

    def zipped_files(self):
        with zipfile.ZipFile(ZIP) as archive:
            return {name.split("/", 1)[1] for name in archive.namelist()
                    if not name.endswith("/")}

    def answer_on_the_console(self):
        program = str(self.installed / "toric.exe")
        version = self.wine(program, "--version")
        self.assertEqual(version.stdout, b"toric 1.0.0\r\n")
        unknown = self.wine(program, "--no-such-option")
        self.assertEqual(unknown.returncode, 2)
        self.assertIn(b"Unknown option 'no-such-option'", unknown.stderr)

    def use_the_window(self, service):
        program = subprocess.Popen([WINE64, str(self.installed / "toric.exe")],
                                   env=self.env)
        try:
            window = subprocess.run(
                ["xdotool", "search", "--sync", "--onlyvisible", "--name",
                 "^Form1$"], capture_output=True, text=True,
                timeout=120).stdout.split()[0]
            subprocess.run(["xdotool", "windowfocus", "--sync", window])
            time.sleep(1)  # wine maps the window before Qt takes keys
            # From the calculate button, which has the focus at the start:
            self.keys("Tab Tab Tab Right Right Right Right Right"  # S-1.25
                      " Tab Right Right"  # C-0.50
                      " Tab End"  # A180
                      " shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab"
                      " Return ctrl+c")  # calculate, copy
            self.assertEqual(self.clipboard(COPIED), COPIED)
            # Print, the control before, pressed twice as a hurried hand
            # does: one page.
            self.keys("shift+Tab Return Return")
            jobs = service.wait_for_completed_jobs(1)
            time.sleep(3)  # a second job would have arrived by now
            self.assertEqual(len(service.completed_jobs()), 1, jobs)
            subprocess.run(["import", "-window", window,
                            str(SCRATCH / "window.png")])
            self.keys("Tab Tab Tab Return")  # END, after calculate and reset
            self.assertEqual(program.wait(timeout=30), 0)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()

    def keys(self, sequence):
        for key in sequence.split():
            subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(0.2)

    def clipboard(self, expected):
        copied = ""
        for _ in range(50):
            copied = subprocess.run(
                ["xclip", "-o", "-selection", "clipboard", "-t",
                 "UTF8_STRING"], capture_output=True, text=True).stdout
            if copied == expected:
                break
            time.sleep(0.2)
        return copied

    def check_page(self, printed):
        pages = render_pages(printed, DPI, SCRATCH / "page")
        self.assertEqual(len(pages), 1)
        # The whole window, at its size on screen, in the middle of the
        # paper.
        left, top, right, bottom = assert_whole_window(self, pages[0], DPI)
        self.assertAlmostEqual(left, pages[0].width - 1 - right, delta=4)
        self.assertAlmostEqual(top, pages[0].height - 1 - bottom, delta=4)

    def combine_on_the_command_line(self):
        combine = str(self.installed / "toric-combine.exe")
        run = self.wine(combine, COPIED, "+0.50 -0.75 x90")
        self.assertEqual(run.stdout.decode(), "Ｓ-1.25Ｄ Ｃ-0.25Ｄ Ａ90°\n",
                         run.stderr.decode(errors="replace"))
        lists = SCRATCH / "lists"
        lists.mkdir()
        (lists / "処方.txt").write_text(
            "# 田中様\n"
            "-1.25 -0.50 x180; +0.50 -0.75 x90\n"
            "S-2.00 C-1.00 A45;-0.50DS/-0.25DC AX135\n", encoding="utf-8")
        run = self.wine(combine, "--plain", "処方.txt", cwd=lists)
        self.assertEqual(run.stdout.decode(),
                         "# 田中様\nS-1.25 C-0.25 A90\nS-2.75 C-0.75 A45\n",
                         run.stderr.decode(errors="replace"))


if __name__ == "__main__":
    SETUP, ZIP, SCRATCH = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
    unittest.main(argv=sys.argv[:1], verbosity=2)
