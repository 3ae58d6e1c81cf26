"""Characters code page 932 cannot hold, in folder names, templates and
settings: Tagsling unpacked into a folder named "José作品☕" starts, reads and
saves its settings there and opens its help page; an Html.dat saved in
UTF-8 with a byte-order mark inserts its emoji; a user tag with an emoji
entered in the options dialog is saved (the settings file becomes UTF-8 with
a byte-order mark) and inserted after a restart.

The program's files are copied from the build into a folder of their own
under the test's temporary folder; nothing beside the built tagsling.exe
changes. The help page opens through the shell's handler of .html files,
played by extrecorder.exe (it records its arguments)."""

import os
import re
import shutil
import time

from harness import MAIN, running_palette

FOLDER = "José作品☕"
PROGRAM_FILES = ["tagsling.exe", "Tagslingmhook.dll", "Html.dat", "Tagsling.html"]
OPTIONS = "TTagslingOptionForm"
ITEM_EDITOR = "#32770"
# The palette's page "文字" and its button B.
CHARACTER_PAGE = 1
BOLD_BUTTON = ("TabSheet2", 4)
# No title window; the palette floats below Notepad's window, which each
# insertion raises.
QUIET_START = ("[Option]\r\nSplashWindow=0\r\nTrayIcon=0\r\n"
               "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=40\r\nWindowTop=620\r\nWindowWidth=900\r\n")
UTF8_MARK = b"\xef\xbb\xbf"


def _program_folder(desk):
    """A fresh copy of the program in FOLDER\\Tagsling; its path."""
    folder = os.path.join(desk.tmp, FOLDER, "Tagsling")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name in PROGRAM_FILES:
        shutil.copy(os.path.join(desk.build_win, name), folder)
    return folder


def _settings_bytes(folder):
    path = os.path.join(folder, "tagsling.INI")
    return open(path, "rb").read() if os.path.exists(path) else b""


def _settings_text(folder):
    data = _settings_bytes(folder)
    return data[len(UTF8_MARK):].decode("utf-8") if data.startswith(UTF8_MARK) else data.decode("cp932")


def _value(text, key):
    found = re.search(r"^%s=(.*?)\r?$" % re.escape(key), text, re.MULTILINE | re.IGNORECASE)
    return found.group(1) if found else None


def _running(desk, folder):
    """tagsling.exe of `folder` running, its window up; closed on leaving."""
    return running_palette(desk, os.path.join(folder, "tagsling.exe"), close_seconds=20)


def _probe(desk, *args):
    result = desk.run(desk.win_exe("extprobe.exe"), *args)
    assert result.returncode == 0, "extprobe %s failed" % (args,)
    return result.stdout.decode("utf-8").strip()


def _click_item(desk, control, index):
    left, top, right, bottom = [int(v) for v in desk.tool("itemrect", MAIN, control, str(index)).split()]
    desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
    time.sleep(0.2)
    desk.xdotool("click", 1)


def _menu_keys(desk, window, letter, *keys):
    desk.tool("activate", window)
    desk.keys("down:ALT", "tap:" + letter, "up:ALT")
    time.sleep(0.3)
    desk.keys(*keys)


def _box_text(desk):
    """The texts of the message box on screen; "" when there is none."""
    result = desk.run(desk.win_exe("extprobe.exe"), "boxtext")
    return result.stdout.decode("utf-8").strip() if result.returncode == 0 else ""


def _no_error_box(desk):
    text = _box_text(desk)
    assert not text, "a message box came up: %r" % text


def test_runs_reads_and_saves_its_settings_and_opens_help_in_a_folder_code_page_932_cannot_hold(desk):
    folder = _program_folder(desk)
    with open(os.path.join(folder, "tagsling.INI"), "wb") as handle:
        handle.write(QUIET_START.replace("WindowWidth=900", "WindowWidth=700").encode("cp932"))
    recorder = desk.win_exe("extrecorder.exe")
    record = recorder + ".txt"
    if os.path.exists(record):
        os.remove(record)
    handler = '"%s" "%%1"' % desk.winpath(recorder)
    desk.run("reg", "add", r"HKCR\TagslingStandInHelp\shell\open\command", "/ve", "/d", handler, "/f")
    previous = desk.run("reg", "query", r"HKCR\.html", "/ve").stdout.decode("utf-8", "replace")
    desk.run("reg", "add", r"HKCR\.html", "/ve", "/d", "TagslingStandInHelp", "/f")
    try:
        with _running(desk, folder):
            # The window section was read: a 700-pixel window at (40, 620).
            left, top, right, _ = [int(v) for v in desk.tool("rect", MAIN).split()]
            assert (left, top, right - left) == (40, 620, 700), (left, top, right - left)
            _no_error_box(desk)
            _menu_keys(desk, MAIN, "H", "tap:RETURN")  # "ヘルプ(&H)" > "トピックの検索(H)..."
            desk.wait_until(lambda: os.path.exists(record) and "end" in open(record, encoding="utf-8").read(),
                            seconds=20, message="the help page did not open")
            opened = open(record, encoding="utf-8").read()
            assert FOLDER in opened and "tagsling.html" in opened.lower(), opened
            _no_error_box(desk)
    finally:
        found = re.search(r"REG_SZ\s+(\S+)", previous)
        if found:
            desk.run("reg", "add", r"HKCR\.html", "/ve", "/d", found.group(1), "/f")
        else:
            desk.run("reg", "delete", r"HKCR\.html", "/ve", "/f")
        desk.run("reg", "delete", r"HKCR\TagslingStandInHelp", "/f")
    # Saved at exit, beside the program, still code page 932.
    text = _settings_text(folder)
    assert _value(text, "WindowWidth") == "700" and _value(text, "HasamiTime") == "100", text
    assert not _settings_bytes(folder).startswith(UTF8_MARK)


def test_html_dat_in_utf8_with_a_byte_order_mark_inserts_every_character(desk):
    folder = _program_folder(desk)
    with open(os.path.join(folder, "Html.dat"), "wb") as handle:
        handle.write(UTF8_MARK + "[Html]\r\nMoji_B=<b>日本語😀%SELSTR%</b>\r\n".encode("utf-8"))
    with open(os.path.join(folder, "tagsling.INI"), "wb") as handle:
        handle.write(QUIET_START.encode("cp932"))
    with _running(desk, folder):
        _click_item(desk, "PageControl1", CHARACTER_PAGE)
        time.sleep(0.3)
        _click_item(desk, *BOLD_BUTTON)
        desk.wait_until(lambda: desk.notepad_text() == "<b>日本語😀</b>", seconds=15,
                        message="Notepad holds %r" % desk.notepad_text())
        # The caret went back inside the tag, over the emoji's two units.
        assert desk.notepad_selection() == (len("<b>日本語😀".encode("utf-16-le")) // 2,) * 2


def test_user_tag_with_an_emoji_entered_in_the_options_dialog_survives_a_restart(desk):
    folder = _program_folder(desk)
    with open(os.path.join(folder, "tagsling.INI"), "wb") as handle:
        handle.write(("; 設定\r\n" + QUIET_START).encode("cp932"))
    tag = "<i>😀</i>"
    with _running(desk, folder) as process:
        _menu_keys(desk, MAIN, "U", "tap:E")  # "登録タグ(&U)" > "登録タグの編集(&E)..."
        desk.wait_window(OPTIONS, 10)
        time.sleep(0.5)
        desk.keys("tap:TAB", "tap:SPACE")  # "追加"
        desk.wait_window(ITEM_EDITOR, 10)
        desk.keys("tap:S", "tap:TAB", "tap:Q")
        _probe(desk, "settext", _probe(desk, "field", ITEM_EDITOR, "q"), tag)
        desk.tool("activate", ITEM_EDITOR, check=False)
        desk.keys("tap:RETURN")  # OK of the tag editor
        desk.wait_until(lambda: not desk.has_window(ITEM_EDITOR), seconds=10, message="the tag editor stayed")
        desk.keys(*["tap:TAB"] * 5, "tap:RETURN")  # on to the tab strip; Enter is OK
        desk.wait_until(lambda: not desk.has_window(OPTIONS), seconds=10, message="the dialog stayed")
        _no_error_box(desk)
        desk.tool("close", MAIN)
        process.wait(timeout=20)
    data = _settings_bytes(folder)
    assert data.startswith(UTF8_MARK), data[:40]
    text = _settings_text(folder)
    assert _value(text, "Tag0") == tag and text.startswith("; 設定\r\n"), text

    with _running(desk, folder):
        desk.focus_notepad()
        _menu_keys(desk, MAIN, "U", "tap:DOWN", "tap:RETURN")  # the first user tag
        desk.wait_until(lambda: desk.notepad_text() == tag, seconds=15,
                        message="Notepad holds %r" % desk.notepad_text())


def test_cli_takes_and_prints_every_character_of_paths_and_files(desk):
    """tagsling-cli.exe with --utf8: the UTF-16 command line reaches the verbs
    whole, and what they print comes out as UTF-8. An Html.dat with a
    byte-order mark gives its template (it used to give nothing, exit 0)."""
    folder = _program_folder(desk)
    data_file = os.path.join(folder, "Html.dat")
    with open(data_file, "wb") as handle:
        handle.write(UTF8_MARK + "[Html]\r\nB=<b>日本語😀%SELSTR%</b>\r\n".encode("utf-8"))
    settings = os.path.join(folder, "tagsling.INI")
    with open(settings, "wb") as handle:
        handle.write("[UserTag]\r\nTitle0=題\r\n".encode("cp932"))

    def cli(*args):
        result = desk.run(desk.win_exe("tagsling-cli.exe"), *args, "--utf8")
        assert result.returncode == 0, (args, result.stderr)
        return result.stdout.decode("utf-8")

    assert cli("expand", "B", "--datafile", desk.winpath(data_file)) == "<b>日本語😀%SELSTR%</b>"
    assert cli("expand", "B", "--datafile", desk.winpath(data_file), "--count") == "4\n"
    cli("ini", "set", desk.winpath(settings), "UserTag", "Tag0", "<i>😀☕</i>")
    assert cli("ini", "get", desk.winpath(settings), "UserTag", "Tag0") == "<i>😀☕</i>\n"
    assert open(settings, "rb").read() == UTF8_MARK + "[UserTag]\r\nTitle0=題\r\nTag0=<i>😀☕</i>\r\n".encode("utf-8")
    base = "C:\\%s\\" % FOLDER
    assert cli("relpath", base, base + "été😀\\café☕.png") == "été😀\\café☕.png\n"
