"""The options dialog driven from the keyboard as a user would: values reach
the settings file at exit only after OK, a user tag added in the dialog is
inserted from the "登録タグ(&U)" menu, and a window class added to the
ignored windows is skipped by the next insertion.

Keyboard paths used (tab order follows the controls of the page tables):
- "ツール(&L)" > "オプション(&S)..." is Alt+L, S; "登録タグ(&U)" >
  "登録タグの編集(&E)..." is Alt+U, E.
- Page 0 opens with the focus on "オートアクティブする"; with it unticked,
  Tab, Tab reaches "起動時にタイトルウィンドウを表示する".
- The first edit field of the dialog is the auto-activation margin, whose
  up-down buttons take their value from its text."""

import os
import time

from harness import MAIN, OPTIONS, dtool, open_options, palette, wait_closed

STANDIN_EDITOR = "TagslingStandInEditor"
CLASS_DETECTION_FAILED = "ウィンドウクラス名を取得できませんでした。"

EDITOR = "#32770"  # the small item editors are standard dialogs


def _read_ini(desk):
    with open(os.path.join(desk.build_win, "tagsling.INI"), "rb") as f:
        return f.read().decode("cp932")


def _value(text, key):
    for line in text.replace("\r", "").split("\n"):
        if "=" in line and line.split("=", 1)[0].strip().lower() == key.lower():
            return line.split("=", 1)[1].strip()
    return None


def _close_program(desk, process):
    desk.tool("close", MAIN)
    process.wait(timeout=20)


BASE_INI = "[Option]\r\nSplashWindow=1\r\nAutoActive_Margin=100\r\nTrayIcon=0\r\n"


def _change_and_close(desk, closing_key):
    """Unticks the title window, sets the margin to 250, closes the dialog
    with `closing_key` and the program; the settings file afterwards."""
    with palette(desk, BASE_INI) as process:
        open_options(desk, "L", "S")
        desk.keys("tap:TAB", "tap:TAB", "tap:SPACE")  # untick the title window
        desk.tool("settext", OPTIONS, "250")  # the margin field
        desk.keys("tap:" + closing_key)
        wait_closed(desk, OPTIONS)
        _close_program(desk, process)
        return _read_ini(desk)


def test_ok_keeps_the_changes_until_exit(desk):
    ini = _change_and_close(desk, "RETURN")  # Enter is OK
    assert _value(ini, "SplashWindow") == "0", ini
    assert _value(ini, "AutoActive_Margin") == "250", ini


def test_cancel_changes_nothing(desk):
    ini = _change_and_close(desk, "ESCAPE")  # Esc is キャンセル
    assert _value(ini, "SplashWindow") == "1", ini
    assert _value(ini, "AutoActive_Margin") == "100", ini


def _insert_first_user_tag(desk):
    """"登録タグ(&U)": the edit item, a separator, then the first user tag."""
    desk.tool("activate", MAIN)
    desk.keys("down:ALT", "tap:U", "up:ALT")
    time.sleep(0.3)
    desk.keys("tap:DOWN", "tap:RETURN")


def test_user_tag_added_in_the_dialog_is_inserted_from_the_menu(desk):
    with palette(desk, BASE_INI) as process:
        open_options(desk, "U", "E")  # page 9, the focus in the list
        desk.keys("tap:TAB", "tap:SPACE")  # "追加"
        desk.wait_window(EDITOR, 10)
        desk.keys("tap:T", "tap:A", "tap:G", "tap:TAB", "tap:X", "tap:Y", "tap:Z")
        desk.keys("tap:RETURN")  # OK of the tag editor
        wait_closed(desk, EDITOR)
        # The focus is back on "追加": on through "編集" ... "下へ" to the tab
        # strip, where Enter is OK.
        desk.keys(*["tap:TAB"] * 5, "tap:RETURN")
        wait_closed(desk, OPTIONS)
        ini = _read_ini(desk)
        assert _value(ini, "Title0") == "tag" and _value(ini, "Tag0") == "xyz", ini

        desk.focus_notepad()
        _insert_first_user_tag(desk)
        desk.wait_until(lambda: desk.notepad_text() == "xyz", seconds=10,
                        message="Notepad holds %r" % desk.notepad_text())
        _close_program(desk, process)


def test_ignored_window_class_is_skipped_by_the_next_insertion(desk):
    ini = BASE_INI + "[UserTag]\r\nItemCount=1\r\nTitle0=t\r\nTag0=qq\r\n"
    with palette(desk, ini) as process:
        desk.focus_notepad()
        open_options(desk, "L", "S")
        # Page 5: from the first control to the tab strip, then five pages on.
        desk.keys("tap:TAB", "tap:TAB", "tap:TAB")  # TrayIcon, SplashWindow, Appbar
        desk.keys("tap:TAB")  # the tab strip
        desk.keys(*["tap:RIGHT"] * 5)
        # Shift+Tab from the tab strip lands on the page's last control
        # ("削除"); the list of windows shown now is the first.
        desk.keys(*["down:SHIFT", "tap:TAB", "up:SHIFT"] * 7)
        # Windows shown now, topmost first: Notepad comes right below the
        # palette, which the list leaves out.
        desk.keys("tap:HOME", "tap:TAB", "tap:SPACE")  # "↓": the focus goes to the name field
        desk.keys("tap:TAB", "tap:TAB", "tap:SPACE")  # ignored list, "追加"
        desk.keys("tap:TAB", "tap:TAB", "tap:RETURN")  # "削除", tab strip, OK
        wait_closed(desk, OPTIONS)
        ini_text = _read_ini(desk)
        assert _value(ini_text, "ClassName0") == "Notepad", ini_text

        desk.focus_notepad()
        _insert_first_user_tag(desk)
        time.sleep(2)
        assert desk.notepad_text() == "", "inserted into the ignored Notepad: %r" % desk.notepad_text()
        _close_program(desk, process)


def _tool(desk, exe, *args):
    result = desk.run(desk.win_exe(exe), *args)
    return result.returncode, result.stdout.decode("utf-8").strip()


def _probe(desk, *args):
    code, out = _tool(desk, "extprobe.exe", *args)
    assert code == 0, "extprobe %s failed" % (args,)
    return out


def test_class_detection_waits_for_the_editor_and_keeps_the_field_when_it_finds_nothing(desk):
    """"..." of the window class starts the editor and waits for it: the
    stand-in stays busy for 3 s, meanwhile the palette and the dialog answer
    and the dialog takes no input; then its window's class fills the field.
    Once that window is closed, a detection whose editor shows no window
    must not put the closed window's empty class over the user's text: the
    field keeps it and the failure is reported."""
    editor = desk.winpath(desk.win_exe("exteditor.exe"))
    recorder = desk.winpath(desk.win_exe("extrecorder.exe"))
    ini = BASE_INI + "EditorFile=%s\r\nEditorWindowClass=OldClass\r\n" % editor
    try:
        with palette(desk, ini) as process:
            open_options(desk, "L", "S")
            field = _probe(desk, "field", OPTIONS, "OldClass")
            _probe(desk, "pressbeside", field)
            time.sleep(1)
            for cls in (MAIN, OPTIONS):
                answer = dtool(desk, "ping", cls, "500").split()
                assert int(answer[1]) < 500, answer
            assert dtool(desk, "enabled", OPTIONS) == "0", "the dialog took input while it waited"
            desk.wait_until(lambda: _probe(desk, "text", field) == STANDIN_EDITOR, 20,
                            message="the class field shows %r" % _probe(desk, "text", field))
            desk.wait_until(lambda: dtool(desk, "enabled", OPTIONS) == "1", 5, message="the dialog stayed disabled")

            # The stand-in goes; the next detection starts a program without
            # a window.
            for line in _probe(desk, "windows", STANDIN_EDITOR).splitlines():
                _probe(desk, "close", line.split()[0])
            desk.wait_until(lambda: not _probe(desk, "windows", STANDIN_EDITOR), 10, message="the stand-in stayed")
            _probe(desk, "settext", _probe(desk, "field", OPTIONS, editor), recorder)
            _probe(desk, "settext", field, "KeepMe")
            _probe(desk, "pressbeside", field)
            desk.wait_window(EDITOR, 20)
            text = desk.wait_until(lambda: _probe(desk, "boxtext"), 10, message="no report")
            assert CLASS_DETECTION_FAILED in text, text
            desk.tool("activate", EDITOR, check=False)
            desk.keys("tap:RETURN")
            wait_closed(desk, EDITOR)
            assert _probe(desk, "text", field) == "KeepMe"
            desk.tool("activate", OPTIONS, check=False)
            desk.keys("tap:ESCAPE")
            wait_closed(desk, OPTIONS)
            _close_program(desk, process)
    finally:
        _probe(desk, "kill", "exteditor.exe")


def test_a_path_code_page_932_cannot_hold_is_saved_in_utf8(desk):
    """A path holding characters code page 932 cannot store ("café☕") is
    taken at OK as it is; the settings file, code page 932 until then, is
    written in UTF-8 with a byte-order mark so that nothing becomes "?"."""
    ini = BASE_INI + "EditorFile=C:\\old\\ed.exe\r\n"
    wanted = "C:\\café☕\\ed.exe"
    with palette(desk, ini) as process:
        open_options(desk, "L", "S")
        field = _probe(desk, "field", OPTIONS, "C:\\old\\ed.exe")
        _probe(desk, "settext", field, wanted)
        desk.tool("activate", OPTIONS, check=False)
        desk.keys("tap:RETURN")  # OK
        wait_closed(desk, OPTIONS)
        _close_program(desk, process)
        with open(os.path.join(desk.build_win, "tagsling.INI"), "rb") as f:
            data = f.read()
    assert data.startswith(b"\xef\xbb\xbf"), data[:40]
    ini_text = data[3:].decode("utf-8")
    assert _value(ini_text, "EditorFile") == wanted, ini_text


def test_item_editor_opens_with_its_corner_at_the_dialogs_client_origin(desk):
    with palette(desk, BASE_INI):
        open_options(desk, "U", "E")  # page 9, the focus in the list
        origin = [int(v) for v in dtool(desk, "client", OPTIONS).split()]
        desk.keys("tap:TAB", "tap:SPACE")  # "追加"
        desk.wait_window(EDITOR, 10)
        time.sleep(0.3)
        corner = [int(v) for v in dtool(desk, "rect", EDITOR).split()][:2]
        assert corner == origin, "the tag editor's corner is at %r, the options dialog's client origin at %r" % (
            corner, origin)
        desk.keys("tap:ESCAPE")
        wait_closed(desk, EDITOR)
        desk.keys("tap:ESCAPE")
        wait_closed(desk, OPTIONS)
