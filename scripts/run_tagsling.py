"""Starts tagsling.exe and Wine's Notepad side by side (see run.sh): Notepad
in the area the palette leaves free, where the program itself puts an editor
it starts, so both windows are whole on the screen."""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from winedesk import WineDesktop  # noqa: E402


def _wait_for_settled_palette(desk, seconds=10):
    """Waits until the palette's rectangle stops changing (it is shown, then
    maximised or moved to its saved place)."""
    deadline = time.time() + seconds
    last = None
    while time.time() < deadline:
        rect = desk.tool("rect", "TTagslingMain", check=False)
        if rect and rect == last:
            return
        last = rect
        time.sleep(0.5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", required=True)
    parser.add_argument("--screenshot", default=os.path.abspath("tagsling-screenshot.png"))
    parser.add_argument("--seconds", type=float, default=0,
                        help="with a real display: stop after this many seconds (0 = until Ctrl+C)")
    args = parser.parse_args()

    headless = not os.environ.get("DISPLAY")
    desk = WineDesktop(args.build_win, display=None if headless else os.environ["DISPLAY"])
    desk.open()
    try:
        tagsling = desk.start(desk.win_exe("tagsling.exe"), cwd=args.build_win)
        desk.wait_window("TTagslingMain", 30)
        _wait_for_settled_palette(desk)
        desk.start_notepad()
        desk.place_in_free_area("Notepad")
        desk.tool("activate", "Notepad")
        if headless:
            time.sleep(2)  # let the windows paint
            print("screenshot:", desk.screenshot(args.screenshot))
            return 0
        print("Tagsling is running beside Notepad on", desk.display, "(Ctrl+C stops it)")
        started = time.time()
        while tagsling.poll() is None and (not args.seconds or time.time() - started < args.seconds):
            time.sleep(0.5)
    except KeyboardInterrupt:
        pass
    finally:
        desk.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
