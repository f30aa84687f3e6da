"""Runs the desktop scenarios: every function named scenario_* in the modules scenario_*.py of
this folder, in file and source order, each against its own fresh run of the program.

Prints one line per scenario and, last, "N passed, N failed"; exits non-zero when one failed.
Arguments select scenarios whose name contains one of them; --dump prints the accessible tree
of the started program instead.
"""

import importlib
import inspect
import os
import signal
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import vimbro_at  # noqa: E402

SCENARIO_LIMIT = 90  # seconds for one scenario, start and stop included


class Overtime(Exception):
    pass


def on_alarm(signum, frame):
    raise Overtime("took longer than its time limit")


def scenarios():
    folder = os.path.dirname(os.path.abspath(__file__))
    for file in sorted(os.listdir(folder)):
        if file.startswith("scenario_") and file.endswith(".py"):
            module = importlib.import_module(file[:-3])
            functions = [f for name, f in inspect.getmembers(module, inspect.isfunction)
                         if name.startswith("scenario_") and f.__module__ == module.__name__]
            functions.sort(key=lambda f: f.__code__.co_firstlineno)
            for f in functions:
                yield f.__name__[len("scenario_"):], f


def main(selected):
    signal.signal(signal.SIGALRM, on_alarm)
    vimbro_at.wait_for_accessibility_bus()
    passed = failed = skipped = 0
    for name, function in scenarios():
        if selected and not any(s in name for s in selected):
            continue
        program = vimbro_at.Program(name)
        started = time.monotonic()
        # A long road may ask for more time through a limit attribute.
        signal.alarm(getattr(function, "limit", SCENARIO_LIMIT))
        try:
            prepare = getattr(function, "prepare", None)
            if prepare is not None:
                prepare(program)
            function(program.start())
            if not program.alive():
                raise vimbro_at.Failure("Vimbro ended during the scenario (see %s)" % program.log_path)
            passed += 1
            print("PASS %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
        except vimbro_at.Skip as reason:
            skipped += 1
            print("SKIP %s: %s" % (name, reason), flush=True)
        except (vimbro_at.Failure, Overtime, AssertionError) as reason:
            failed += 1
            print("FAIL %s: %s" % (name, reason), flush=True)
            safe_shot(name + "-failure")
        except Exception:  # noqa: BLE001 - a broken scenario is a failure, not a crash
            failed += 1
            print("FAIL %s: %s" % (name, traceback.format_exc().strip()), flush=True)
            safe_shot(name + "-failure")
        finally:
            signal.alarm(0)
            program.stop()
    if skipped:
        print("%d skipped" % skipped)
    print("%d passed, %d failed" % (passed, failed), flush=True)
    return 1 if failed or passed == 0 else 0


def safe_shot(step):
    try:
        vimbro_at.screenshot(step)
    except Exception:  # noqa: BLE001 - a missing screenshot must not hide the failure
        pass


def dump():
    """Prints the program's accessible tree after start (for writing scenarios)."""
    vimbro_at.wait_for_accessibility_bus()
    program = vimbro_at.Program("dump").start()
    try:
        program.window(timeout=30)
        time.sleep(1)
        for node, depth in vimbro_at.walk_depth(program.app()):
            print("  " * depth + vimbro_at.describe(node))
    finally:
        program.stop()
    return 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--dump"]:
        sys.exit(dump())
    sys.exit(main(sys.argv[1:]))
