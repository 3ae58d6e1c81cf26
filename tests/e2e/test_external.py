"""External programs driven from the palette's menus: a registered tool
started with the document path read from Notepad's title, preview in a
stand-in browser that is a DDE server, preview with no browser window (the
shell starts the browser with the path), resizing a window titled like a
browser, and "新規作成" starting Notepad in the free area below the
maximised palette.

Stand-ins built with the tests: extrecorder.exe appends its working folder
and arguments to extrecorder.exe.txt beside itself; extbrowser.exe shows a
window with a given title and can serve DDE under a given service name,
recording each request; extprobe.exe lists windows with their rectangles and
reads the work area; exteditor.exe is an editor that stays busy (never
waiting for input) for as long as it is told.

Keyboard paths: "外部ツール(&P)" is Alt+P, its tools follow the edit item
and a separator; "ウィンドウ(&W)" is Alt+W with "Internet Explorer(&I)..."
(I) and "ブラウザのサイズ変更(&B)" (B) holding "&800x600" (8); "ファイル(&F)"
is Alt+F with "新規作成(&N)" (N)."""

import os
import time

from harness import (MAIN, MOJI_B, NotepadWithDocument, QUICK_START, click_item, close_window, editor_settings,
                     empty_recorder, menu, palette, probe, records, show_page, wait_text, windows)

BROWSER_CLASS = "TagslingStandInBrowser"
IE_TITLE = "Stand-in - Microsoft Internet Explorer"


def _site(desk):
    """A document in a folder whose name holds a space; (folder, file) in Linux form."""
    folder = os.path.join(desk.tmp, "my site")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "index.html")
    with open(path, "w") as handle:
        handle.write("<html></html>\n")
    return folder, path


def _probe_rc(desk, *args):
    return desk.run(desk.win_exe("extprobe.exe"), *args).returncode


def _same_folder(a, b):
    return a.rstrip("\\").lower() == b.rstrip("\\").lower()


def _browser(desk, record, service=None):
    """The stand-in browser, started and ready; its process."""
    args = [IE_TITLE, desk.winpath(record)] + ([service] if service else [])
    process = desk.start(desk.win_exe("extbrowser.exe"), *args)
    desk.wait_until(lambda: os.path.exists(record) and "ready" in open(record, encoding="utf-8").read(), 20,
                    message="the stand-in browser did not start")
    return process


def _stop_browser(desk, process):
    for hwnd in windows(desk, BROWSER_CLASS):
        close_window(desk, hwnd)
    try:
        process.wait(timeout=10)
    except Exception:  # noqa: BLE001 - a stuck stand-in is stopped
        desk.stop(process)


def test_tool_from_the_menu_gets_the_document_and_folder(desk):
    folder, path = _site(desk)
    recorder, record = empty_recorder(desk)
    tools = ("[Tools]\r\nItemCount=2\r\n"
             "Title0=&Record\r\nFile0=%s\r\nParam0=-f %%F -d %%d\r\nTmpDir0=\r\n"
             "Title1=&Second\r\nFile1=%s\r\nParam1=plain %%\r\nTmpDir1=%s\r\n"
             % (recorder, recorder, desk.winpath(desk.tmp)))
    with NotepadWithDocument(desk, path) as notepad, palette(desk, editor_settings(desk, folder, sections=tools)):
        # Wine's Notepad shows the file name before " - ".
        assert notepad.title.startswith("index.html - "), notepad.title
        menu(desk, "P", "R")
        desk.wait_until(lambda: records(record), 15, message="the tool did not start")
        time.sleep(1)  # the palette finishes the first command
        menu(desk, "P", "S")
        desk.wait_until(lambda: len(records(record)) == 2, 15, message="the second tool did not start")
    (cwd, args), (cwd2, args2) = records(record)
    # The quoted path and folder arrive as one argument each, spaces and all.
    assert args == ["-f", desk.winpath(path), "-d", desk.winpath(folder)], args
    # Without a working folder of its own the tool runs in its program's folder.
    assert _same_folder(cwd, desk.winpath(desk.build_win)), cwd
    # No placeholder: the parameters go as written, in the tool's own folder.
    assert args2 == ["plain", "%"], args2
    assert _same_folder(cwd2, desk.winpath(desk.tmp)), cwd2


def test_tool_that_cannot_start_is_reported_with_the_shell_code(desk):
    folder, _ = _site(desk)
    missing = desk.winpath(os.path.join(desk.tmp, "no such tool.exe"))
    tools = "[Tools]\r\nItemCount=1\r\nTitle0=&Gone\r\nFile0=%s\r\nParam0=x\r\nTmpDir0=\r\n" % missing
    with palette(desk, editor_settings(desk, folder, sections=tools)):
        menu(desk, "P", "G")
        desk.wait_window("#32770", 10)
        text = desk.wait_until(lambda: probe(desk, "boxtext"), 10, message="no report")
        desk.keys("tap:RETURN")
    # The shell's 2: the file was not found.
    assert missing + " の起動に失敗しました(2)。" in text, text
    assert "「&Gone」の設定を確認して下さい。" in text, text


def test_preview_talks_to_the_browser_through_dde(desk):
    folder, path = _site(desk)
    record = os.path.join(desk.tmp, "dde.txt")
    if os.path.exists(record):
        os.remove(record)
    browser_exe = desk.winpath(desk.win_exe("extbrowser.exe"))
    with NotepadWithDocument(desk, path):
        process = _browser(desk, record, "Iexplore")
        try:
            desk.focus_notepad()
            with palette(desk, editor_settings(desk, folder, "IeFile=%s\r\n" % browser_exe)):
                menu(desk, "W", "I")
                desk.wait_until(lambda: open(record, encoding="utf-8").read().count("request") >= 2, 25,
                                message="the DDE requests did not arrive: %r" % open(record, encoding="utf-8").read())
                # The browser's window was brought to the front.
                desk.wait_until(lambda: desk.tool("foreground").strip() == BROWSER_CLASS, 10,
                                message="the browser is not in front")
        finally:
            _stop_browser(desk, process)
    requests = [line for line in open(record, encoding="utf-8").read().splitlines() if line.startswith("request")]
    cf_text = "1"
    assert requests == [
        "request WWW_OpenURL \"file:%s\",,-1,,,,, %s" % (desk.winpath(path), cf_text),
        "request WWW_Activate 0xFFFFFFFF,0x0 %s" % cf_text,
    ], requests


def test_preview_starts_the_dde_server_when_none_answers(desk):
    """A browser window without a DDE server: each conversation runs the
    server start command (the executable lower-cased without ".exe", then
    -nohome); the recorder stands in for the browser's executable."""
    folder, path = _site(desk)
    recorder, record = empty_recorder(desk)
    window_record = os.path.join(desk.tmp, "window.txt")
    with NotepadWithDocument(desk, path):
        process = _browser(desk, window_record)
        try:
            with palette(desk, editor_settings(desk, folder, "IeFile=%s\r\n" % recorder)):
                menu(desk, "W", "I")
                desk.wait_until(lambda: len(records(record)) == 2, 25,
                                message="server starts: %r" % (records(record),))
        finally:
            _stop_browser(desk, process)
    assert [args for _, args in records(record)] == [["-nohome"], ["-nohome"]], records(record)


def test_preview_without_a_browser_window_starts_the_browser_with_the_path(desk):
    folder, path = _site(desk)
    recorder, record = empty_recorder(desk)
    assert not windows(desk, BROWSER_CLASS)
    with NotepadWithDocument(desk, path), palette(desk, editor_settings(desk, folder, "IeFile=%s\r\n" % recorder)):
        menu(desk, "W", "I")
        desk.wait_until(lambda: records(record), 15, message="the browser was not started")
    [(cwd, args)] = records(record)
    assert args == [desk.winpath(path)], args
    # The browser starts in the document's folder.
    assert _same_folder(cwd, desk.winpath(folder)), cwd


def _browser_rect(desk, hwnd):
    return windows(desk, BROWSER_CLASS)[hwnd][:4]


def _wait_size(desk, hwnd, size):
    def sized():
        left, top, right, bottom = _browser_rect(desk, hwnd)
        return (right - left, bottom - top) == size
    desk.wait_until(sized, 10, message="the browser is %r, expected the size %r" % (_browser_rect(desk, hwnd), size))


def test_size_item_and_hot_key_resize_the_browser_window(desk):
    folder, _ = _site(desk)
    record = os.path.join(desk.tmp, "browser.txt")
    process = _browser(desk, record)
    try:
        [(hwnd, before)] = windows(desk, BROWSER_CLASS).items()
        with palette(desk, editor_settings(desk, folder, "W640HotKey=Ctrl+F7\r\n")):
            # The browser was in front before the palette: it is the target.
            menu(desk, "W", "B", "8")
            _wait_size(desk, hwnd, (808, 580))
            # Sized in place.
            assert _browser_rect(desk, hwnd)[:2] == before[:2]
            # The hot key sizes the foreground window; hot keys reach Wine
            # while the pointer is over one of its windows.
            desk.tool("activate", BROWSER_CLASS)
            left, top, right, bottom = _browser_rect(desk, hwnd)
            desk.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
            time.sleep(0.3)
            desk.xdotool("key", "ctrl+F7")
            _wait_size(desk, hwnd, (648, 460))
    finally:
        _stop_browser(desk, process)


def _free_area(desk, palette_window):
    """Below the maximised palette: the work area from the palette's bottom edge."""
    area = [int(v) for v in probe(desk, "workarea").split()]
    return (area[0], palette_window[3], area[2], area[3])


def test_fit_item_places_the_editor_in_the_free_area(desk):
    folder, path = _site(desk)
    with NotepadWithDocument(desk, path) as notepad, palette(desk, editor_settings(desk, folder)):
        palette_window = next(iter(windows(desk, MAIN).values()))
        expected = _free_area(desk, palette_window)
        assert windows(desk, "Notepad")[notepad.hwnd][:4] != expected
        # The document's Notepad was in front before the palette: the target.
        menu(desk, "W", "E")
        desk.wait_until(lambda: windows(desk, "Notepad")[notepad.hwnd][:4] == expected, 10,
                        message="Notepad at %r, the free area is %r" % (windows(desk, "Notepad")[notepad.hwnd][:4],
                                                                        expected))


def test_new_starts_notepad_in_the_free_area_below_the_palette(desk):
    folder, _ = _site(desk)
    before = set(windows(desk, "Notepad"))
    with palette(desk, editor_settings(desk, folder)):
        palette_window = next(iter(windows(desk, MAIN).values()))
        assert palette_window[4] == 1, "the palette is not maximised"
        menu(desk, "F", "N")
        new = desk.wait_until(lambda: [h for h in windows(desk, "Notepad") if h not in before], 20,
                              message="no new Notepad")
        hwnd = new[0]
        try:
            expected = _free_area(desk, palette_window)
            desk.wait_until(lambda: windows(desk, "Notepad")[hwnd][:4] == expected, 10,
                            message="Notepad at %r, the free area is %r" % (windows(desk, "Notepad")[hwnd][:4],
                                                                            expected))
        finally:
            close_window(desk, hwnd)


def test_open_starts_the_editor_with_the_chosen_file(desk):
    folder, _ = _site(desk)
    other = os.path.join(desk.tmp, "other dir")
    os.makedirs(other, exist_ok=True)
    page = os.path.join(other, "page.htm")
    with open(page, "w") as handle:
        handle.write("<p></p>\n")
    with palette(desk, editor_settings(desk, folder)) as process:
        menu(desk, "F", "O")
        desk.wait_window("#32770", 10)
        time.sleep(0.5)
        assert _probe_rc(desk, "openfile", desk.winpath(page)) == 0
        hwnd = desk.wait_until(
            lambda: next((h for h, w in windows(desk, "Notepad").items() if w[5].startswith("page.htm")), None), 20,
            message="Notepad did not open page.htm")
        close_window(desk, hwnd)
        desk.tool("close", MAIN)
        process.wait(timeout=20)
        ini = open(os.path.join(desk.build_win, "tagsling.INI"), "rb").read().decode("cp932")
    # The dialog remembers the chosen file's folder, without a trailing "\".
    assert "HtmlOpenDir=" + desk.winpath(other) + "\r\n" in ini, ini


def _ping(desk, cls):
    """Milliseconds the window took to answer WM_NULL; fails after 500 ms."""
    result = desk.run(desk.win_exe("desktoptool.exe"), "ping", cls, "500")
    answer = result.stdout.decode("utf-8").split()
    assert result.returncode == 0, "%s did not answer within 500 ms: %r" % (cls, answer)
    return int(answer[1])


def test_an_editor_that_never_becomes_idle_leaves_the_palette_answering(desk):
    """"新規作成" with EditorWindowMax waits for the editor to become idle
    before fitting it. The stand-in never does (it ends by itself after a
    minute): while the palette waits it answers at once and refuses
    commands, and after the 10-second bound it is usable again."""
    editor = desk.winpath(desk.win_exe("exteditor.exe"))
    options = "EditorFile=%s\r\nEditorCmdLine=60000 exit\r\nEditorWindowMax=1\r\n" % editor
    ini = QUICK_START.replace("[Option]\r\n", "[Option]\r\n" + options, 1)
    try:
        with palette(desk, ini):
            show_page(desk, 1)
            menu(desk, "F", "N")
            started = time.time()
            time.sleep(1)
            for _ in range(4):
                assert _ping(desk, MAIN) < 500
                time.sleep(0.5)
            # A command while it waits is refused.
            desk.focus_notepad()
            click_item(desk, *MOJI_B)
            time.sleep(1.5)
            assert desk.notepad_text() == "", "a command ran while the palette waited"
            assert time.time() - started < 9, "the test was too slow to see the wait"
            # The bound has passed: the palette works again, long before the
            # stand-in ends.
            time.sleep(max(0.0, started + 11 - time.time()))
            desk.focus_notepad()
            click_item(desk, *MOJI_B)
            wait_text(desk, "<B></B>")
            assert time.time() - started < 40
    finally:
        probe(desk, "kill", "exteditor.exe")


def test_preview_of_a_path_too_long_for_dde_starts_the_browser_with_it(desk):
    """An open browser is driven through DDE, whose item holds at most 255
    characters: with a longer document path the browser is started with the
    whole path instead (the recorder stands in for its executable)."""
    folder = os.path.join(desk.tmp, "long")
    while len(desk.winpath(os.path.join(folder, "index.html"))) < 245:
        folder = os.path.join(folder, "x" * min(40, 245 - len(desk.winpath(os.path.join(folder, "index.html")))))
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "index.html")
    with open(path, "w") as handle:
        handle.write("<html></html>\n")
    assert 240 <= len(desk.winpath(path)) < 260
    recorder, record = empty_recorder(desk)
    window_record = os.path.join(desk.tmp, "long-window.txt")
    with NotepadWithDocument(desk, path):
        process = _browser(desk, window_record, "Iexplore")
        try:
            with palette(desk, editor_settings(desk, folder, "IeFile=%s\r\n" % recorder)):
                menu(desk, "W", "I")
                desk.wait_until(lambda: records(record), 15, message="the browser was not started with the path")
        finally:
            _stop_browser(desk, process)
    [(_, args)] = records(record)
    assert args == [desk.winpath(path)], args
    assert "request" not in open(window_record, encoding="utf-8").read()
