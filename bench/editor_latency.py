#!/usr/bin/env python3
"""Latency of an insertion under Wine in each editor of the end-to-end
suite (tests/e2e/editors.py): Wine's Notepad, Sakura Editor and Notepad++.

From the palette command (posted by e2etool.exe) until the text has arrived:
in Notepad until its text (WM_GETTEXT) is the expected one; in Sakura Editor
and Notepad++, whose text no message reads back quickly, until the title
shows the modification mark of a saved document ("(更新)", "*"), which
appears with the paste. Normal mode inserts "<B></B>" into an empty
document; sandwich mode wraps a selected word, by copy (HasamiSelStr 1: a
cut would change the document, and so the title, before the paste),
HasamiTime 100. Prints every run and the median of each editor and mode.

    python3 bench/editor_latency.py [--build-win build/win64] [--runs 10]
"""

import argparse
import os
import statistics
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from editors import open_editor, settings_text  # noqa: E402
from harness import MAIN, MOJI_B, Desktop, started_with_settings  # noqa: E402

MODES = {"normal": ("", False, "<B></B>"), "sandwich": ("word", True, "<B>word</B>")}
TITLE_MARKS = {"sakura": "(更新)", "notepad++": "*"}


def measure(desk, name, mode, runs):
    before, sandwich, expected = MODES[mode]
    ini = settings_text(HasamiMode=int(sandwich), HasamiSelStr=1, HasamiTime=100, PasteHasamiOff=0)
    figures = []
    with open_editor(desk, name) as editor, started_with_settings(desk, ini):
        command = desk.tool("buttonid", MAIN, MOJI_B[0], str(MOJI_B[1])).strip()
        for run in range(runs + 1):
            editor.prepare(before, 0, len(before))
            if name == "notepad":
                ms = desk.tool("timecommand", MAIN, command, editor.window_class, expected, "5")
            else:
                editor.save()  # the document unmodified: no mark in the title
                time.sleep(0.5)
                ms = desk.tool("timetitle", MAIN, command, editor.window_class, TITLE_MARKS[name], "5")
            if run > 0:  # the first run warms the caches up
                figures.append(float(ms))
                print("%-10s %-8s run %2d: %6.1f ms" % (name, mode, run, float(ms)), flush=True)
            time.sleep(1.2)  # the job ends
            assert editor.text() == expected, (name, mode, editor.text())
    return statistics.median(figures)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", default=os.path.join(ROOT, "build", "win64"))
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    desk = Desktop(args.build_win)
    medians = {}
    try:
        desk.open()
        desk.start_notepad()
        for name in ("notepad", "sakura", "notepad++"):
            for mode in MODES:
                medians[name, mode] = measure(desk, name, mode, args.runs)
    finally:
        desk.close()
    for (name, mode), median in medians.items():
        print("median %-10s %-8s %6.1f ms" % (name, mode, median))


if __name__ == "__main__":
    sys.exit(main())
