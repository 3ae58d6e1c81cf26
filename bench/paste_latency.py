#!/usr/bin/env python3
"""Latency of an insertion under Wine: from the palette command to the text
in Wine's Notepad.

Starts tagsling.exe beside Notepad in a Wine desktop of its own, finds the
command of the palette's "B" button, and times it with e2etool.exe, which
posts the command to the palette and polls Notepad's text (WM_GETTEXT, every
millisecond) until the expected text is there. Normal mode inserts "<B></B>"
into an empty document; sandwich mode wraps a selected word (HasamiTime 100,
the default). Prints every run and the median of each mode.

    python3 bench/paste_latency.py [--build-win build/win64] [--runs 15]
        [--mode normal|sandwich|both] [--ini-extra "AdaptivePasteLag=0"]
        [--history polite|rude]

`--history` runs the clipboard-history stand-in of the end-to-end tests
(tests/e2e/tools/clipstandin.cpp) beside them: it reads every clipboard
change, the polite one skipping what carries the exclusion format.
"""

import argparse
import contextlib
import os
import statistics
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from winedesk import WineDesktop  # noqa: E402
from standins import clipboard_history  # noqa: E402

MAIN = "TTagslingMain"
MOJI_PAGE, MOJI_B = "TabSheet2", 4  # the "B" button of the page "文字"
# The palette below Notepad, no title window; the settings of each mode follow.
BASE_INI = ("[Option]\r\nSplashWindow=0\r\nHasamiTime=100\r\nPasteHasamiOff=0\r\n{mode}{extra}"
            "[TTagslingMain]\r\nWindowMax=0\r\nWindowLeft=0\r\nWindowTop=620\r\nWindowWidth=900\r\n")
MODES = {
    "normal": ("HasamiMode=0\r\n", "", "<B></B>"),
    "sandwich": ("HasamiMode=1\r\n", "word", "<B>word</B>"),
}


def tool(desk, *args, timeout=30):
    result = desk.run(desk.win_exe("e2etool.exe"), *args, timeout=timeout)
    if result.returncode != 0:
        raise RuntimeError("e2etool %s: %s" % (" ".join(args), result.stderr.decode("utf-8", "replace").strip()))
    return result.stdout.decode("utf-8", "replace").strip()


def measure(desk, mode, runs, extra):
    mode_ini, before, expected = MODES[mode]
    ini_path = os.path.join(desk.build_win, "tagsling.INI")
    saved = open(ini_path, "rb").read() if os.path.exists(ini_path) else None
    with open(ini_path, "wb") as handle:
        handle.write(BASE_INI.format(mode=mode_ini, extra="".join(e + "\r\n" for e in extra)).encode("cp932"))
    palette = desk.start(desk.win_exe("tagsling.exe"))
    figures = []
    try:
        desk.wait_window(MAIN, 30)
        time.sleep(1.0)
        command = tool(desk, "buttonid", MAIN, MOJI_PAGE, str(MOJI_B))
        for run in range(runs + 1):
            tool(desk, "settext", "Notepad", before)
            tool(desk, "activate", "Notepad")
            tool(desk, "setsel", "Notepad", "0", str(len(before)))
            time.sleep(0.3)
            ms = float(tool(desk, "timecommand", MAIN, command, "Notepad", expected, "5"))
            if run > 0:  # the first run warms the caches up
                figures.append(ms)
                print("%-8s run %2d: %6.1f ms" % (mode, run, ms), flush=True)
            time.sleep(1.2)  # the job ends (a paste never taken ends after 1 s)
    finally:
        desk.run(desk.win_exe("e2etool.exe"), "close", MAIN)
        try:
            palette.wait(timeout=10)
        except Exception:  # noqa: BLE001 - a palette that does not close is stopped
            desk.stop(palette)
        if saved is None:
            os.remove(ini_path)
        else:
            with open(ini_path, "wb") as handle:
                handle.write(saved)
    return figures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", default=os.path.join(ROOT, "build", "win64"))
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--mode", choices=["normal", "sandwich", "both"], default="both")
    parser.add_argument("--ini-extra", action="append", default=[],
                        help="extra line of the section Option, e.g. RestoreClipboard=1")
    parser.add_argument("--history", choices=["polite", "rude"],
                        help="run a clipboard-history stand-in beside the palette")
    args = parser.parse_args()
    desk = WineDesktop(args.build_win)
    desk.open()
    results = {}
    try:
        desk.start_notepad()
        with (clipboard_history(desk, args.history == "polite") if args.history else contextlib.nullcontext()):
            for mode in (["normal", "sandwich"] if args.mode == "both" else [args.mode]):
                results[mode] = measure(desk, mode, args.runs, args.ini_extra)
    finally:
        desk.close()
    for mode, figures in results.items():
        print("%-8s median %6.1f ms  (min %.1f, max %.1f, %d runs)" %
              (mode, statistics.median(figures), min(figures), max(figures), len(figures)))


if __name__ == "__main__":
    main()
