"""A card package played as a person who got it by e-mail plays it: copied alone into a folder
of its own and started there. The temporary folder of its run is a folder of the test (through
with_temp.exe), so the test sees the private folder the package unpacks its card into, and that
nothing is left there at the end; the package's folder and the temporary folder are all a run
may write to, so logs and the tracker's file go to a third folder.

    run = PackageRun(session, options, folder, package_file, title).start()
    run.private_folder()             # the folder the package unpacks its card into
    run.track()                      # figure_tracker.exe on the package, for run.log()
    window = run.card_window()
    run.wait_exit(); run.private_folders()   # [] once the package has cleaned up
"""

import os
import re
import shutil

import screen
from png_file import write_png
from resource_ids import IDOK
from tracker_log import TrackerLog
from waiting import wait_for
from wine_session import Program, windows_path

PRIVATE_FOLDER = re.compile(r"^ZelkCard-[0-9A-Fa-f]{8}$")


def ascii_name(name):
    """`name` with everything but ASCII letters, digits and dashes as dashes."""
    return re.sub(r"[^A-Za-z0-9-]", "-", name)


def fresh_folder(path):
    if os.path.exists(path):
        for root, dirs, _ in os.walk(path):
            for name in dirs:
                os.chmod(os.path.join(root, name), 0o755)
        shutil.rmtree(path)
    os.makedirs(path)
    return path


class PackageRun:
    """One package file copied alone into `folder` and played with the temporary folder
    `temp`: by default a fresh folder beside `folder`, named in ASCII (a user's temporary folder
    that the ANSI code page cannot spell is given to the card program in its short form)."""

    def __init__(self, session, options, folder, package, title, temp=None):
        self.session, self.options, self.title = session, options, title
        self.folder = fresh_folder(folder)
        self.package = os.path.join(folder, os.path.basename(package))
        shutil.copy(package, self.package)
        beside = os.path.join(os.path.dirname(folder), ascii_name(os.path.basename(folder)))
        self.temp = temp or fresh_folder(beside + ".temp")
        self.logs = fresh_folder(beside + ".logs")
        self.launcher = self.program = self.private = self.tracker = None
        self.earlier_folders = set()
        self.shots = 0

    def start(self, dll_overrides="", env=None):
        self.earlier_folders = set(self.private_folders())
        self.launcher = self.session.start(
            self.options.launcher, [windows_path(self.temp), windows_path(self.package)],
            cwd=self.logs, dll_overrides=dll_overrides, env=env, log_name="package.log")
        # The package's own windows (a refusal's message box) belong to the package file.
        self.program = Program(self.launcher.process, self.package, self.launcher.log_path)
        return self

    def private_folders(self):
        if not os.path.isdir(self.temp):
            return []
        return sorted(n for n in os.listdir(self.temp) if PRIVATE_FOLDER.match(n))

    def new_private_folders(self):
        return [n for n in self.private_folders() if n not in self.earlier_folders]

    def card_program(self):
        """The program whose windows are the card's: the package itself plays it."""
        return self.program

    def private_folder(self, timeout=60):
        """The private folder this run's package made (a Unix path)."""
        if not self.private:
            name = wait_for("the package's private folder", lambda: (
                self.new_private_folders() + [None])[0], timeout=timeout)
            self.private = os.path.join(self.temp, name)
        return self.private

    def track(self):
        """Starts figure_tracker.exe on the package."""
        self.tracker = self.session.start(
            self.options.tracker, [self.program.windows_exe, self.title,
                                   windows_path(os.path.join(self.logs, "tracker.txt"))],
            cwd=self.logs, log_name="tracker.log")
        wait_for("the tracker", lambda: self.log().work_area)
        return self

    def log(self):
        return TrackerLog(os.path.join(self.logs, "tracker.txt"))

    def card_window(self, timeout=120):
        """The card window as window_probe.exe sees it, once the card program shows it."""
        return wait_for("the card window", lambda: self.session.window(
            self.title, having=IDOK, program=self.card_program()), timeout=timeout)

    def wait_exit(self, timeout=60):
        return self.launcher.wait_exit(timeout)

    def shoot(self, name):
        """A screenshot of the whole screen, kept in the run's logs as NN-name.png."""
        image = self.session.grab(0, 0, screen.SCREEN[2], screen.SCREEN[3])
        self.shots += 1
        write_png(os.path.join(self.logs, "%02d-%s.png" % (self.shots, name)),
                  image.width, image.height, image.data, alpha=False)
        return image

    def stop(self):
        """Ends the tracker and with_temp.exe, whose job takes the package along."""
        for process in (self.tracker, self.launcher):
            if process:
                process.kill()
