"""The decoration mode's slide strip and preview panel: sixteen boxes as a list, the preview's
size buttons, and play refused by empty slides (the play button stays)."""

import re

from vimbro_at import Failure, click, find_all, is_selected, screenshot, wait_any, wait_for

BOX = re.compile(r"^슬라이드 \d+ \(.*\)$")
BUTTON_ROLES = re.compile(r"^(push button|toggle button|check box)$")


def scenario_decoration_shows_the_slide_boxes_and_the_preview(program):
    program.window(timeout=30)
    wait_for(program.app, "list item", "picture-1.jpg", timeout=30)
    click(wait_for(program.app, BUTTON_ROLES, "ZEL 꾸미기", timeout=10), by_mouse=True)
    key, _ = wait_any(program.app, [
        ("decorate", "list", "슬라이드 목록"),
        ("refused", "label", "사진을 선택해 주세요"),
    ], timeout=20)
    if key != "decorate":
        raise Failure("the decoration mode did not open")
    strip = wait_for(program.app, "list", "슬라이드 목록")
    boxes = find_all(strip, "list item", BOX, showing=None)
    if len(boxes) != 16:
        raise Failure("the slide strip shows %d boxes, not 16" % len(boxes))
    first = wait_for(program.app, "list item", "슬라이드 1 (비어 있음)")
    if not is_selected(first):
        raise Failure("the first box is not selected at start")
    for name in ("176x144", "240x180", "240x320", "플레이"):
        wait_for(program.app, BUTTON_ROLES, name, timeout=10)
    wait_for(program.app, "label", "사이즈 크기", timeout=10)
    screenshot("50-decoration-slides")
    # Nothing to play: the play button stays and stop never shows.
    click(wait_for(program.app, BUTTON_ROLES, "플레이"), by_mouse=True)
    wait_for(program.app, BUTTON_ROLES, "플레이", timeout=10)
    screenshot("51-decoration-play-empty")


scenario_decoration_shows_the_slide_boxes_and_the_preview.prepare = lambda program: program.import_pictures(3)
