"""Today's browsers, played by stand-ins: extbrowser.exe shows a window of
a given class and title (here Chromium's "Chrome_WidgetWin_1"), records the
keys it receives, and with --page keeps a page child below an 80-pixel tool
strip, recording the page area's size after each sizing. The shell's
handler of .html files is extrecorder.exe, registered in the Wine prefix
for the tests that need it.

Keyboard paths: "ウィンドウ(&W)" is Alt+W with "既定のブラウザで表示(&D)" (D)
and "ブラウザのサイズ変更(&B)" (B) holding "&800x600" (8)."""

import re
import time

from harness import (NotepadWithDocument, OPTIONS, QUICK_START, StandInBrowser, close_window, editor_settings,
                     empty_recorder, menu, page_site, palette, records, windows)

CHROMIUM = "Chrome_WidgetWin_1"
PAGE_TITLE = "Stand-in page"
STRIP = 80


def _site(desk, title=PAGE_TITLE):
    return page_site(desk, "modern site", title)


def _wait_page(desk, standin, size):
    desk.wait_until(lambda: standin.page() == size, 10,
                    message="the page area is %r, expected %r" % (standin.page(), size))


def test_size_commands_fit_a_chrome_page_and_leave_other_chromium_programs_alone(desk):
    folder, _ = _site(desk)
    with StandInBrowser(desk, PAGE_TITLE + " - Google Chrome", CHROMIUM, STRIP) as chrome:
        assert chrome.page() is not None
        with StandInBrowser(desk, "notes.md - project - Visual Studio Code", CHROMIUM) as editor:
            before = editor.rect()
            with palette(desk, editor_settings(desk, folder, "W640HotKey=Ctrl+F7\r\n")):
                # The editor built on Chromium was in front: it is the target,
                # and it is no browser.
                menu(desk, "W", "B", "8")
                time.sleep(2)
                assert editor.rect() == before, "a Chromium program that is no browser was resized"
                close_window(desk, editor.hwnd)
                desk.wait_until(lambda: editor.hwnd not in windows(desk, CHROMIUM), 10)
                # Now the Chrome stand-in is the target: its page comes out at
                # the chosen size, the window in place.
                left, top = chrome.rect()[:2]
                menu(desk, "W", "B", "8")
                _wait_page(desk, chrome, (800, 600))
                assert chrome.rect()[:2] == (left, top)
                window = chrome.rect()
                frame = (window[2] - window[0] - 800, window[3] - window[1] - 600)
                # The hot key sizes the foreground window.
                desk.tool("activate", CHROMIUM)
                x0, y0, x1, y1 = chrome.rect()
                desk.xdotool("mousemove", (x0 + x1) // 2, (y0 + y1) // 2)
                time.sleep(0.3)
                desk.xdotool("key", "ctrl+F7")
                _wait_page(desk, chrome, (640, 480))
                window = chrome.rect()
                assert (window[2] - window[0] - 640, window[3] - window[1] - 480) == frame
    # What lies around the page: the stand-in's frame and caption under Wine
    # and its tool strip (reported with the sizing rule).
    print("     page frame under Wine: %d x %d" % frame)


def test_default_browser_preview_reloads_the_window_that_shows_the_document(desk):
    folder, path = _site(desk)
    with NotepadWithDocument(desk, path), \
            StandInBrowser(desk, PAGE_TITLE + " - Google Chrome", CHROMIUM) as chrome, \
            StandInBrowser(desk, PAGE_TITLE + " - Visual Studio Code", CHROMIUM) as editor:
        desk.focus_notepad()
        text = desk.notepad_text()
        with palette(desk, editor_settings(desk, folder)):
            menu(desk, "W", "D")
            desk.wait_until(lambda: "keyup 116" in chrome.keys(), 15,
                            message="F5 did not reach the browser: %r" % chrome.lines())
            # The editor has the foreground again (a probe that fails to
            # run under load is simply asked again).
            desk.wait_until(lambda: desk.tool("foreground", check=False).strip() == "Notepad", 10,
                            message="the editor did not get the foreground back: %s" % desk.tool("foreground"))
            time.sleep(0.5)
        assert chrome.keys() == ["key 116", "keyup 116"], chrome.keys()
        assert editor.keys() == [], editor.keys()
        # F5 would have put the date into Notepad's text.
        assert desk.notepad_text() == text


def _html_handler(desk, exe):
    """Registers `exe` as the handler of .html files in the prefix; returns
    what .html was bound to before, for _restore_html_handler."""
    query = desk.run("reg", "query", r"HKCR\.html", "/ve").stdout.decode("utf-8", "replace")
    found = re.search(r"REG_SZ\s+(\S+)", query)
    command = '"%s" "%%1"' % exe
    desk.run("reg", "add", r"HKCR\TagslingStandInPage\shell\open\command", "/ve", "/d", command, "/f")
    desk.run("reg", "add", r"HKCR\.html", "/ve", "/d", "TagslingStandInPage", "/f")
    return found.group(1) if found else None


def _restore_html_handler(desk, previous):
    if previous:
        desk.run("reg", "add", r"HKCR\.html", "/ve", "/d", previous, "/f")
    else:
        desk.run("reg", "delete", r"HKCR\.html", "/ve", "/f")
    desk.run("reg", "delete", r"HKCR\TagslingStandInPage", "/f")


def test_default_browser_preview_without_a_browser_window_opens_the_file(desk):
    folder, path = _site(desk)
    recorder, record = empty_recorder(desk)
    previous = _html_handler(desk, recorder)
    try:
        # A Chrome window with another page is no reason not to open this one.
        with NotepadWithDocument(desk, path) as notepad, \
                StandInBrowser(desk, "Other page - Google Chrome", CHROMIUM) as chrome:
            desk.focus_notepad()
            with palette(desk, editor_settings(desk, folder, "OpenDefaultBrowserHotKey=Ctrl+F9\r\n")):
                # The hot key, with the pointer over the editor.
                desk.tool("activate", "Notepad")
                x0, y0, x1, y1 = windows(desk, "Notepad")[notepad.hwnd][:4]
                desk.xdotool("mousemove", (x0 + x1) // 2, (y0 + y1) // 2)
                time.sleep(0.3)
                desk.xdotool("key", "ctrl+F9")
                desk.wait_until(lambda: records(record), 15, message="the .html handler was not started")
            assert chrome.keys() == [], chrome.keys()
    finally:
        _restore_html_handler(desk, previous)
    [(_, args)] = records(record)
    assert args == [desk.winpath(path)], args


def test_browser_page_lists_the_installed_browsers(desk):
    """App Paths entries per machine and per user count; Edge has none here."""
    app_paths = r"\Software\Microsoft\Windows\CurrentVersion\App Paths"
    keys = ["HKLM" + app_paths + r"\chrome.exe", "HKCU" + app_paths + r"\firefox.exe"]
    for key in keys:
        desk.run("reg", "add", key, "/ve", "/d", r"C:\Browsers\browser.exe", "/f")
    try:
        with palette(desk, QUICK_START):
            menu(desk, "L", "S")
            desk.wait_window(OPTIONS, 10)
            time.sleep(0.5)
            found = desk.run(desk.win_exe("extprobe.exe"), "field", OPTIONS, "Google Chrome, Mozilla Firefox")
            desk.tool("activate", OPTIONS, check=False)
            desk.keys("tap:ESCAPE")
            desk.wait_until(lambda: not desk.has_window(OPTIONS), 10, message="the options dialog stayed")
        assert found.returncode == 0, "no field lists the two browsers"
    finally:
        for key in keys:
            desk.run("reg", "delete", key, "/f")
