"""What the end-to-end tests share: their view of the Wine desktop (Notepad's
text and selection, key events and the clipboard, through e2etool.exe), the
palette started with given settings, clicks on its buttons and menus, and the
helper programs built with the tests (desktoptool.exe, dialogtool.exe,
extprobe.exe, extrecorder.exe, enginehost.exe). Test files import from here,
never from one another."""

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
MENU = "#32768"  # a popup menu
DIALOG = "#32770"  # a standard dialog
OPTIONS = "TTagslingOptionForm"  # the options dialog

# Positions of buttons on their toolbars (separators count), as laid out by
# the palette: TabSheet2 is the page "文字".
MOJI_B = ("TabSheet2", 4)
HASAMI_ON = ("ToolBar12", 1)
TOOLS_PAGE = 9

# No title window; the palette floats below Notepad's window (each insertion
# raises the editor, which would otherwise cover the palette's strip along
# the top of the screen).
QUICK_START = ("[Option]\r\nSplashWindow=0\r\n"
               "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=620\r\nWindowWidth=900\r\n")
# The same, wide and higher up, for the screenshots at 150 %.
WIDE_START = ("[Option]\r\nSplashWindow=0\r\n"
              "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=560\r\nWindowWidth=1200\r\n")


def settings_path(desk):
    """The settings file beside tagsling.exe."""
    return os.path.join(desk.build_win, "tagsling.INI")


def read_settings(desk):
    """The settings file's text (code page 932)."""
    with open(settings_path(desk), "rb") as handle:
        return handle.read().decode("cp932")


@contextlib.contextmanager
def running_palette(desk, exe, wait=True, close_seconds=10):
    """The tagsling.exe at `exe` running; with `wait` its main window is up
    (and has had half a second to settle) when the block starts. Closed, or
    stopped when stuck, on leaving."""
    process = desk.start(exe)
    try:
        if wait:
            desk.wait_window(MAIN, 30)
            time.sleep(0.5)
        yield process
    finally:
        if process.poll() is None:
            desk.tool("close", MAIN, check=False)
            try:
                process.wait(timeout=close_seconds)
            except Exception:  # noqa: BLE001 - a resident or stuck palette only hides: stop it
                desk.stop(process)


@contextlib.contextmanager
def started_with_settings(desk, ini_text, wait=True):
    """tagsling.exe running with `ini_text` as its settings file; the file
    that was there before comes back afterwards. With `wait` the main window
    is up (and has had half a second to settle) when the block starts."""
    path = settings_path(desk)
    saved = open(path, "rb").read() if os.path.exists(path) else None
    with open(path, "wb") as handle:
        handle.write(ini_text.encode("cp932"))
    try:
        with running_palette(desk, desk.win_exe("tagsling.exe"), wait) as process:
            yield process
    finally:
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


def with_options(text, ini=QUICK_START):
    """`ini` with the lines `text` added at the top of its "Option" section."""
    return ini.replace("[Option]\r\n", "[Option]\r\n" + text, 1)


def settings_with(**options):
    """The quick-start settings with one "Option" line per keyword."""
    return with_options("".join("%s=%s\r\n" % item for item in options.items()))


def palette(desk, ini_text=QUICK_START):
    """tagsling.exe running with `ini_text` as its settings file, its window up."""
    return started_with_settings(desk, ini_text)


def item_rect(desk, control, index):
    return [int(v) for v in desk.tool("itemrect", MAIN, control, str(index)).split()]


def click(desk, x, y, button=1):
    desk.xdotool("mousemove", x, y)
    time.sleep(0.2)
    desk.xdotool("click", button)


def click_item(desk, control, index, button=1):
    left, top, right, bottom = item_rect(desk, control, index)
    click(desk, (left + right) // 2, (top + bottom) // 2, button)


def show_page(desk, index):
    click_item(desk, "PageControl1", index)
    time.sleep(0.3)


def wait_text(desk, expected, seconds=10):
    desk.wait_until(lambda: desk.notepad_text() == expected, seconds,
                    message="Notepad shows %r, expected %r" % (desk.notepad_text(), expected))


def menu(desk, *letters):
    """Alt+first letter on the palette, then the other letters in turn."""
    desk.tool("activate", MAIN)
    time.sleep(0.3)
    desk.keys("down:ALT", "tap:" + letters[0], "up:ALT")
    for letter in letters[1:]:
        time.sleep(0.4)
        desk.keys("tap:" + letter)


def open_options(desk, letter, item):
    """The options dialog, opened from the menu bar: Alt+`letter`, then `item`."""
    desk.tool("activate", MAIN)
    desk.keys("down:ALT", "tap:" + letter, "up:ALT")
    time.sleep(0.3)
    desk.keys("tap:" + item)
    desk.wait_window(OPTIONS, 10)
    time.sleep(0.5)


def wait_closed(desk, cls):
    desk.wait_until(lambda: not desk.has_window(cls), seconds=10, message=cls + " still open")


def menu_open(desk):
    return desk.has_window(MENU)


def dialog_tool(desk, *args):
    """dialogtool.exe, which types into the standard dialogs."""
    result = desk.run(desk.win_exe("dialogtool.exe"), *args)
    assert result.returncode == 0, "dialogtool %s failed" % (args,)


def dtool(desk, *args, check=True):
    """desktoptool.exe's output: window rectangles, states and pings."""
    result = desk.run(desk.win_exe("desktoptool.exe"), *args)
    if check and result.returncode != 0:
        raise AssertionError("desktoptool %s failed (%d)" % (" ".join(map(str, args)), result.returncode))
    return result.stdout.decode("utf-8", "replace").strip()


def rect(desk, cls):
    return [int(v) for v in dtool(desk, "rect", cls).split()]


def wait_for(desk, predicate, seconds=10, message="condition not met"):
    return desk.wait_until(predicate, seconds=seconds, interval=0.2, message=message)


def pointer_on_notepad(desk):
    left, top, right, bottom = rect(desk, "Notepad")
    desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
    time.sleep(0.2)


# The external programs' stand-ins: extprobe.exe lists windows with their
# rectangles and closes them; extrecorder.exe appends its working folder and
# arguments to extrecorder.exe.txt beside itself.
NOTEPAD_EXE = r"C:\windows\notepad.exe"


def editor_settings(desk, folder, extra_option="", sections=""):
    """Notepad as the editor, found by its class; `folder` as the base
    folder, so the file name in Notepad's title is looked up inside it."""
    text = ("[Option]\r\nSplashWindow=0\r\nEditorFile=%s\r\nEditorWindowClass=Notepad\r\nPublic_Dir=%s\r\n"
            % (NOTEPAD_EXE, desk.winpath(folder)))
    return text + extra_option + sections


def probe(desk, *args):
    result = desk.run(desk.win_exe("extprobe.exe"), *args)
    return result.stdout.decode("utf-8")


def windows(desk, cls):
    """{hwnd: (left, top, right, bottom, maximised, title)} of the class's visible windows."""
    found = {}
    for line in probe(desk, "windows", cls).splitlines():
        parts = line.split(" ", 6)
        found[parts[0]] = tuple(int(v) for v in parts[1:6]) + (parts[6] if len(parts) > 6 else "",)
    return found


def close_window(desk, hwnd):
    desk.run(desk.win_exe("extprobe.exe"), "close", hwnd)


def empty_recorder(desk):
    """The recorder's executable (Windows form) and its record file, emptied."""
    record = desk.win_exe("extrecorder.exe") + ".txt"
    if os.path.exists(record):
        os.remove(record)
    return desk.winpath(desk.win_exe("extrecorder.exe")), record


def records(record):
    """Each start of the recorder: (working folder, [arguments])."""
    if not os.path.exists(record):
        return []
    starts, cwd, args = [], None, []
    for line in open(record, encoding="utf-8").read().splitlines():
        if line.startswith("cwd="):
            cwd, args = line[4:], []
        elif line.startswith("arg="):
            args.append(line[4:])
        elif line == "end":
            starts.append((cwd, args))
    return starts


class NotepadWithDocument:
    """A second Notepad showing the document; it stays in front of the
    harness's Notepad while open and is closed afterwards."""

    def __init__(self, desk, path):
        self.desk = desk
        before = set(windows(desk, "Notepad"))
        desk.start("notepad", desk.winpath(path))
        name = os.path.basename(path)
        self.hwnd = desk.wait_until(
            lambda: next((h for h, w in windows(desk, "Notepad").items() if h not in before and name in w[5]), None),
            20, message="Notepad did not open " + name)
        self.title = windows(desk, "Notepad")[self.hwnd][5]

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        close_window(self.desk, self.hwnd)
        self.desk.wait_until(lambda: self.hwnd not in windows(self.desk, "Notepad"), 10,
                             message="the document's Notepad did not close")


# The insertion engine alone, through enginehost.exe: the real engine and the
# real Win32 platform, one tag command per run, with these templates.
ENGINE_TEMPLATES = {
    "Moji_B": "<B>%SELSTR%</B>",
    "P_P_P": "<P>%CR%%SELSTR%%CR%</P>",
    "Japanese": "<B title=\"日本\">%SELSTR%あ</B>",
}


def _engine_files(desk, options):
    data = os.path.join(desk.tmp, "Html.dat")
    with open(data, "wb") as f:
        f.write(("[Html]\r\n" + "".join(f"{k}={v}\r\n" for k, v in ENGINE_TEMPLATES.items())).encode("cp932"))
    ini = os.path.join(desk.tmp, "engine.ini")
    lines = ["[Option]"] + [f"{k}={v}" for k, v in options.items()]
    with open(ini, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
    return ini, data


def run_engine(desk, key, **options):
    """Runs one tag command; returns enginehost's output lines."""
    ini, data = _engine_files(desk, options)
    result = desk.run(desk.win_exe("enginehost.exe"), "--ini", desk.winpath(ini), "--datafile",
                      desk.winpath(data), "--no-boxes", "run", key, timeout=60)
    out = result.stdout.decode("utf-8", "replace").replace("\r", "")
    assert result.returncode == 0, "enginehost exit %d: %s %s" % (result.returncode, out,
                                                                result.stderr.decode("utf-8", "replace"))
    return out.splitlines()


def expect_text(desk, text, caret=None):
    """Notepad shows `text` within five seconds, the caret at `caret` when given."""
    try:
        desk.wait_until(lambda: desk.notepad_text() == text, seconds=5)
    except AssertionError:
        raise AssertionError("Notepad holds %r, expected %r" % (desk.notepad_text(), text))
    if caret is not None:
        assert desk.notepad_selection() == (caret, caret), "caret %r, expected %d" % (
            desk.notepad_selection(), caret)


def prepare_selection(desk, text, start, end):
    """Notepad holding `text`, in front, with start..end selected."""
    desk.set_notepad_text(text)
    desk.focus_notepad()
    desk.select_in_notepad(start, end)


def settled_text(read, name, quiet=1.5, seconds=30):
    """What `read()` returns once it has not changed for `quiet` seconds:
    an editor's text after every paste of a job (and any late one) is in."""
    deadline = time.time() + seconds
    text, since = read(), time.time()
    while time.time() < deadline:
        time.sleep(0.3)
        now = read()
        if now != text:
            text, since = now, time.time()
        elif time.time() - since >= quiet:
            return text
    raise AssertionError("%s's text kept changing: %r" % (name, text))


def page_site(desk, folder_name, title):
    """A folder of the scratch area with index.html titled `title`; returns
    the folder and the page's path (Linux form)."""
    folder = os.path.join(desk.tmp, folder_name)
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "index.html")
    with open(path, "w", encoding="utf-8") as handle:
        handle.write("<html><head><title>%s</title></head><body></body></html>\n" % title)
    return folder, path


# A stand-in browser window, for the browser tests.
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
        before = set(windows(desk, cls))
        args = ["--class", cls] + (["--page", str(strip)] if strip is not None else [])
        self.process = desk.start(desk.win_exe("extbrowser.exe"), *args, title, desk.winpath(self.record))
        desk.wait_until(lambda: "ready" in self.lines(), 20, message="the stand-in browser did not start")
        self.hwnd = desk.wait_until(lambda: next((h for h in windows(desk, cls) if h not in before), None), 10,
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
        return windows(self.desk, self.cls)[self.hwnd][5]

    def rect(self):
        return windows(self.desk, self.cls)[self.hwnd][:4]

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.hwnd in windows(self.desk, self.cls):
            close_window(self.desk, self.hwnd)
        try:
            self.process.wait(timeout=10)
        except Exception:  # noqa: BLE001 - a stuck stand-in is stopped
            self.desk.stop(self.process)
