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
import shutil
import socket
import time

from devtools import Chromium, http_status, save_as_an_editor_does
from harness import menu, started_with_settings
from livesite import (PAGE, live_ini, live_site, notepad_with, record_path, recorded_addresses,
                      start_preview)

def _connection_refused(port, address="127.0.0.1"):
    try:
        socket.create_connection((address, port), timeout=2).close()
        return False
    except OSError:
        return True


def _check_refusals(port):
    """Each refusal from a plain HTTP client."""
    status, headers = http_status(port, path="/index.html")
    assert status == 200
    # Only 127.0.0.1 listens: another address of this machine is refused.
    assert _connection_refused(port, "127.0.0.2")
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
    folder = live_site(desk)
    page_path = os.path.join(folder, "index.html")
    with started_with_settings(desk, live_ini(desk, folder)):
        address, port, notepad = start_preview(desk, page_path)
        assert address.endswith("/index.html"), address
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
            # A loaded machine may report one save in two groups (two reloads): let them pass.
            time.sleep(1.0)
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
        menu(desk, "W", "L")
        desk.wait_until(lambda: len(recorded_addresses(record_path(desk))) == 2, 20, message="the page was not opened again")
        assert recorded_addresses(record_path(desk))[1] == address

        menu(desk, "W", "Q")
        try:
            desk.wait_until(lambda: _connection_refused(port), 10)
        except AssertionError:
            # On a loaded machine the menu's letter can come before the menu: once more.
            menu(desk, "W", "Q")
            desk.wait_until(lambda: _connection_refused(port), 10, message="the port stayed open after the stop")
        desk.run(desk.win_exe("extprobe.exe"), "close", notepad)


def _report(desk):
    """The text of the message box Tagsling shows, after closing it."""
    desk.wait_window("#32770", 15)
    text = desk.wait_until(lambda: desk.run(desk.win_exe("extprobe.exe"), "boxtext").stdout.decode("utf-8"), 10,
                           message="no report")
    desk.tool("close", "#32770")
    desk.wait_until(lambda: not desk.has_window("#32770"), 10, message="the report did not close")
    return text


def test_live_preview_reports_a_taken_port_and_a_folder_removed_and_stops_on_quitting(desk):
    folder = live_site(desk)
    page_path = os.path.join(folder, "index.html")
    if os.path.exists(record_path(desk)):
        os.remove(record_path(desk))
    with socket.socket() as taken:
        taken.bind(("127.0.0.1", 0))
        taken.listen()
        port = taken.getsockname()[1]
        with started_with_settings(desk, live_ini(desk, folder, "LivePreviewPort=%d\r\n" % port)):
            notepad = notepad_with(desk, page_path)
            menu(desk, "W", "L")
            text = _report(desk)
            assert "ポート %d は他のプログラムが使用しています。" % port in text, text
            assert recorded_addresses(record_path(desk)) == []  # no page opened
            desk.run(desk.win_exe("extprobe.exe"), "close", notepad)

    # The port free again, the preview starts on it; the folder removed, it
    # stops and says so once.
    with started_with_settings(desk, live_ini(desk, folder, "LivePreviewPort=%d\r\n" % port)):
        address, served_port, notepad = start_preview(desk, page_path)
        assert served_port == port
        assert http_status(port, path="/index.html")[0] == 200
        shutil.rmtree(os.path.dirname(folder))
        text = _report(desk)
        assert "公開していたフォルダが見つかりません" in text, text
        desk.wait_until(lambda: _connection_refused(port), 10, message="the port stayed open after the folder went")
        time.sleep(1.5)
        assert not desk.has_window("#32770")  # said once
        desk.run(desk.win_exe("extprobe.exe"), "close", notepad)

    # Quitting Tagsling closes the port.
    folder = live_site(desk)
    with started_with_settings(desk, live_ini(desk, folder, "LivePreviewPort=%d\r\n" % port)):
        _, served_port, notepad = start_preview(desk, os.path.join(folder, "index.html"))
        assert http_status(served_port, path="/index.html")[0] == 200
        desk.run(desk.win_exe("extprobe.exe"), "close", notepad)
    desk.wait_until(lambda: _connection_refused(port), 10, message="the port stayed open after quitting")
