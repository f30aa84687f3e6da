"""Text on a picture: in the editor the text tool opens a box on the canvas, the typed text takes a
symbol from the symbol picker, and a click elsewhere places it on the picture; brightness and contrast preview on the canvas and
apply as one step that can be undone."""

import re
import subprocess

from vimbro_at import (Failure, canvas_click, click, double_click, find_all, is_enabled, is_showing, read_text,
                       screenshot, type_text, wait_for, wait_until)

BUTTON_ROLES = re.compile(r"^(push button|toggle button|check box)$")


def click_at_fraction(node, fraction):
    ext = node.queryComponent().getExtents(0)
    x, y = ext.x + int(ext.width * fraction), ext.y + ext.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def scenario_text_with_a_symbol_is_placed_on_the_picture(program):
    program.window(timeout=30)
    double_click(wait_for(program.app, "list item", "picture-1.jpg", timeout=30))
    wait_for(program.app, BUTTON_ROLES, "이전 그림", timeout=15)
    canvas = wait_for(program.app, None, "편집 화면", timeout=10)

    text_tool = wait_for(program.app, BUTTON_ROLES, "텍스트입력", timeout=10)
    picker = wait_for(program.app, "list", "특수문자", timeout=10)
    if is_enabled(picker):
        raise Failure("the symbol picker is usable before the text tool is chosen")
    click(text_tool, by_mouse=True)
    wait_until(lambda: is_enabled(picker), "the symbol picker usable in text mode", timeout=10)

    ext = canvas.queryComponent().getExtents(0)
    # On the picture, which sits in the middle of the canvas.
    canvas_click(canvas, (ext.width // 2 - 20, ext.height // 2 - 10))
    edit = wait_for(program.app, None, "텍스트", timeout=10)
    type_text(edit, "Hi")
    symbol = wait_for(lambda: picker, "list item", "§", timeout=10)
    click(symbol, by_mouse=True)
    wait_until(lambda: read_text(edit) == "Hi§", "the symbol after the typed text", timeout=10)
    screenshot("60-text-typing")

    # A click elsewhere places the text; the edit box goes.
    canvas_click(canvas, (30, 30))
    wait_until(lambda: not is_showing(edit), "the edit box hidden once the text is placed", timeout=10)
    screenshot("61-text-placed")

    click(text_tool, by_mouse=True)
    wait_until(lambda: not is_enabled(picker), "the symbol picker off again in normal mode", timeout=10)
    mirror = find_all(program.app(), BUTTON_ROLES, "좌우바꾸기")
    if not mirror or not is_enabled(mirror[0]):
        raise Failure("the tools are not usable again after leaving text mode")
    screenshot("62-text-done")

    # Brightness and contrast: the dialog previews on the canvas, OK applies as one undo step.
    undo = wait_for(program.app, BUTTON_ROLES, "한단계 뒤로", timeout=5)
    if is_enabled(undo):
        raise Failure("undo is offered before any change")
    click(wait_for(program.app, BUTTON_ROLES, "밝기/대비", timeout=5), by_mouse=True)
    slider = wait_for(program.app, "slider", "밝기", timeout=10)
    click_at_fraction(slider, 0.8)
    screenshot("63-brightness-preview")
    click(wait_for(program.app, BUTTON_ROLES, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "slider", "밝기", gone=True, timeout=10)
    wait_until(lambda: is_enabled(undo), "undo offered after brightness and contrast", timeout=10)
    screenshot("64-brightness-applied")


scenario_text_with_a_symbol_is_placed_on_the_picture.prepare = lambda program: program.import_pictures(1)
