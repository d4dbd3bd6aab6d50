"""A private CUPS print service for the tests.

cupsd runs in the foreground as a child of the test, with every file it
keeps in a scratch folder, and is ended by its own pid. Clients reach it
through CUPS_SERVER, set to its socket. Queues print into a file in the
same scratch folder, never into the user's home or /etc/cups.
"""

import os
import pathlib
import shutil
import subprocess
import tempfile
import time

CUPS_PDF_PPD = "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"

_CUPSD_CONF = """\
Listen {root}/cups.sock
LogLevel debug
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
"""

_CUPS_FILES_CONF = """\
ServerRoot {root}
RequestRoot {root}/spool
CacheDir {root}/cache
StateDir {root}/state
TempDir {root}/tmp
ErrorLog {root}/log/error_log
AccessLog {root}/log/access_log
PageLog {root}/log/page_log
FileDevice Yes
"""


class PrintService:
    """cupsd in a scratch folder; use as a context manager."""

    def __init__(self):
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="toric-cups-"))
        self.socket = self.root / "cups.sock"
        self.output = self.root / "out" / "page"
        self._process = None

    def __enter__(self):
        # Filters run as the unprivileged lp user: the folders they read and
        # write must be open to it.
        self.root.chmod(0o755)
        for folder in ("spool", "cache", "state", "log", "out"):
            (self.root / folder).mkdir(mode=0o755)
        (self.root / "tmp").mkdir()
        (self.root / "tmp").chmod(0o1777)
        (self.root / "cupsd.conf").write_text(_CUPSD_CONF.format(root=self.root))
        (self.root / "cups-files.conf").write_text(
            _CUPS_FILES_CONF.format(root=self.root))
        self._process = subprocess.Popen(
            ["cupsd", "-f", "-c", str(self.root / "cupsd.conf"),
             "-s", str(self.root / "cups-files.conf")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while not self._answers():
            if self._process.poll() is not None or time.monotonic() > deadline:
                self.__exit__(None, None, None)
                raise RuntimeError("cupsd did not start: " + self.log())
            time.sleep(0.1)
        return self

    def __exit__(self, *_):
        if self._process is not None and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def environment(self):
        """The environment for a client of this service."""
        env = dict(os.environ)
        env["CUPS_SERVER"] = str(self.socket)
        return env

    def run(self, *command):
        return subprocess.run(command, env=self.environment(), check=True,
                              capture_output=True, text=True).stdout

    def add_file_queue(self, name):
        """Adds a queue with the PDF printer's driver that prints into the
        file `output`, and makes it the default printer."""
        self.run("lpadmin", "-p", name, "-E", "-v", "file://" + str(self.output),
                 "-m", CUPS_PDF_PPD)
        self.run("lpadmin", "-d", name)

    def remove_queue(self, name):
        self.run("lpadmin", "-x", name)

    def completed_jobs(self):
        out = self.run("lpstat", "-W", "completed", "-o")
        return [line for line in out.splitlines() if line.strip()]

    def wait_for_completed_jobs(self, count, timeout=60):
        deadline = time.monotonic() + timeout
        while len(self.completed_jobs()) < count:
            if time.monotonic() > deadline:
                raise TimeoutError("jobs not completed: " + self.log())
            time.sleep(0.2)
        return self.completed_jobs()

    def log(self):
        path = self.root / "log" / "error_log"
        return path.read_text(errors="replace")[-4000:] if path.exists() else ""

    def _answers(self):
        if not self.socket.exists():
            return False
        result = subprocess.run(["lpstat", "-r"], env=self.environment(),
                                capture_output=True, text=True)
        return result.returncode == 0 and "is running" in result.stdout
