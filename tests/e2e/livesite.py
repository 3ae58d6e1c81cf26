"""The live preview's scratch site and the palette steps around it, shared
by its end-to-end test and its benchmark: a site folder with a page, a
style sheet, a media file, a subfolder without an index, a secret file
beside the folder and a link to it inside; Notepad showing the page; the
settings that make extrecorder.exe the preview's browser."""

import os
import time

from harness import menu

NOTEPAD_EXE = r"C:\windows\notepad.exe"
RECORDER = "extrecorder.exe"

PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Live</title><link rel="stylesheet" href="style.css"></head>
<body><p id="text">%s</p><script>window.tagslingMarker = window.tagslingMarker || Math.random();</script>
</body></html>
"""


def live_site(desk):
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


def live_ini(desk, folder, extra_option=""):
    """Notepad as the editor, the site as the base folder, extrecorder.exe
    as the preview's browser."""
    return ("[Option]\r\nSplashWindow=0\r\nEditorFile=%s\r\nEditorWindowClass=Notepad\r\nPublic_Dir=%s\r\n"
            "LivePreviewBrowser=%s\r\n%s"
            "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=620\r\nWindowWidth=900\r\n"
            % (NOTEPAD_EXE, desk.winpath(folder), desk.winpath(desk.win_exe(RECORDER)), extra_option))


def recorded_addresses(record):
    if not os.path.exists(record):
        return []
    return [line[4:] for line in open(record, encoding="utf-8").read().splitlines() if line.startswith("arg=")]


def notepads(desk):
    """{hwnd: title} of the visible Notepad windows."""
    lines = desk.run(desk.win_exe("extprobe.exe"), "windows", "Notepad").stdout.decode("utf-8").splitlines()
    return {line.split(" ", 6)[0]: (line.split(" ", 6) + [""])[6] for line in lines}


def notepad_with(desk, path):
    """Notepad showing `path`, in front of the harness's Notepad; its window."""
    before = set(notepads(desk))
    desk.start("notepad", desk.winpath(path))
    name = os.path.basename(path)
    return desk.wait_until(
        lambda: next((h for h, title in notepads(desk).items() if h not in before and name in title), None), 20,
        message="Notepad did not open " + name)


def record_path(desk):
    return desk.win_exe(RECORDER) + ".txt"


def start_preview(desk, page_path):
    """Notepad showing the page, then "ライブプレビュー(&L)" from the Window
    menu; (the address opened, its port, Notepad's window)."""
    record = record_path(desk)
    if os.path.exists(record):
        os.remove(record)
    notepad = notepad_with(desk, page_path)
    time.sleep(0.5)
    menu(desk, "W", "L")
    address = desk.wait_until(lambda: recorded_addresses(record), 20,
                              message="Tagsling opened no address in the browser")[0]
    assert address.startswith("http://127.0.0.1:"), address
    return address, int(address.split(":")[2].split("/")[0]), notepad
