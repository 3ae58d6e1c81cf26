"""Runs the end-to-end suite under Wine: every test_*.py in this folder, every
test_* function in file order, each given the one shared Desktop.

Prints PASS/FAIL per test and a closing "N passed, N failed" line; exits 1
when anything failed."""

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


def load_tests(pattern):
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
            if not pattern or pattern in full:
                tests.append((full, func))
    return tests


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-win", required=True)
    parser.add_argument("-k", dest="pattern", default="")
    parser.add_argument("--screenshots", default=os.path.join(HERE, "..", "..", "build", "screenshots"))
    args = parser.parse_args()

    tests = load_tests(args.pattern)
    passed = failed = 0
    desk = Desktop(args.build_win)
    desk.screenshot_dir = os.path.abspath(args.screenshots)
    os.makedirs(desk.screenshot_dir, exist_ok=True)
    try:
        desk.open()
        for full, func in tests:
            started = time.time()
            try:
                desk.reset()
                func(desk)
                passed += 1
                print(f"PASS {full} ({time.time() - started:.1f} s)", flush=True)
            except Exception as error:  # noqa: BLE001 - every failure is reported, the suite goes on
                failed += 1
                print(f"FAIL {full}: {error}", flush=True)
                traceback.print_exc(limit=3, file=sys.stdout)
                try:
                    shot = os.path.join(desk.screenshot_dir, "fail-" + full.replace("::", "-") + ".png")
                    desk.screenshot(shot)
                    print(f"     screenshot: {shot}")
                except Exception:  # noqa: BLE001
                    pass
    finally:
        desk.close()
    print(f"e2e: {passed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
