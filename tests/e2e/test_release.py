"""The release as a Windows user gets it: the zip of scripts/package.sh
unpacked into a folder of its own, Tagsling started from there beside
Notepad, one tag inserted, the program closed and its settings file written
beside the unpacked tagsling.exe. And the icon and version resources of the
built program and library, read back from the files as Explorer reads them.

The package test needs the zip of the current build (the test command makes
it before the end-to-end run; otherwise run scripts/package.sh). Its
screenshot, release-beside-notepad.png, is the README's picture."""

import os
import shutil
import struct
import tempfile
import time
import zipfile
import zlib

from harness import MAIN, click_item

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FOLDER_CONTENTS = ["Tagsling/", "Tagsling/tagsling.exe", "Tagsling/Tagslingmhook.dll", "Tagsling/Html.dat",
                   "Tagsling/Tagsling.html", "Tagsling/README.txt"]
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
PAGE_TEXT = ("TabSheet2", 4)  # 文字 > B
DOCUMENT = "<!DOCTYPE html>\r\n<title>Tagsling</title>\r\n<p>HTML タグ入力: \r\n"


def _version():
    with open(os.path.join(ROOT, "VERSION"), encoding="ascii") as handle:
        return handle.read().strip()


def _fnv(data):
    value = 2166136261
    for byte in data:
        value = ((value ^ byte) * 16777619) & 0xFFFFFFFF
    return value


def _icon_file_hashes(path):
    """{size: FNV-1a of the pixels, top row first, B G R A} of every picture
    of an icon file as tagsling-icon writes it (bitmaps below 256 pixels,
    PNG with unfiltered rows at 256)."""
    with open(path, "rb") as handle:
        data = handle.read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    assert kind == 1
    hashes = {}
    for index in range(count):
        width, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
        size = width or 256
        body = data[offset:offset + length]
        if body.startswith(b"\x89PNG"):
            at, packed = 8, b""
            while at < len(body):
                chunk_length, = struct.unpack_from(">I", body, at)
                if body[at + 4:at + 8] == b"IDAT":
                    packed += body[at + 8:at + 8 + chunk_length]
                at += 12 + chunk_length
            raw = zlib.decompress(packed)
            stride = 1 + 4 * size
            rows = [raw[y * stride:(y + 1) * stride] for y in range(size)]
            assert all(row[0] == 0 for row in rows)
            pixels = b"".join(bytes(row[1 + 4 * x + i] for x in range(size) for i in (2, 1, 0, 3)) for row in rows)
        else:
            colours = body[40:40 + 4 * size * size]
            pixels = b"".join(colours[4 * size * y:4 * size * (y + 1)] for y in reversed(range(size)))
        hashes[size] = _fnv(pixels)
    return hashes


def _resources(desk, path):
    output = desk.run(desk.win_exe("restool.exe"), desk.winpath(path), timeout=60)
    assert output.returncode == 0, "restool could not read %s" % path
    facts = {"strings": {}, "icons": {}}
    for line in output.stdout.decode("utf-8").splitlines():
        kind, _, rest = line.partition(" ")
        if kind == "fixed":
            facts["fixed"] = rest.split()
        elif kind == "string":
            name, _, value = rest.partition("=")
            facts["strings"][name] = value
        elif kind == "icon":
            size, bits, digest = rest.split()
            facts["icons"][int(size)] = (int(bits), int(digest, 16))
        elif kind == "large":
            facts["large"] = int(rest)
    return facts


def _check_version(facts, file_name, file_type):
    version = _version()
    numbers = ".".join((version.split(".") + ["0"] * 4)[:4])
    assert facts.get("fixed") == [numbers, numbers, str(file_type)], facts.get("fixed")
    strings = facts["strings"]
    assert strings.get("ProductName") == "Tagsling", strings
    assert strings.get("FileVersion") == version, strings
    assert strings.get("ProductVersion") == version, strings
    assert strings.get("OriginalFilename") == file_name, strings
    assert strings.get("FileDescription"), strings
    assert "Tagsling" in strings.get("LegalCopyright", ""), strings


def _check_program_resources(desk, exe):
    facts = _resources(desk, exe)
    _check_version(facts, "tagsling.exe", 1)  # VFT_APP
    # Every picture of the drawing, each decoded by Windows to the pixels
    # tagsling-icon wrote at build time.
    expected = _icon_file_hashes(os.path.join(desk.build_win, "generated", "tagsling.ico"))
    assert sorted(facts["icons"]) == ICON_SIZES, facts["icons"]
    for size in ICON_SIZES:
        bits, digest = facts["icons"][size]
        assert bits == 32, (size, bits)
        assert digest == expected[size], "the %d-pixel icon differs from tagsling.ico" % size
    assert facts.get("large") == 32, facts


def test_icon_and_version_resources_of_the_built_files(desk):
    _check_program_resources(desk, os.path.join(desk.build_win, "tagsling.exe"))
    library = _resources(desk, os.path.join(desk.build_win, "Tagslingmhook.dll"))
    _check_version(library, "Tagslingmhook.dll", 2)  # VFT_DLL
    assert library["icons"] == {}


def _unpacked_files(folder):
    return sorted(os.path.relpath(os.path.join(where, name), folder)
                  for where, _, names in os.walk(folder) for name in names)


def test_release_zip_runs_from_the_unpacked_folder(desk):
    zip_path = os.path.join(os.path.dirname(desk.build_win), "dist", "tagsling-%s-win64.zip" % _version())
    assert os.path.isfile(zip_path), "no release package %s: run scripts/package.sh first" % zip_path
    unpacked = tempfile.mkdtemp(prefix="release-", dir=desk.tmp)
    with zipfile.ZipFile(zip_path) as archive:
        assert archive.namelist() == FOLDER_CONTENTS
        readme = archive.read("Tagsling/README.txt").decode("utf-8")
        archive.extractall(unpacked)
    # README.txt: UTF-8 with a byte-order mark and CR LF, Japanese first.
    assert readme.startswith("\ufeff") and "\r\n" in readme and "\n" not in readme.replace("\r\n", "")
    assert readme.index("起動のしかた") < readme.index("How to start it")
    assert "tagsling.INI" in readme and _version() in readme
    folder = os.path.join(unpacked, "Tagsling")
    exe = os.path.join(folder, "tagsling.exe")
    _check_program_resources(desk, exe)
    before = _unpacked_files(unpacked)

    notepad_rect = [int(v) for v in desk.tool("rect", "Notepad").split()]
    # Started from another folder, as Explorer's shortcuts may: the settings
    # file still belongs beside the program.
    process = desk.start(exe, cwd=unpacked)
    try:
        desk.wait_window(MAIN, 30)
        desk.wait_until(lambda: not desk.has_window("TSplashForm"), 20, message="the title window stays")
        time.sleep(0.5)
        # A first start: the palette is a strip along the top of the screen
        # and Notepad goes into the area below it.
        area = desk.place_in_free_area("Notepad")
        assert area is not None, "the palette of a first start leaves no free area"
        desk.set_notepad_text(DOCUMENT)
        desk.select_in_notepad(len(DOCUMENT) - 2, len(DOCUMENT) - 2)
        desk.focus_notepad()
        click_item(desk, "PageControl1", 1)
        time.sleep(0.3)
        click_item(desk, *PAGE_TEXT)
        expected = DOCUMENT[:-2] + "<B></B>" + "\r\n"
        desk.wait_until(lambda: desk.notepad_text() == expected, 10,
                        message="Notepad shows %r" % desk.notepad_text())
        desk.xdotool("mousemove", 1270, 790)
        time.sleep(0.5)
        desk.screenshot(os.path.join(desk.screenshot_dir, "release-beside-notepad.png"))
        desk.tool("close", MAIN)
        process.wait(timeout=20)
    finally:
        desk.stop(process)
        left, top, right, bottom = notepad_rect
        desk.tool("place", "Notepad", left, top, right - left, bottom - top, check=False)
    # Portable: the settings file is the one thing the program wrote, beside
    # itself, with the palette's window section in it.
    after = _unpacked_files(unpacked)
    assert after == sorted(before + [os.path.join("Tagsling", "tagsling.INI")]), after
    with open(os.path.join(folder, "tagsling.INI"), "rb") as handle:
        assert b"[TTagslingMain]" in handle.read()
    shutil.rmtree(unpacked, ignore_errors=True)
