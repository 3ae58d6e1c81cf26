"""The end-to-end tests' view of the Wine desktop: Notepad's text and
selection, key events and the clipboard, through e2etool.exe."""

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
