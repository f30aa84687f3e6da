"""The decoration mode's slide strip and preview panel: sixteen boxes as a list, the preview's
size buttons, play refused by empty slides (the play button stays), and an animation played in
the preview."""

import os
import re
import subprocess

from vimbro_at import PROGRAM, Failure, click, find_all, is_selected, screenshot, wait_any, wait_for, wait_until

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


def import_animation(program):
    """An animated GIF of three frames of 176 x 144, two seconds each, in the catalogue."""
    tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    folder = os.path.join(program.root, "pictures")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "animation.gif")
    subprocess.run(["convert", "-delay", "200", "-size", "176x144", "gradient:#e04040-#f0d080",
                    "gradient:#40a040-#d0f0d0", "gradient:#4040e0-#d0d0f0", "-loop", "0", path],
                   check=True, timeout=30)
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    done = subprocess.run([tool, "catalog", "import", path], env=env, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise Failure("vimbro-tool catalog import failed: %s" % done.stderr.strip())
    return program


def scenario_decoration_plays_an_animation_in_the_preview(program):
    program.window(timeout=30)
    wait_for(program.app, "list item", "animation.gif", timeout=30)
    click(wait_for(program.app, BUTTON_ROLES, "ZEL 꾸미기", timeout=10), by_mouse=True)
    # The animation's frames become the slides, two seconds each (hundredths become milliseconds).
    for number in (1, 2, 3):
        wait_for(program.app, "list item", "슬라이드 %d (2.0초)" % number, timeout=20)
    wait_for(program.app, "list item", "슬라이드 4 (비어 있음)")
    wait_for(program.app, "label", "데이터 크기", timeout=10)
    screenshot("52-decoration-animation")
    click(wait_for(program.app, BUTTON_ROLES, "플레이"), by_mouse=True)
    wait_for(program.app, BUTTON_ROLES, "정지", timeout=10)
    second = wait_for(program.app, "list item", "슬라이드 2 (2.0초)")
    wait_until(lambda: is_selected(second), "the second slide shown while playing", timeout=5)
    screenshot("53-decoration-playing")
    # One repeat of three slides ends back on the first, with the play button up again.
    wait_for(program.app, BUTTON_ROLES, "플레이", timeout=15)
    first = wait_for(program.app, "list item", "슬라이드 1 (2.0초)")
    wait_until(lambda: is_selected(first), "the first slide after playback", timeout=5)
    screenshot("54-decoration-played")


scenario_decoration_plays_an_animation_in_the_preview.prepare = import_animation
