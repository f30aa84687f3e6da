"""The decoration mode's saving: empty slides are refused, an animation's slides are saved as
EBA into the phone's image folder through the name dialog, and the saved file holds the frames
and delays the slide strip showed."""

import os
import re
import subprocess

from scenario_5_slides import import_animation
from vimbro_at import PROGRAM, Failure, Skip, click, press_key, screenshot, type_text, wait_for

BUTTON_ROLES = re.compile(r"^(push button|toggle button|check box)$")


def decoration(program, first_item):
    program.window(timeout=30)
    wait_for(program.app, "list item", first_item, timeout=30)
    click(wait_for(program.app, BUTTON_ROLES, "ZEL 꾸미기", timeout=10), by_mouse=True)
    wait_for(program.app, "list", "슬라이드 목록", timeout=20)


def scenario_decoration_refuses_to_save_empty_slides(program):
    decoration(program, "picture-1.jpg")
    screenshot("60-decoration-view")
    click(wait_for(program.app, BUTTON_ROLES, "저장"), by_mouse=True)
    wait_for(program.app, "label", "빈슬라이드는 저장할수 없습니다", timeout=10)
    screenshot("61-decoration-empty-save")
    press_key("Return")
    wait_for(program.app, "label", "빈슬라이드는 저장할수 없습니다", timeout=10, gone=True)


scenario_decoration_refuses_to_save_empty_slides.prepare = lambda program: program.import_pictures(2)


def scenario_decoration_saves_the_slides_as_eba(program):
    decoration(program, "animation.gif")
    for number in (1, 2, 3):
        wait_for(program.app, "list item", "슬라이드 %d (2.0초)" % number, timeout=20)
    click(wait_for(program.app, BUTTON_ROLES, "저장"), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "애니메이션 저장", timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), "walk.gif")
    screenshot("62-decoration-eba-dialog")
    click(wait_for(lambda: dialog, BUTTON_ROLES, "확인"), by_mouse=True)
    wait_for(program.app, "label", re.compile(r"EBA파일저장 완료했습니다$"), timeout=10)
    screenshot("63-decoration-eba-saved")
    press_key("Return")
    saved = os.path.join(program.home, "Documents", "ZEL", "Image", "walk.eba")
    if not os.path.isfile(saved):
        raise Failure("%s was not written" % saved)
    tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    info = subprocess.run([tool, "eba", "info", saved], env=env, capture_output=True, text=True, timeout=30)
    if info.returncode != 0:
        raise Failure("vimbro-tool eba info failed: %s" % info.stderr.strip())
    text = info.stdout
    if "176" not in text or "144" not in text or text.count("2000") != 3:
        raise Failure("the saved animation is not three frames of 176x144 at 2000 ms: %s" % text.strip())
    # The all-photos album takes the new file.
    wait_for(program.app, "list item", "walk.eba", timeout=10, showing=None)
    raise Skip("still to script: four slides cropped on the decoration canvas from two pictures with a "
               "frame, two delays set from the delay menu, one slide saved as PHT and the EBA reopened "
               "from the browser")


scenario_decoration_saves_the_slides_as_eba.prepare = import_animation
