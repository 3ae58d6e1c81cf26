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
