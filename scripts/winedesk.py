"""A Wine desktop for running Tagsling beside Wine's Notepad.

One WineDesktop owns a Wine prefix under /tmp (virtual desktop 1280x800,
Japanese locale so the ANSI code page is 932), an Xvfb display when there is
no usable one, and Wine's Notepad. Creating a prefix takes about 15 seconds;
later starts reuse it. Everything started here is stopped by close().
"""

import fcntl
import os
import shutil
import signal
import subprocess
import tempfile
import time

DESKTOP_SIZE = "1280x800"


def _free_display():
    for number in range(90, 200):
        if not os.path.exists(f"/tmp/.X{number}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return f":{number}"
    raise RuntimeError("no free X display number")


class WineDesktop:
    def __init__(self, build_win, prefix=None, display=None, log_dir=None):
        self.build_win = os.path.abspath(build_win)
        # Each run gets a prefix of its own, copied from a template prefix that
        # is made once, so runs side by side never share a wineserver.
        self.template = "/tmp/tagsling-wine-template"
        self.prefix = prefix or "/tmp/tagsling-wine-run-%d" % os.getpid()
        self.log_dir = log_dir or "/tmp/tagsling-wine-logs"
        os.makedirs(self.log_dir, exist_ok=True)
        self.xvfb = None
        self.display = display
        self.processes = []
        self.owns_prefix = False
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            "WINEARCH": "win64",
            # No Mono or Gecko installer dialogs when the prefix is created.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": "ja_JP.UTF-8",
            "LC_ALL": "ja_JP.UTF-8",
        })

    # --- lifecycle -------------------------------------------------------

    def open(self):
        if not self.display:
            self.display = _free_display()
            self.xvfb = subprocess.Popen(
                ["Xvfb", self.display, "-screen", "0", DESKTOP_SIZE + "x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self._wait_for_display()
        self.env["DISPLAY"] = self.display
        self._prepare_prefix()
        # A persistent wineserver keeps every later wine start at about 0.2 s.
        subprocess.run(["wineserver", "-p"], env=self.env, check=False)
        return self

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
            self.xvfb = None
        if self.owns_prefix:
            shutil.rmtree(self.prefix, ignore_errors=True)

    def _wait_for_display(self):
        deadline = time.time() + 10
        number = self.display.lstrip(":")
        while time.time() < deadline:
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return
            time.sleep(0.1)
        raise RuntimeError("Xvfb did not start on " + self.display)

    def _prepare_prefix(self):
        with open(self.template + ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if not os.path.exists(os.path.join(self.template, ".tagsling-ready")):
                self._make_template()
        if not os.path.exists(os.path.join(self.prefix, ".tagsling-ready")):
            shutil.rmtree(self.prefix, ignore_errors=True)
            subprocess.run(["cp", "-a", self.template, self.prefix], check=True)
            self.owns_prefix = True

    def _make_template(self):
        env = dict(self.env, WINEPREFIX=self.template)
        shutil.rmtree(self.template, ignore_errors=True)
        subprocess.run(["wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        # The virtual desktop keeps focus where clicks and pastes expect it.
        for key, name, value in ((r"HKCU\Software\Wine\Explorer", "Desktop", "Default"),
                                 (r"HKCU\Software\Wine\Explorer\Desktops", "Default", DESKTOP_SIZE)):
            subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-k"], env=env, check=False)
        subprocess.run(["wineserver", "-w"], env=env, check=False, timeout=120)
        with open(os.path.join(self.template, ".tagsling-ready"), "w") as handle:
            handle.write("ready\n")

    # --- programs --------------------------------------------------------

    def win_exe(self, name):
        return os.path.join(self.build_win, name)

    def run(self, exe, *args, timeout=30, cwd=None):
        # Output goes through files, not pipes: the first Wine program of a
        # session starts background services that would inherit a pipe and
        # keep it open long after the program itself has ended.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.run(["wine", exe, *map(str, args)], env=self.env, stdout=out, stderr=err,
                                     timeout=timeout, cwd=cwd)
            out.seek(0)
            err.seek(0)
            process.stdout = out.read()
            process.stderr = err.read()
        return process

    def start(self, exe, *args, cwd=None):
        name = os.path.basename(str(exe))
        log = open(os.path.join(self.log_dir, name + ".log"), "ab")
        process = subprocess.Popen(["wine", exe, *map(str, args)], env=self.env, cwd=cwd,
                                   stdout=log, stderr=log)
        self.processes.append(process)
        return process

    def stop(self, process, timeout=5):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()

    # Verbs that only look: safe to run again.
    READING_VERBS = {"text", "sel", "title", "clip", "clipformat", "clipgraphics", "find", "rect",
                     "foreground", "workarea"}

    def tool(self, *args, check=True, timeout=30):
        """Runs e2etool.exe; returns its standard output as text. A reading
        verb whose process ended in failure without a word from the tool
        (Wine itself failed to run it, which happens rarely under load) is
        run again, up to twice."""
        attempts = 3 if args and args[0] in self.READING_VERBS else 1
        for attempt in range(attempts):
            result = self.run(self.win_exe("e2etool.exe"), *args, timeout=timeout)
            if result.returncode == 0 or result.stderr.strip():
                break
            time.sleep(0.2)
        if check and result.returncode != 0:
            raise RuntimeError("e2etool %s failed (exit %d): %s" % (
                " ".join(map(str, args)), result.returncode, result.stderr.decode("utf-8", "replace").strip()))
        return result.stdout.decode("utf-8", "replace")

    def has_window(self, cls):
        return self.tool("find", cls, check=False) != ""

    def wait_window(self, cls, seconds=20):
        self.tool("wait", cls, str(seconds), timeout=seconds + 15)

    def start_notepad(self):
        if not self.has_window("Notepad"):
            self.start("notepad")
            self.wait_window("Notepad")

    def free_area(self, palette="TTagslingMain"):
        """(left, top, right, bottom) of the screen area the palette leaves
        free, computed as the program does for an editor it starts: below a
        maximised palette (a strip along the top of the work area), the whole
        work area beside a docked palette (which lies outside the work area);
        None otherwise (a floating palette, or no palette in view)."""
        rect = self.tool("rect", palette, check=False).split()
        if len(rect) != 4:
            return None
        palette_left, palette_top, palette_right, palette_bottom = map(int, rect)
        left, top, right, bottom = map(int, self.tool("workarea").split())
        if self.tool("zoomed", palette).strip() == "1":
            return left, palette_bottom, right, bottom
        if palette_bottom <= top or palette_top >= bottom or palette_right <= left or palette_left >= right:
            return left, top, right, bottom
        return None

    def place_in_free_area(self, window="Notepad", palette="TTagslingMain"):
        """Moves `window` (a class) into the palette's free area; returns the
        area, or None when there is none and the window stays put."""
        area = self.free_area(palette)
        if area:
            left, top, right, bottom = area
            self.tool("place", window, left, top, right - left, bottom - top)
        return area

    # --- screen ----------------------------------------------------------

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True,
                              timeout=30).stdout

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path], env=self.env, check=True,
                       timeout=60)
        return path

    def winpath(self, linux_path):
        return "Z:" + os.path.abspath(linux_path).replace("/", "\\")
