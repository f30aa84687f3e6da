"""Photo editing: a double-click on a thumbnail opens the picture in the editor; it is cropped to
the phone screen, two effects are applied and one undone, saved with its backup kept, and the
print preview opens and closes."""

import os
import re

from vimbro_at import (Failure, Skip, canvas_double_click, canvas_drag, click, double_click, find_all,
                       is_enabled, press_key, screenshot, wait_for, wait_until)

BUTTON_ROLES = re.compile(r"^(push button|toggle button|check box)$")
POSITION = re.compile(r"^사진 \d+/\d+장$")


def dismiss_message(program, text_pattern):
    label = wait_for(program.app, "label", text_pattern, timeout=15)
    screenshot("51-editor-saved")
    click(wait_for(program.app, BUTTON_ROLES, "확인", timeout=5))
    wait_for(program.app, "label", text_pattern, gone=True, timeout=10)
    return label


def scenario_editor_opens_crops_applies_effects_saves_and_prints(program):
    program.window(timeout=30)
    first = wait_for(program.app, "list item", "picture-1.jpg", timeout=30)
    double_click(first)
    wait_for(program.app, BUTTON_ROLES, "이전 그림", timeout=15)
    position = wait_for(program.app, None, POSITION, timeout=10)
    if position.name != "사진 1/2장":
        raise Failure("position text reads %r" % position.name)
    canvas = wait_for(program.app, None, "편집 화면", timeout=10)
    screenshot("50-editor-opened")

    # The tools of the effect panel, where this build has them.
    crop = find_all(program.app(), BUTTON_ROLES, "잘라내기")
    screen1 = find_all(program.app(), BUTTON_ROLES, "대기화면1")
    sepia = find_all(program.app(), None, "세피아")
    gray = find_all(program.app(), None, "그레이")
    undo = find_all(program.app(), BUTTON_ROLES, "한단계 뒤로")
    tools = bool(crop and screen1 and sepia and gray and undo)
    if tools:
        ext = canvas.queryComponent().getExtents(0)
        cx, cy = ext.width // 2, ext.height // 2
        click(crop[0], by_mouse=True)
        # A rectangle on the picture, which sits in the middle at its own size.
        canvas_drag(canvas, (cx - 20, cy - 15), (cx + 20, cy + 15))
        screenshot("52-editor-crop-mode")
        canvas_double_click(canvas, (cx, cy))
        wait_until(lambda: is_enabled(undo[0]), "undo enabled after the crop", timeout=10)
        click(screen1[0], by_mouse=True)
        screenshot("53-editor-lcd-mode")
        canvas_double_click(canvas, (canvas.queryComponent().getExtents(0).width // 2,
                                     canvas.queryComponent().getExtents(0).height // 2))
        click(sepia[0], by_mouse=True)
        click(gray[0], by_mouse=True)
        wait_until(lambda: is_enabled(undo[0]), "undo enabled after the effects", timeout=10)
        click(undo[0], by_mouse=True)
        screenshot("54-editor-effects")

    click(wait_for(program.app, BUTTON_ROLES, "저장", timeout=5), by_mouse=True)
    dismiss_message(program, re.compile(r"사진저장 완료했습니다$"))
    backup = os.path.join(program.run_dir, "Origin", "picture-1.jpg")
    wait_until(lambda: os.path.exists(backup), "the backup of the untouched picture", timeout=10)
    photo = os.path.join(program.home, "Documents", "ZEL", "Photo", "picture-1.jpg")
    if not os.path.exists(photo):
        raise Failure("the edited picture is missing from the photo folder")
    with open(backup, "rb") as a, open(photo, "rb") as b:
        if a.read() == b.read() and tools:
            raise Failure("the saved picture equals its backup")

    click(wait_for(program.app, BUTTON_ROLES, "프린트", timeout=5), by_mouse=True)
    preview = wait_for(program.app, None, "인쇄 미리보기", timeout=15)
    screenshot("55-editor-print-preview")
    press_key("Escape")
    wait_for(program.app, None, "인쇄 미리보기", gone=True, timeout=10)
    screenshot("56-editor-after-preview")
    if not tools:
        raise Skip("the effect panel's tools are not in this build: crop and effects not driven")


scenario_editor_opens_crops_applies_effects_saves_and_prints.prepare = lambda program: program.import_pictures(2)
