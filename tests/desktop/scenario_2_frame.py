"""The main window's top bar, work modes and menu."""

import re

from vimbro_at import Failure, Skip, click, is_enabled, press_key, screenshot, wait_any, wait_for, wait_for_labelled

MODE_BUTTONS = ("앨범구성", "사진편집", "ZEL 꾸미기")
MENU_ROLES = re.compile(r"^(menu|menu item)$")


# Mode buttons stay pressed while their mode is on: checkable buttons read as check boxes.
BUTTON_ROLES = re.compile(r"^(push button|toggle button|check box)$")


def button(program, name, timeout=10):
    return wait_for(program.app, BUTTON_ROLES, name, timeout=timeout)


def top_bar(program):
    """The main window, once its top bar shows the mode buttons."""
    program.window(timeout=30)
    return button(program, MODE_BUTTONS[0], timeout=10)


def scenario_top_bar_shows_modes_album_import_and_models(program):
    top_bar(program)
    for name in MODE_BUTTONS + ("앨범추가", "가져오기"):
        node = button(program, name)
        # The first two modes are always open; the others depend on the model and on what
        # the frame serves.
        if name in MODE_BUTTONS[:2] and not is_enabled(node):
            raise Failure("%r is disabled" % name)
    wait_for_labelled(program.app, "combo box", "폰 모델")
    screenshot("02-top-bar")


def scenario_mode_buttons_switch_the_work_view(program):
    top_bar(program)
    wait_for(program.app, "slider", "썸네일 크기")
    # Without pictures the editor refuses with its message; with one it shows.
    click(button(program, "사진편집"), by_mouse=True)
    key, node = wait_any(program.app, [
        ("editor", "push button", "이전 그림"),
        ("refused", "label", "사진편집 실행할수 없습니다"),
    ])
    screenshot("03-mode-edit")
    if key == "refused":
        click(button(program, "확인"))
        wait_for(program.app, "label", "사진편집 실행할수 없습니다", gone=True, timeout=10)
        wait_for(program.app, "slider", "썸네일 크기")
    else:
        wait_for(program.app, "slider", "썸네일 크기", gone=True, timeout=10)
        click(button(program, "앨범구성"))
        wait_for(program.app, "slider", "썸네일 크기")
    click(button(program, "ZEL 꾸미기"), by_mouse=True)
    key, node = wait_any(program.app, [
        ("decorate", None, "슬라이드 목록"),
        ("refused", "label", "사진을 선택해 주세요"),
    ])
    screenshot("04-mode-decorate")
    if key == "refused":
        click(button(program, "확인"))
        wait_for(program.app, "label", "사진을 선택해 주세요", gone=True, timeout=10)
    click(button(program, "앨범구성"))
    wait_for(program.app, "slider", "썸네일 크기")
    screenshot("05-mode-compose")


def scenario_about_box_opens_from_the_menu_and_closes(program):
    program.window(timeout=30)
    help_menu = wait_for(program.app, MENU_ROLES, re.compile(r"^(도움말|Help)"), timeout=10)
    click(help_menu, by_mouse=True)
    about = wait_for(program.app, "menu item", re.compile(r"정보|About"), timeout=10)
    click(about, by_mouse=True)
    dialog = wait_for(program.app, "dialog", None, timeout=10)
    wait_for(dialog, "label", re.compile(r"^Version : \d+\.\d+$"), timeout=10)
    screenshot("06-about")
    try:
        click(wait_for(dialog, "push button", re.compile(r"확인|OK|닫기"), timeout=2))
    except Failure:
        press_key("Escape")
    wait_for(program.app, "dialog", None, gone=True, timeout=10)
    screenshot("07-about-closed")



def scenario_editor_view_shows_the_current_picture(program):
    top_bar(program)
    wait_for(program.app, "slider", "썸네일 크기")
    click(button(program, "사진편집"), by_mouse=True)
    key, node = wait_any(program.app, [
        ("editor", "push button", "이전 그림"),
        ("refused", "label", "사진편집 실행할수 없습니다"),
    ])
    screenshot("10-editor-with-pictures")
    if key == "refused":
        click(button(program, "확인"))
        raise Skip("the album browser has no current picture to edit yet")
    position = wait_for(program.app, None, re.compile(r"^사진 \d+/\d+장$"), timeout=10)
    if position.name == "사진 0/0장":
        # The browser lets the switch through; entering the editor does not yet load its
        # current picture or count (the editor's side of the switch is still to come).
        raise Skip("the editor view does not take the browser's current picture on entering yet")
    if not position.name.endswith("/2장"):
        raise Failure("position text reads %r" % position.name)


scenario_editor_view_shows_the_current_picture.prepare = lambda program: program.import_pictures(2)
