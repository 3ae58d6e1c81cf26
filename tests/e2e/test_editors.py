"""One set of insertion checks in the editors people write HTML in: Wine's
Notepad, Sakura Editor and Notepad++ (see editors.py). Each check runs in
each editor: a tag in normal mode with the caret back inside, a template
with %CR%, sandwich mode (also on Japanese text and on text code page 932
cannot hold), deletion of all tags, "略記を展開" and "略記で囲む", the Ctrl and
Ctrl+Shift parts, and five commands in a burst.

In Sakura Editor and Notepad++, with a saved document open and modified
(whose title then carries the editor's modification mark), file-name input
inserts the path relative to the document, and a registered tool gets the
document's path and folder: both commands come from the palette's menu bar,
so the editor is not the active window when they start (Sakura Editor then
shows no folder in its title). Class detection in the options dialog stores
each editor's class, and "空き領域に合わせる" finds the editor by the stored
class, for Sakura Editor also by the class of another version."""

import os
import threading
import time

from editors import KIHON_BODY, NotepadPlusPlus, Sakura, open_editor, post_button, settings_text, wait_text
from harness import MAIN, MOJI_B, menu, read_settings, settled_text, started_with_settings

EDITOR_NAMES = ("notepad", "sakura", "notepad++")
DIALOG = "#32770"
LIST = "<ul>\r\n\t<li></li>\r\n\t<li></li>\r\n</ul>"
WRAPPED = "<ul>\r\n\t<li>one</li>\r\n\t<li>two</li>\r\n</ul>"


def _check_caret(desk, editor, expected):
    caret = editor.caret()
    assert caret == expected, "%s: the caret is at %r, expected %d" % (editor.name, caret, expected)


def _dialog_tool(desk, *args):
    result = desk.run(desk.win_exe("dialogtool.exe"), *args)
    assert result.returncode == 0, "dialogtool %s failed" % (args,)


def _holding(desk, keys, action):
    """Runs `action` with modifier keys held by injected key events,
    released two seconds later (the paste waits for the release)."""
    desk.keys(*["down:" + k for k in keys])
    runner = threading.Thread(target=action)
    runner.start()
    time.sleep(2.0)
    desk.keys(*["up:" + k for k in reversed(keys)])
    runner.join(60)


# --- the checks, each given the desk and the editor's name ---------------


def normal_mode_caret_inside(desk, name):
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare("ab", 1, 1)
        post_button(desk, MOJI_B)
        wait_text(desk, editor, "a<B></B>b")
        _check_caret(desk, editor, 4)


def template_with_line_breaks(desk, name):
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare("", 0, 0)
        post_button(desk, KIHON_BODY)
        wait_text(desk, editor, "<BODY>\r\n\r\n</BODY>")
        # Each line break is one Left press: the caret is on the empty line.
        _check_caret(desk, editor, 8)


def sandwich_mode(desk, name):
    # Shift held at the command asks for sandwich mode.
    cases = (("say hello now", 4, 9, "say <B>hello</B> now"),
             # Japanese text, then text code page 932 cannot hold.
             ("前字後", 1, 2, "前<B>字</B>後"),
             ("x café☕ y", 2, 7, "x <B>café☕</B> y"))
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        for text, start, end, expected in cases:
            editor.prepare(text, start, end)
            _holding(desk, ["SHIFT"], lambda: post_button(desk, MOJI_B))
            wait_text(desk, editor, expected)


def all_tags_deletion(desk, name):
    text = '<a href="x"><b>t</b></a>\r\n<br>u'
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare(text, 0, len(text))
        menu(desk, "L", "D", "A")
        wait_text(desk, editor, "t\r\nu")


def expand_abbreviation(desk, name):
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare("ul>li*2", 0, 7)
        menu(desk, "L", "R", "E")
        wait_text(desk, editor, LIST)
        # "<ul>", CR LF, TAB, "<li>": the caret waits inside the first item.
        _check_caret(desk, editor, 11)


def wrap_with_abbreviation(desk, name):
    text = "one\r\ntwo"
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare(text, 0, len(text))
        menu(desk, "L", "R", "W")
        desk.tool("wait", DIALOG, "15")
        time.sleep(0.5)
        _dialog_tool(desk, "combo", "ul>li*")
        desk.keys("tap:RETURN")
        wait_text(desk, editor, WRAPPED)


def ctrl_and_ctrl_shift_parts(desk, name):
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare("ab", 1, 1)
        _holding(desk, ["CTRL"], lambda: post_button(desk, MOJI_B))
        wait_text(desk, editor, "a<B>b")
        _check_caret(desk, editor, 4)
        editor.prepare("ab", 1, 1)
        _holding(desk, ["CTRL", "SHIFT"], lambda: post_button(desk, MOJI_B))
        wait_text(desk, editor, "a</B>b")
        _check_caret(desk, editor, 5)


def burst_of_five(desk, name):
    with open_editor(desk, name) as editor, started_with_settings(desk, settings_text()):
        editor.prepare("", 0, 0)
        post_button(desk, MOJI_B, 5)
        text = settled_text(editor.text, editor.name)
        accepted = text.count("<B>")
        # Whole nested tags only, the caret inside the innermost.
        assert accepted >= 1 and text == "<B>" * accepted + "</B>" * accepted, text
        _check_caret(desk, editor, 3 * accepted)


CHECKS = (normal_mode_caret_inside, template_with_line_breaks, sandwich_mode, all_tags_deletion,
          expand_abbreviation, wrap_with_abbreviation, ctrl_and_ctrl_shift_parts, burst_of_five)


# --- the document's path in the two editors that show it in their title ---


def _site_document(desk, name):
    site = os.path.join(desk.tmp, name.replace("+", "p") + " site")
    note = os.path.join(site, "docs", "note.txt")
    os.makedirs(os.path.dirname(note), exist_ok=True)
    with open(note, "w") as handle:
        handle.write("note\n")
    return site, os.path.join(site, "page.html"), note


def _editor_settings(desk, editor, sections=""):
    """The editor found by its class; no base folder, relative input on."""
    return settings_text(EditorFile=editor.exe, EditorWindowClass=editor.window_class, Public_Dir="",
                         SoutaiPathIns=1) + sections


def _modified(desk, editor, page):
    """The saved document open and changed by one typed letter. Returns the
    editor's title while the palette is in front."""
    editor.open(page, "")
    desk.keys("tap:Z")
    desk.wait_until(lambda: editor.title().startswith("*") or "(更新)" in editor.title(), 10,
                    message="%s's title shows no change: %r" % (editor.name, editor.title()))
    desk.tool("activate", MAIN)
    time.sleep(1.0)
    return editor.title()


def _check_title_while_inactive(editor, title, page):
    # Sakura Editor names the folder only while active; Notepad++ always.
    full_path = editor.desk.winpath(page) in title
    assert full_path == (editor.name != "sakura"), "%s's title while inactive: %r" % (editor.name, title)


def relative_path_of_a_chosen_file(desk, name):
    site, page, note = _site_document(desk, name)
    with open_editor(desk, name) as editor:
        with started_with_settings(desk, _editor_settings(desk, editor)):
            _check_title_while_inactive(editor, _modified(desk, editor, page), page)
            menu(desk, "L", "F")
            desk.tool("wait", DIALOG, "15")
            time.sleep(1.0)
            _dialog_tool(desk, "file", desk.winpath(note))
            desk.keys("tap:RETURN")
            wait_text(desk, editor, "zdocs/note.txt")


def tool_gets_the_document_path(desk, name):
    site, page, _ = _site_document(desk, name)
    recorder = desk.win_exe("extrecorder.exe")
    record = recorder + ".txt"
    if os.path.exists(record):
        os.remove(record)
    tools = ("[Tools]\r\nItemCount=1\r\nTitle0=&Record\r\nFile0=%s\r\nParam0=-f %%F -d %%d\r\nTmpDir0=\r\n"
             % desk.winpath(recorder))
    with open_editor(desk, name) as editor:
        with started_with_settings(desk, _editor_settings(desk, editor, tools)):
            _check_title_while_inactive(editor, _modified(desk, editor, page), page)
            menu(desk, "P", "R")
            desk.wait_until(lambda: os.path.exists(record) and "end" in open(record, encoding="utf-8").read(), 15,
                            message="the tool did not start")
    args = [line[4:] for line in open(record, encoding="utf-8").read().splitlines() if line.startswith("arg=")]
    assert args == ["-f", desk.winpath(page), "-d", desk.winpath(site)], args


PATH_CHECKS = (relative_path_of_a_chosen_file, tool_gets_the_document_path)


def _define(check, name):
    def test(desk):
        check(desk, name)
    test.__name__ = "test_%s_in_%s" % (check.__name__, name.replace("+", "p"))
    return test


for _name in EDITOR_NAMES:
    for _check in CHECKS + (PATH_CHECKS if _name != "notepad" else ()):
        _test = _define(_check, _name)
        globals()[_test.__name__] = _test


# --- the editor's class, detected and stored -------------------------------

OPTIONS = "TTagslingOptionForm"


def _probe(desk, *args):
    return desk.run(desk.win_exe("extprobe.exe"), *args).stdout.decode("utf-8").strip()


def class_detection_stores_the_class(desk, name):
    """"..." of the window class in the options dialog starts the editor and
    puts its main window's class into the field; OK stores it as it is (for
    Sakura Editor with its version number)."""
    editor_type = {"sakura": Sakura, "notepad++": NotepadPlusPlus}[name]
    with open_editor(desk, name) as editor:  # the copy of the editor's folder
        ini = settings_text(EditorFile=editor.exe, EditorWindowClass="OldClass")
        with started_with_settings(desk, ini) as process:
            desk.tool("activate", MAIN)
            desk.keys("down:ALT", "tap:L", "up:ALT")
            time.sleep(0.3)
            desk.keys("tap:S")
            desk.wait_window(OPTIONS, 10)
            time.sleep(0.5)
            field = _probe(desk, "field", OPTIONS, "OldClass")
            _probe(desk, "pressbeside", field)
            try:
                desk.wait_until(lambda: _probe(desk, "text", field) == editor_type.window_class, 40,
                                message="the class field shows no %s" % editor_type.window_class)
                desk.tool("activate", OPTIONS)
                desk.keys("tap:RETURN")  # OK
                desk.wait_until(lambda: not desk.has_window(OPTIONS), 10, message="the options dialog stayed")
                desk.tool("close", MAIN)
                process.wait(timeout=20)
                stored = read_settings(desk)
            finally:
                # The editor the detection started has nothing to save.
                for _ in range(3):
                    desk.tool("close", editor_type.window_class, check=False)
                    time.sleep(1)
    assert "EditorWindowClass=%s\r\n" % editor_type.window_class in stored, stored


for _name in ("sakura", "notepad++"):
    _test = _define(class_detection_stores_the_class, _name)
    globals()[_test.__name__] = _test


# --- the editor recognised by its class: fitting it to the free area -----


def _rect(desk, cls):
    line = _probe(desk, "windows", cls).splitlines()[0]
    return tuple(int(v) for v in line.split(" ", 6)[1:5])


def fit_finds_the_editor_by_its_stored_class(desk, name):
    """"空き領域に合わせる" moves the editor below the maximised palette; the
    editor is recognised by the stored class. For Sakura Editor the stored
    class is that of an older version (its settings' version number 176):
    the window of version 177 is still the editor."""
    editor_type = {"sakura": Sakura, "notepad++": NotepadPlusPlus}[name]
    stored = {"sakura": "TextEditorWindowM64WP176", "notepad++": "Notepad++"}[name]
    with open_editor(desk, name) as editor:
        editor.open(os.path.join(desk.tmp, name.replace("+", "p") + " fit", "page.html"), "x")
        ini = ("[Option]\r\nSplashWindow=0\r\nEditorFile=%s\r\nEditorWindowClass=%s\r\n"
               % (editor.exe, stored))
        with started_with_settings(desk, ini):
            palette_bottom = _rect(desk, MAIN)[3]
            area = [int(v) for v in _probe(desk, "workarea").split()]
            expected = (area[0], palette_bottom, area[2], area[3])
            editor.bring_to_front()
            menu(desk, "W", "E")
            desk.wait_until(lambda: _rect(desk, editor_type.window_class) == expected, 10,
                            message="%s is not in the free area %r" % (name, expected))


for _name in ("sakura", "notepad++"):
    _test = _define(fit_finds_the_editor_by_its_stored_class, _name)
    globals()[_test.__name__] = _test
