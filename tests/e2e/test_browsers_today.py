"""Edge, private windows and the other browser editions, played by
extbrowser.exe with the titles those browsers really write: Edge's
"Microsoft", a zero-width space, a space, "Edge"; Chrome's incognito mark;
Firefox's private-browsing mark after an em dash.

Keyboard paths: "ウィンドウ(&W)" is Alt+W with "既定のブラウザで表示(&D)" (D)
and "ブラウザのサイズ変更(&B)" (B) holding "&800x600" (8)."""

import time

from harness import NotepadWithDocument, StandInBrowser, editor_settings, menu, page_site, started_with_settings

CHROMIUM = "Chrome_WidgetWin_1"
FIREFOX = "MozillaWindowClass"
PAGE_TITLE = "Today's page"
EDGE = " - Personal - Microsoft\u200b Edge"
STRIP = 80


def _presses(browser):
    """The keys pressed in the browser; a release alone may be the menu
    letter's, let go once the browser is already in front."""
    return [line for line in browser.keys() if line.startswith("key ")]


def _site(desk):
    return page_site(desk, "today site", PAGE_TITLE)


def _reload(desk, browser):
    """"既定のブラウザで表示" from the menu bar, with the document in front:
    the browser gets F5 and the editor the foreground back."""
    desk.tool("activate", "Notepad")
    desk.wait_until(lambda: desk.tool("foreground", check=False).strip() == "Notepad", 10,
                    message="the editor did not come to the front: %s" % desk.tool("foreground", check=False))
    time.sleep(0.3)
    menu(desk, "W", "D")
    desk.wait_until(lambda: "keyup 116" in browser.keys(), 15,
                    message="F5 did not reach %r: %r" % (browser.title(), browser.lines()))
    desk.wait_until(lambda: desk.tool("foreground", check=False).strip() == "Notepad", 10,
                    message="the editor did not get the foreground back: %s" % desk.tool("foreground"))


def test_an_edge_window_is_sized_and_reloaded(desk):
    folder, path = _site(desk)
    with NotepadWithDocument(desk, path):
        with StandInBrowser(desk, PAGE_TITLE + " and 14 more pages" + EDGE, CHROMIUM, strip=STRIP) as edge:
            assert "\u200b " in edge.title(), "the stand-in's title lost the zero-width space: %r" % edge.title()
            with started_with_settings(desk, editor_settings(desk, folder)):
                # The Edge window was in front before the palette: it is the
                # target of the size command, and its page comes out 800 x 600.
                desk.tool("activate", CHROMIUM)
                time.sleep(0.3)
                menu(desk, "W", "B", "8")
                desk.wait_until(lambda: edge.page() == (800, 600), 15,
                                message="the page area is %r, expected (800, 600)" % (edge.page(),))
                # The document is shown in it: preview reloads it, no new tab.
                _reload(desk, edge)
                time.sleep(0.5)
            assert _presses(edge) == ["key 116"], edge.keys()


def test_private_windows_and_editions_are_reloaded_by_the_default_browser_preview(desk):
    folder, path = _site(desk)
    windows = [
        (PAGE_TITLE + " - [InPrivate]" + EDGE, CHROMIUM),
        (PAGE_TITLE + " - Google Chrome (\u30b7\u30fc\u30af\u30ec\u30c3\u30c8)", CHROMIUM),
        (PAGE_TITLE + " \u2014 Mozilla Firefox Private Browsing", FIREFOX),
        (PAGE_TITLE + " \u2014 Firefox Developer Edition", FIREFOX),
    ]
    # A window of the same title with an unknown mark is no browser's.
    with NotepadWithDocument(desk, path), \
            StandInBrowser(desk, PAGE_TITLE + " - Google Chrome (Private)", CHROMIUM) as stranger, \
            started_with_settings(desk, editor_settings(desk, folder)):
        for title, cls in windows:
            with StandInBrowser(desk, title, cls) as browser:
                _reload(desk, browser)
                time.sleep(0.5)
                assert _presses(browser) == ["key 116"], (title, browser.keys())
    assert stranger.keys() == [], stranger.keys()
