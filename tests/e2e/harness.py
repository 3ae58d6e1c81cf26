"""The end-to-end tests' view of the Wine desktop: Notepad's text and
selection, key events and the clipboard, through e2etool.exe."""

import contextlib
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from winedesk import WineDesktop  # noqa: E402


class Desktop(WineDesktop):
    def __init__(self, build_win, **kwargs):
        super().__init__(build_win, **kwargs)
        self.tmp = tempfile.mkdtemp(prefix="tagsling-e2e-")

    def notepad_text(self):
        # The edit control keeps CR LF line breaks as the user sees them.
        return self.tool("text", "Notepad")

    def set_notepad_text(self, text):
        self.tool("settext", "Notepad", text)

    def notepad_selection(self):
        start, end = self.tool("sel", "Notepad").split()
        return int(start), int(end)

    def select_in_notepad(self, start, end):
        self.tool("setsel", "Notepad", str(start), str(end))

    def focus_notepad(self):
        self.tool("activate", "Notepad")

    def keys(self, *steps):
        self.tool("keys", *steps)

    def reset(self):
        """Called before every test: Notepad up, empty and in front, no key held."""
        self.start_notepad()
        self.tool("keys", "up:SHIFT", "up:CTRL", "up:ALT")
        self.set_notepad_text("")
        self.focus_notepad()

    def wait_until(self, predicate, seconds=10, interval=0.2, message="condition not met"):
        deadline = time.time() + seconds
        while time.time() < deadline:
            value = predicate()
            if value:
                return value
            time.sleep(interval)
        raise AssertionError(message)


MAIN = "TTagslingMain"


def settings_path(desk):
    """The settings file beside tagsling.exe."""
    return os.path.join(desk.build_win, "tagsling.INI")


def read_settings(desk):
    """The settings file's text (code page 932)."""
    with open(settings_path(desk), "rb") as handle:
        return handle.read().decode("cp932")


@contextlib.contextmanager
def started_with_settings(desk, ini_text, wait=True):
    """tagsling.exe running with `ini_text` as its settings file; the file
    that was there before comes back afterwards. With `wait` the main window
    is up (and has had half a second to settle) when the block starts."""
    path = settings_path(desk)
    saved = open(path, "rb").read() if os.path.exists(path) else None
    with open(path, "wb") as handle:
        handle.write(ini_text.encode("cp932"))
    process = desk.start(desk.win_exe("tagsling.exe"))
    try:
        if wait:
            desk.wait_window(MAIN, 30)
            time.sleep(0.5)
        yield process
    finally:
        if process.poll() is None:
            desk.tool("close", MAIN, check=False)
            try:
                process.wait(timeout=10)
            except Exception:  # noqa: BLE001 - a resident or stuck palette only hides: stop it
                desk.stop(process)
        if saved is None:
            if os.path.exists(path):
                os.remove(path)
        else:
            with open(path, "wb") as handle:
                handle.write(saved)


@contextlib.contextmanager
def screen_dpi(desk, dpi):
    """The display scaled to `dpi` dots per inch for programs started in the
    block; 96 again afterwards."""
    key = r"HKCU\Control Panel\Desktop"

    def set_dpi(value):
        desk.run("reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(value), "/f")

    set_dpi(dpi)
    try:
        yield
    finally:
        set_dpi(96)


# ---- Stand-in browsers, extprobe and the palette's menus --------------------
# Used by the browser tests; extbrowser.exe and extprobe.exe are built with
# the end-to-end tools.

def probe_windows(desk, cls):
    """{hwnd: (left, top, right, bottom, maximised, title)} of the class's
    visible top-level windows, as extprobe.exe lists them."""
    found = {}
    listing = desk.run(desk.win_exe("extprobe.exe"), "windows", cls).stdout.decode("utf-8")
    for line in listing.splitlines():
        parts = line.split(" ", 6)
        found[parts[0]] = tuple(int(v) for v in parts[1:6]) + (parts[6] if len(parts) > 6 else "",)
    return found


def close_window(desk, hwnd):
    desk.run(desk.win_exe("extprobe.exe"), "close", hwnd)


def palette_menu(desk, *letters):
    """Alt+first letter on the palette, then the other letters in turn."""
    desk.tool("activate", MAIN)
    time.sleep(0.3)
    desk.keys("down:ALT", "tap:" + letters[0], "up:ALT")
    for letter in letters[1:]:
        time.sleep(0.4)
        desk.keys("tap:" + letter)


def notepad_editor_settings(desk, folder, extra_option=""):
    """Settings with Wine's Notepad as the editor, found by its class, and
    `folder` as the base folder, so the file name in Notepad's title is
    looked up inside it."""
    return ("[Option]\r\nSplashWindow=0\r\nEditorFile=C:\\windows\\notepad.exe\r\nEditorWindowClass=Notepad\r\n"
            "Public_Dir=%s\r\n%s" % (desk.winpath(folder), extra_option))


class DocumentInNotepad:
    """A second Notepad showing the file at `path` (Linux form), in front of
    the harness's Notepad while open, closed on leaving."""

    def __init__(self, desk, path):
        self.desk = desk
        before = set(probe_windows(desk, "Notepad"))
        desk.start("notepad", desk.winpath(path))
        name = os.path.basename(path)
        self.hwnd = desk.wait_until(
            lambda: next((h for h, w in probe_windows(desk, "Notepad").items() if h not in before and name in w[5]),
                         None), 20, message="Notepad did not open " + name)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        close_window(self.desk, self.hwnd)
        self.desk.wait_until(lambda: self.hwnd not in probe_windows(self.desk, "Notepad"), 10,
                             message="the document's Notepad did not close")


class StandInBrowser:
    """extbrowser.exe as a browser window of class `cls` titled `title`,
    started and ready, recording the keys it gets; with `strip` it keeps a
    page child below a tool strip that many pixels high and records the
    page area's size after each sizing. Closed (its process ended) on
    leaving."""

    def __init__(self, desk, title, cls, strip=None):
        self.desk = desk
        self.cls = cls
        self.record = os.path.join(desk.tmp, "browser-%d.txt" % time.monotonic_ns())
        before = set(probe_windows(desk, cls))
        args = ["--class", cls] + (["--page", str(strip)] if strip is not None else [])
        self.process = desk.start(desk.win_exe("extbrowser.exe"), *args, title, desk.winpath(self.record))
        desk.wait_until(lambda: "ready" in self.lines(), 20, message="the stand-in browser did not start")
        self.hwnd = desk.wait_until(lambda: next((h for h in probe_windows(desk, cls) if h not in before), None), 10,
                                    message="the stand-in browser's window is not there")

    def lines(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record, encoding="utf-8") as handle:
            return handle.read().splitlines()

    def keys(self):
        return [line for line in self.lines() if line.startswith("key")]

    def page(self):
        """The page area's last recorded size, or None."""
        sizes = [tuple(int(v) for v in line.split()[1:]) for line in self.lines() if line.startswith("page ")]
        return sizes[-1] if sizes else None

    def title(self):
        return probe_windows(self.desk, self.cls)[self.hwnd][5]

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.hwnd in probe_windows(self.desk, self.cls):
            close_window(self.desk, self.hwnd)
        try:
            self.process.wait(timeout=10)
        except Exception:  # noqa: BLE001 - a stuck stand-in is stopped
            self.desk.stop(self.process)
