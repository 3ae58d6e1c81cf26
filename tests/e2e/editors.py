"""The text editors people write HTML in, driven the same way for the
end-to-end tests: Wine's Notepad (an Edit control), Sakura Editor (its own
text view, which answers no WM_GETTEXT) and Notepad++ (Scintilla).

Sakura Editor and Notepad++ come built in shared/editors beside the checkout (read-only);
each test copies the editor's folder into the run's scratch folder once and
starts the copy with a document of its own: both write into their folder.
Their text is read back from the document after Ctrl+S, and the caret by a
marker letter typed where it stands, so one set of checks serves all three.

Each editor is started per test with `open_editor` and ended by the context
manager; an editor that does not start fails the test."""

import contextlib
import os
import shutil
import time

from harness import MAIN, settings_with

# The editors' builds, in the shared folder beside the checkout (read-only).
SHARED_EDITORS = os.environ.get("TAGSLING_EDITORS") or os.path.normpath(
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "shared", "editors"))

# "BODY" on the page "基本" (a template with %CR%).
KIHON_BODY = ("TabSheet1", 5)

# A letter typed at the caret to find it in a saved document.
CARET_MARK = "q"


settings_text = settings_with


def post_button(desk, button, count=1):
    """Posts a palette button's command `count` times, as clicks would."""
    command = desk.tool("buttonid", MAIN, button[0], str(button[1])).strip()
    desk.tool("burst", MAIN, command, str(count))


class Notepad:
    """Wine's Notepad of the harness: its text and selection read directly."""

    name = "notepad"
    window_class = "Notepad"
    exe = r"C:\windows\notepad.exe"

    def __init__(self, desk):
        self.desk = desk

    def prepare(self, text, start, end):
        self.desk.set_notepad_text(text)
        self.desk.focus_notepad()
        self.desk.select_in_notepad(start, end)

    def text(self):
        return self.desk.notepad_text()

    def caret(self):
        start, end = self.desk.notepad_selection()
        return start if start == end else None

    def close(self):
        pass


class FileEditor:
    """An editor started on a document of its own under the scratch folder;
    its text is what Ctrl+S writes into the document."""

    name = ""
    folder = ""
    exe_name = ""
    window_class = ""
    args = ()
    bom = False

    def __init__(self, desk):
        self.desk = desk
        self.copy = os.path.join(desk.tmp, "editors", self.folder)
        if not os.path.exists(self.copy):
            shutil.copytree(os.path.join(SHARED_EDITORS, self.folder), self.copy)
            for root, dirs, files in os.walk(self.copy):
                for name in dirs + files:
                    os.chmod(os.path.join(root, name), 0o755)
        self.exe = desk.winpath(os.path.join(self.copy, self.exe_name))
        self.process = None
        self.document = None

    def open(self, document, text=""):
        """Writes `text` (CR LF line ends) into `document` and starts the
        editor on it, in front and ready for keys."""
        self.document = document
        os.makedirs(os.path.dirname(document), exist_ok=True)
        with open(document, "wb") as handle:
            handle.write(("\ufeff" if self.bom else "").encode("utf-8") + text.encode("utf-8"))
        self.process = self.desk.start(os.path.join(self.copy, self.exe_name), *self.args,
                                       self.desk.winpath(document), cwd=self.copy)
        self.desk.wait_until(lambda: self.desk.has_window(self.window_class), 40,
                             message="%s did not start" % self.name)
        self.desk.wait_until(lambda: os.path.basename(document) in self.title(), 20,
                             message="%s did not open %s" % (self.name, document))
        time.sleep(1.0)
        self.bring_to_front()
        return self

    def bring_to_front(self):
        """The editor in front with the keyboard focus in its text: a click
        into the text, as e2etool's activation leaves the focus on the frame
        (where Notepad++ takes no keys)."""
        self.desk.tool("activate", self.window_class)
        left, top, right, bottom = map(int, self.desk.tool("rect", self.window_class).split())
        self.desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        self.desk.xdotool("click", 1)
        time.sleep(0.3)

    def title(self):
        return self.desk.tool("title", self.window_class, check=False)

    def prepare(self, text, start, end):
        """The document holds `text` with `start`..`end` selected
        (positions in `text`, as Notepad counts them)."""
        if self.process is None:
            self.open(os.path.join(self.desk.tmp, "%s-doc" % self.name, "page.html"), text)
        else:
            self.bring_to_front()
            self.desk.keys("down:CTRL", "tap:A", "up:CTRL", "tap:DELETE")
            if text:
                self.desk.tool("setclip", text)
                self.desk.keys("down:CTRL", "tap:V", "up:CTRL")
        # The caret steps over a line break at once.
        start, end = (len(text[:position].replace("\r\n", "\n")) for position in (start, end))
        moves = ["down:CTRL", "tap:HOME", "up:CTRL"] + ["tap:RIGHT"] * start
        if end > start:
            moves += ["down:SHIFT"] + ["tap:RIGHT"] * (end - start) + ["up:SHIFT"]
        self.desk.keys(*moves)
        time.sleep(0.3)

    def save(self):
        self.desk.keys("down:CTRL", "tap:S", "up:CTRL")

    def saved_text(self):
        data = open(self.document, "rb").read()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            text = data.decode("cp932", "replace")
        return text.lstrip("\ufeff")

    def text(self):
        before = os.path.getmtime(self.document), self.saved_text()
        self.save()
        # The save is done when the file changed or has had time to.
        deadline = time.time() + 3
        while time.time() < deadline and (os.path.getmtime(self.document), self.saved_text()) == before:
            time.sleep(0.1)
        return self.saved_text()

    def caret(self):
        """Where the caret stands: a marker letter is typed there, read back
        and taken out again."""
        self.desk.keys("tap:" + CARET_MARK.upper())
        time.sleep(0.3)
        text = self.text()
        self.desk.keys("tap:BACK")
        time.sleep(0.3)
        self.save()
        return text.find(CARET_MARK) if text.count(CARET_MARK) == 1 else None

    def close(self):
        if self.process is None:
            return
        self.desk.tool("close", self.window_class, check=False)
        try:
            self.process.wait(timeout=5)
        except Exception:  # noqa: BLE001 - an editor asking about unsaved text is stopped
            self.desk.stop(self.process)
        self.process = None


class Sakura(FileEditor):
    name = "sakura"
    folder = "sakura"
    exe_name = "sakura.exe"
    # The class carries the version of the editor's shared settings.
    window_class = "TextEditorWindowM64WP177"
    args = ("-CODE=4",)


class NotepadPlusPlus(FileEditor):
    name = "notepad++"
    folder = "notepad++"
    exe_name = "notepad++.exe"
    window_class = "Notepad++"
    args = ("-nosession", "-multiInst")
    # A byte-order mark keeps the document UTF-8 whatever the default.
    bom = True


EDITORS = {"notepad": Notepad, "sakura": Sakura, "notepad++": NotepadPlusPlus}


@contextlib.contextmanager
def open_editor(desk, name):
    """The editor `name`, ended afterwards."""
    editor = EDITORS[name](desk)
    try:
        yield editor
    finally:
        editor.close()


def wait_text(desk, editor, expected, seconds=15):
    """Waits until the editor shows `expected`."""
    deadline = time.time() + seconds
    while True:
        text = editor.text()
        if text == expected:
            return
        if time.time() > deadline:
            raise AssertionError("%s shows %r, expected %r" % (editor.name, text, expected))
        time.sleep(0.5)
