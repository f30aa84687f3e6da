"""Start-up on a fresh account."""

import os

from vimbro_at import TITLE, Failure, screenshot


def scenario_fresh_start_shows_the_main_window(program):
    window = program.window(timeout=30)
    if window.name != TITLE:
        raise Failure("window is named %r" % window.name)
    screenshot("01-start")
    # The first start creates the settings key, and only the key: no values are written.
    store = os.path.join(program.config, "VimbroSuite", "HKEY_CURRENT_USER.reg")
    if not os.path.exists(store):
        raise Failure("no settings store at %s" % store)
    with open(store, encoding="utf-8", errors="replace") as f:
        text = f.read()
    if "Vimbro" not in text:
        raise Failure("the settings store holds no key Software\\Vimbro:\n" + text)
    for value in ("enumShow", "crBack", "enumModel", "bAuto"):
        if value in text:
            raise Failure("a fresh start wrote the value %s" % value)
