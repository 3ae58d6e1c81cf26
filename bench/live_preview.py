#!/usr/bin/env python3
"""Live preview under Wine, measured with Debian's headless Chromium:

- save-to-reloaded: from the moment an editor's save (temporary file renamed
  over the page) lands on disk until the page in Chromium shows the new text,
  polled over the DevTools protocol every 5 ms, with that one page open
  (median of --runs, goal under 300 ms);
- the memory the preview adds to tagsling.exe: its private memory (Linux
  Private_Clean + Private_Dirty of the Wine process) before the preview
  starts and with five pages open, each holding its event stream;
- the size of tagsling.exe (Release builds are stripped), and with
  --compare-exe the size of another build, e.g. the one before the preview.

    python3 bench/live_preview.py [--build-win build/win64] [--runs 20] [--compare-exe OLD.exe]
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from devtools import Chromium, save_as_an_editor_does  # noqa: E402
from harness import Desktop, started_with_settings  # noqa: E402
from livesite import PAGE, live_ini, live_site, menu_keys, start_preview  # noqa: E402

PAGES = 5
TEXT_IS = "document.getElementById('text') && document.getElementById('text').textContent == '%s'"


def private_kb(pid):
    total = 0
    with open("/proc/%d/smaps_rollup" % pid) as handle:
        for line in handle:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1])
    return total


def tagsling_pid():
    out = subprocess.run(["pgrep", "-f", r"tagsling\.exe"], capture_output=True, text=True).stdout.split()
    # The Wine process of the program itself, not the "wine" launcher: the
    # one with the most memory.
    pids = [int(p) for p in out]
    return max(pids, key=private_kb)


def stripped_size(exe):
    out = "/tmp/live-preview-bench-stripped.exe"
    subprocess.run(["x86_64-w64-mingw32-strip", "-o", out, exe], check=True)
    size = os.path.getsize(out)
    os.remove(out)
    return size


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", default=os.path.join(ROOT, "build", "win64"))
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--compare-exe", help="another tagsling.exe whose stripped size is printed too")
    args = parser.parse_args()

    desk = Desktop(args.build_win)
    desk.open()
    times = []
    try:
        desk.start_notepad()
        folder = live_site(desk)
        page_path = os.path.join(folder, "index.html")
        with started_with_settings(desk, live_ini(desk, folder)):
            time.sleep(2)
            pid = tagsling_pid()
            before = private_kb(pid)
            address, _, notepad = start_preview(desk, page_path)
            with Chromium() as chromium:
                # Timed with one page, so the browser reloads only the page it is timed on.
                page = chromium.new_page(address)
                page.wait_for(TEXT_IS % "first", 20)
                for run in range(args.runs):
                    text = "run %d" % run
                    time.sleep(0.3)  # apart from the last save's group
                    start = time.monotonic()
                    save_as_an_editor_does(page_path, PAGE % text)
                    page.wait_for(TEXT_IS % text, 10, interval=0.005)
                    times.append((time.monotonic() - start) * 1000)
                    print("run %2d: %6.1f ms" % (run + 1, times[-1]))
                pages = [page] + [chromium.new_page(address) for _ in range(PAGES - 1)]
                for each in pages:
                    each.wait_for(TEXT_IS % text, 20)
                time.sleep(2)
                with_pages = private_kb(pid)
                for each in pages:
                    each.close()
            menu_keys(desk, "W", "Q")
            desk.run(desk.win_exe("extprobe.exe"), "close", notepad)
    finally:
        desk.close()
    print("save to reloaded: median %.1f ms (min %.1f, max %.1f, %d runs; goal under 300 ms)"
          % (statistics.median(times), min(times), max(times), len(times)))
    print("tagsling.exe private memory: %d KB before the preview, %d KB with %d pages open (+%d KB)"
          % (before, with_pages, PAGES, with_pages - before))
    exe = os.path.join(args.build_win, "tagsling.exe")
    print("tagsling.exe stripped: %d bytes" % stripped_size(exe))
    if args.compare_exe:
        print("%s stripped: %d bytes" % (args.compare_exe, stripped_size(args.compare_exe)))


if __name__ == "__main__":
    main()
