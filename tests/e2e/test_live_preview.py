"""Live preview: Tagsling serves the site of the document Notepad shows and
the page in a real browser follows every save. The browser is Debian's
Chromium, headless on the Linux side (Wine's sockets are this machine's),
driven through its DevTools protocol (devtools.py); LivePreviewBrowser
points at extrecorder.exe, which records the address Tagsling opens, so no
browser runs inside Wine. Saves are made as an editor makes them: a
temporary file renamed over the page.

Keyboard paths: "ウィンドウ(&W)" is Alt+W with "ライブプレビュー(&L)" (L) and
"ライブプレビューを停止(&Q)" (Q)."""

import os
import socket
import time

from devtools import Chromium, http_status, save_as_an_editor_does
from harness import MAIN, started_with_settings

NOTEPAD_EXE = r"C:\windows\notepad.exe"
RECORDER = "extrecorder.exe"

PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Live</title><link rel="stylesheet" href="style.css"></head>
<body><p id="text">%s</p><script>window.tagslingMarker = window.tagslingMarker || Math.random();</script>
</body></html>
"""


def _site(desk):
    """A site folder with a page, its style sheet, a media file and a
    subfolder without an index; beside it (outside) a secret file and, inside,
    a link to it."""
    root = os.path.join(desk.tmp, "live")
    folder = os.path.join(root, "site")
    os.makedirs(os.path.join(folder, "sub"), exist_ok=True)
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as handle:
        handle.write(PAGE % "first")
    with open(os.path.join(folder, "style.css"), "w", encoding="utf-8") as handle:
        handle.write("#text { color: rgb(0, 0, 255); }\n")
    with open(os.path.join(folder, "clip.mp4"), "wb") as handle:
        handle.write(bytes(range(256)) * 4)
    secret = os.path.join(root, "secret.txt")
    with open(secret, "w") as handle:
        handle.write("secret\n")
    link = os.path.join(folder, "leak.txt")
    if not os.path.lexists(link):
        os.symlink(secret, link)
    return folder


def _ini(desk, folder, recorder):
    return ("[Option]\r\nSplashWindow=0\r\nEditorFile=%s\r\nEditorWindowClass=Notepad\r\nPublic_Dir=%s\r\n"
            "LivePreviewBrowser=%s\r\n"
            "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=620\r\nWindowWidth=900\r\n"
            % (NOTEPAD_EXE, desk.winpath(folder), recorder))


def _recorded_addresses(record):
    if not os.path.exists(record):
        return []
    return [line[4:] for line in open(record, encoding="utf-8").read().splitlines() if line.startswith("arg=")]


def _menu(desk, *letters):
    desk.tool("activate", MAIN)
    time.sleep(0.3)
    desk.keys("down:ALT", "tap:" + letters[0], "up:ALT")
    for letter in letters[1:]:
        time.sleep(0.4)
        desk.keys("tap:" + letter)


def _notepads(desk):
    """{hwnd: title} of the visible Notepad windows."""
    lines = desk.run(desk.win_exe("extprobe.exe"), "windows", "Notepad").stdout.decode("utf-8").splitlines()
    return {line.split(" ", 6)[0]: (line.split(" ", 6) + [""])[6] for line in lines}


def _notepad_with(desk, path):
    """Notepad showing `path`, in front of the harness's Notepad; its window."""
    before = set(_notepads(desk))
    desk.start("notepad", desk.winpath(path))
    name = os.path.basename(path)
    return desk.wait_until(
        lambda: next((h for h, title in _notepads(desk).items() if h not in before and name in title), None), 20,
        message="Notepad did not open " + name)


def _connection_refused(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=2).close()
        return False
    except OSError:
        return True


def _check_refusals(port):
    """Each refusal from a plain HTTP client."""
    status, headers = http_status(port, path="/index.html")
    assert status == 200
    assert headers.get("Cache-Control") == "no-store" and headers.get("X-Content-Type-Options") == "nosniff"
    cases = [
        ("POST", "/index.html", None, {}, 405),
        ("DELETE", "/index.html", None, {}, 405),
        ("HEAD", "/index.html", None, {}, 200),
        ("GET", "/index.html", "evil.example:%d" % port, {}, 403),
        ("GET", "/index.html", "127.0.0.1:%d" % (port + 1), {}, 403),
        ("GET", "/../secret.txt", None, {}, 404),
        ("GET", "/%2e%2e/secret.txt", None, {}, 404),
        ("GET", "/sub/..%5c..%5csecret.txt", None, {}, 404),
        ("GET", "/C:/windows/win.ini", None, {}, 404),
        ("GET", "//localhost/c$/windows/win.ini", None, {}, 404),
        ("GET", "/index.html::$DATA", None, {}, 404),
        ("GET", "/index.html.", None, {}, 404),
        ("GET", "/index.html%20", None, {}, 404),
        ("GET", "/CON", None, {}, 404),
        ("GET", "/nul.txt", None, {}, 404),
        ("GET", "/sub/", None, {}, 404),  # no index, and never a listing
        ("GET", "/sub", None, {}, 404),
        ("GET", "/leak.txt", None, {}, 404),  # a link whose target lies outside
        ("GET", "/clip.mp4", None, {"Range": "bytes=0-99"}, 206),
        ("GET", "/clip.mp4", None, {"Range": "bytes=5000-"}, 416),
    ]
    for method, path, host, extra, expected in cases:
        status, headers = http_status(port, method, path, host, extra)
        assert status == expected, (method, path, host, status)
        assert headers.get("Cache-Control") == "no-store", (method, path)
        assert headers.get("X-Content-Type-Options") == "nosniff", (method, path)
    _, headers = http_status(port, path="/clip.mp4", headers={"Range": "bytes=0-99"})
    assert headers.get("Content-Range") == "bytes 0-99/1024"
    # A head over 8 KB is refused.
    try:
        status, _ = http_status(port, path="/index.html", headers={"X-Long": "x" * 9000})
        assert status == 431
    except (ConnectionError, OSError):
        pass  # closed without an answer: refused too


def _check_connection_limit(port):
    """More than 64 open connections: the extra ones are closed at once."""
    held = []
    try:
        for _ in range(70):
            held.append(socket.create_connection(("127.0.0.1", port), timeout=5))
        time.sleep(0.5)
        closed = 0
        for sock in held:
            sock.settimeout(0.2)
            try:
                if sock.recv(1) == b"":
                    closed += 1
            except socket.timeout:
                pass
            except OSError:
                closed += 1
        # The page's event stream holds one connection of its own.
        assert closed >= 6, closed
    finally:
        for sock in held:
            sock.close()
    time.sleep(0.5)
    assert http_status(port, path="/index.html")[0] == 200


def test_live_preview_follows_saves_and_refuses_what_lies_outside(desk):
    folder = _site(desk)
    page_path = os.path.join(folder, "index.html")
    record = desk.win_exe(RECORDER) + ".txt"
    if os.path.exists(record):
        os.remove(record)
    with started_with_settings(desk, _ini(desk, folder, desk.winpath(desk.win_exe(RECORDER)))):
        notepad = _notepad_with(desk, page_path)
        _menu(desk, "W", "L")
        addresses = desk.wait_until(lambda: _recorded_addresses(record), 20,
                                    message="Tagsling opened no address in the browser")
        address = addresses[0]
        assert address.startswith("http://127.0.0.1:") and address.endswith("/index.html"), address
        port = int(address.split(":")[2].split("/")[0])
        assert 8930 <= port < 9030

        with Chromium() as chromium:
            page = chromium.new_page(address)
            page.wait_for("document.getElementById('text') && document.getElementById('text').textContent == 'first'")
            page.wait_for("getComputedStyle(document.getElementById('text')).color == 'rgb(0, 0, 255)'")
            time.sleep(0.3)  # the event stream is open
            page.screenshot(os.path.join(desk.screenshot_dir, "live-preview-before.png"))
            marker = page.evaluate("window.tagslingMarker")

            save_as_an_editor_does(page_path, PAGE % "second")
            elapsed = page.wait_for("document.getElementById('text') && "
                                    "document.getElementById('text').textContent == 'second'", 10)
            assert elapsed < 1.0, "the page showed the save after %.2f s" % elapsed
            assert page.evaluate("window.tagslingMarker") != marker  # reloaded
            marker = page.evaluate("window.tagslingMarker")

            time.sleep(0.3)
            save_as_an_editor_does(os.path.join(folder, "style.css"), "#text { color: rgb(255, 0, 0); }\n")
            elapsed = page.wait_for("getComputedStyle(document.getElementById('text')).color == 'rgb(255, 0, 0)'", 10)
            assert elapsed < 1.0, "the page restyled after %.2f s" % elapsed
            assert page.evaluate("window.tagslingMarker") == marker  # restyled without a reload
            page.screenshot(os.path.join(desk.screenshot_dir, "live-preview-after.png"))

            # The page on disk is never changed by the script's insertion.
            assert "<script>(function" not in open(page_path, encoding="utf-8").read()
            _check_refusals(port)
            _check_connection_limit(port)
            page.close()

        # Choosing it again for a page of the served folder only opens the page.
        _menu(desk, "W", "L")
        desk.wait_until(lambda: len(_recorded_addresses(record)) == 2, 20, message="the page was not opened again")
        assert _recorded_addresses(record)[1] == address

        _menu(desk, "W", "Q")
        desk.wait_until(lambda: _connection_refused(port), 10, message="the port stayed open after the stop")
        desk.run(desk.win_exe("extprobe.exe"), "close", notepad)
