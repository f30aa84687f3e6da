"""The environment dialog from the Tools menu: a background colour chosen on the swatches is
stored with the other settings on OK."""

import os
import re

from vimbro_at import (Failure, Skip, click, find_all, is_enabled, is_selected, is_showing, press_key, screenshot,
                       wait_for, wait_until)

MENU_ROLES = re.compile(r"^(menu|menu item)$")
BUTTONS = re.compile(r"^(push button|toggle button|check box)$")


ENVIRONMENT = re.compile(r"^환경 ?설정")


def open_environment(program):
    """Opens the menu that holds the environment command and chooses it."""
    program.window(timeout=30)
    bar = wait_for(program.app, "menu bar", None, timeout=10)
    for menu in find_all(bar, "menu item", None, showing=True):
        if menu.parent is None or menu.parent.getRoleName() != "menu bar":
            continue
        if not any(find_all(menu, "menu item", ENVIRONMENT)):
            continue
        click(menu, by_mouse=True)
        item = wait_for(program.app, "menu item", ENVIRONMENT, timeout=10)
        if not is_enabled(item):
            press_key("Escape")
            raise Skip("the frame does not serve the environment command yet (its menu item is disabled)")
        click(item, by_mouse=True)
        return wait_for(program.app, "dialog", "환경설정", timeout=10)
    raise Failure("no menu holds the environment command")


def settings_text(program):
    store = os.path.join(program.config, "VimbroSuite", "HKEY_CURRENT_USER.reg")
    if not os.path.exists(store):
        return ""
    with open(store, encoding="utf-8", errors="replace") as f:
        return f.read()


def scenario_environment_dialog_stores_the_chosen_colour(program):
    dialog = open_environment(program)
    swatches = wait_for(dialog, "list", "배경 색상", timeout=10)
    items = find_all(swatches, "list item")
    names = [item.name for item in items]
    if names[:2] != ["흰색", "회색 1"] or len(names) != 20:
        raise Failure("swatches read %r" % names)
    # A fresh start has a white background: the first swatch is the chosen one.
    selected = [item.name for item in items if is_selected(item)]
    if selected != ["흰색"]:
        raise Failure("chosen swatches on opening: %r" % selected)
    click(items[4], by_mouse=True)
    wait_until(lambda: is_selected(items[4]) and not is_selected(items[0]), "swatch 회색 4 chosen", timeout=5)
    screenshot("08-environment")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "환경설정", gone=True, timeout=10)
    text = settings_text(program)
    if not re.search(r"crBack.*dword:00CCCCCC", text):
        raise Failure("the settings hold no background 0xCCCCCC:\n" + text)
    if not re.search(r"bAuto.*dword:00000001", text):
        raise Failure("the settings hold no automatic upgrade 1:\n" + text)
    screenshot("09-environment-stored")


def scenario_environment_dialog_cancel_stores_nothing(program):
    dialog = open_environment(program)
    swatches = wait_for(dialog, "list", "배경 색상", timeout=10)
    click(find_all(swatches, "list item")[19], by_mouse=True)
    click(wait_for(dialog, BUTTONS, "취소", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "환경설정", gone=True, timeout=10)
    if "crBack" in settings_text(program):
        raise Failure("Cancel stored the settings")
    if not is_showing(program.window()):
        raise Failure("the main window went away")
