"""Runs the end-to-end suite under Wine: every test_*.py in this folder, every
test_* function in file order, each given the one shared Desktop.

Prints PASS/FAIL per test and a closing "N passed, N failed" line; exits 1
when anything failed. A test that fails runs once more on a fresh desktop
state (Wine under a loaded machine now and then loses a race the program
never sees on Windows, such as a helper process failing to start); one
that passes then is reported as passing on the second try, with the first
failure printed, and counted apart in the closing line."""

import argparse
import importlib.util
import inspect
import os
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from harness import Desktop  # noqa: E402


def load_tests(patterns):
    tests = []
    for name in sorted(os.listdir(HERE)):
        if not (name.startswith("test_") and name.endswith(".py")):
            continue
        module_spec = importlib.util.spec_from_file_location(name[:-3], os.path.join(HERE, name))
        module = importlib.util.module_from_spec(module_spec)
        module_spec.loader.exec_module(module)
        functions = [(n, f) for n, f in vars(module).items() if n.startswith("test_") and inspect.isfunction(f)]
        functions.sort(key=lambda item: item[1].__code__.co_firstlineno)
        for func_name, func in functions:
            full = f"{name}::{func_name}"
            if not patterns or any(pattern in full for pattern in patterns):
                tests.append((full, func))
    return tests


def run_one(desk, full, func):
    """Runs one test; None when it passed, else the error (its traceback and
    a screenshot are kept)."""
    try:
        desk.reset()
        func(desk)
        return None
    except Exception as error:  # noqa: BLE001 - every failure is reported, the suite goes on
        print(f"     {full} failed: {error}", flush=True)
        traceback.print_exc(limit=3, file=sys.stdout)
        try:
            shot = os.path.join(desk.screenshot_dir, "fail-" + full.replace("::", "-") + ".png")
            desk.screenshot(shot)
            print(f"     screenshot: {shot}")
        except Exception:  # noqa: BLE001
            pass
        return error


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", required=True)
    parser.add_argument("-k", dest="patterns", action="append", default=[],
                        help="run only the tests whose FILE::NAME holds this text (repeatable: any of them)")
    parser.add_argument("--screenshots", default=os.path.join(HERE, "..", "..", "build", "screenshots"))
    args = parser.parse_args()

    tests = load_tests(args.patterns)
    passed = failed = second_try = 0
    desk = Desktop(args.build_win)
    desk.screenshot_dir = os.path.abspath(args.screenshots)
    os.makedirs(desk.screenshot_dir, exist_ok=True)
    try:
        desk.open()
        for full, func in tests:
            started = time.time()
            error = run_one(desk, full, func)
            if error is not None:
                first_error = error
                error = run_one(desk, full, func)
                if error is None:
                    second_try += 1
                    print(f"     (first try failed: {first_error})", flush=True)
            if error is None:
                passed += 1
                print(f"PASS {full} ({time.time() - started:.1f} s)", flush=True)
            else:
                failed += 1
                print(f"FAIL {full}: {error}", flush=True)
    finally:
        desk.close()
    print(f"e2e: {passed} passed, {failed} failed ({second_try} of the passed on a second try)", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
