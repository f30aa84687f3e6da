"""Pictures named on the command line (as a file manager's "Open with" passes them) come into
the catalogue and the browser; a later start hands its pictures to the running program and
ends."""

import os
import subprocess

from vimbro_at import PROGRAM, TITLE, Failure, find_all, screenshot, wait_for


def make_picture(program, name, colour):
    folder = os.path.join(program.root, "outside")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    subprocess.run(["convert", "-size", "80x60", "gradient:%s-#ffffff" % colour, path], check=True, timeout=30)
    return path


def scenario_open_with_imports_into_the_running_program(program):
    program.window(timeout=30)
    wait_for(program.app, "list item", "opened-1.jpg", timeout=30)
    screenshot("50-opened-at-start")
    later = make_picture(program, "opened-2.png", "#2a8040")
    second = subprocess.run([PROGRAM, later], env=program.environment(), capture_output=True, timeout=30)
    if second.returncode != 0:
        raise Failure("the second start ended with code %d" % second.returncode)
    wait_for(program.app, "list item", "opened-2.png", timeout=30)
    if not program.alive():
        raise Failure("the running program ended when the second start handed over")
    # Only one main window: the second start opened none of its own.
    frames = find_all(program.app(), "frame", TITLE, showing=True)
    if len(frames) != 1:
        raise Failure("%d main windows" % len(frames))
    if not os.path.exists(os.path.join(program.home, "Documents", "ZEL", "Photo", "opened-2.png")):
        raise Failure("the handed-over picture is not in the photo folder")
    screenshot("51-opened-by-a-later-start")


def _prepare(program):
    program.arguments = [make_picture(program, "opened-1.jpg", "#c05020")]


scenario_open_with_imports_into_the_running_program.prepare = _prepare
