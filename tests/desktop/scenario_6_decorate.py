"""The decoration mode's saving: empty slides are refused, an animation's slides are saved as
EBA into the phone's image folder through the name dialog, and the saved file holds the frames
and delays the slide strip showed. The whole road from two pictures: four slides cropped on the
canvas, a frame, two delays from the delay menu, play and stop, EBA and PHT saved and found in
the catalogue and on disk, and the EBA reopened from the browser with its four slides."""

import os
import re
import subprocess

from scenario_5_slides import import_animation
import time

from vimbro_at import (PROGRAM, Failure, click, find_all, is_selected, press_key, screenshot,
                       type_text, wait_for, wait_until)

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


scenario_decoration_saves_the_slides_as_eba.prepare = import_animation


def double_click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1"],
                   check=True)
    time.sleep(0.5)


def extents(node):
    import pyatspi
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x, ext.y, ext.width, ext.height


def eba_info(program, path):
    tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    info = subprocess.run([tool, "eba", "info", path], env=env, capture_output=True, text=True, timeout=30)
    if info.returncode != 0:
        raise Failure("vimbro-tool eba info failed: %s" % info.stderr.strip())
    return info.stdout


def scenario_decoration_road_from_two_pictures(program):
    decoration(program, "picture-1.jpg")
    canvases = find_all(program.app(), None, "편집 화면", showing=True)
    if not canvases:
        raise Failure("no decoration canvas on screen")
    canvas = canvases[0]
    x, y, w, h = extents(canvas)
    # Two crops from each picture: the LCD window sits in the middle of the canvas, a
    # double-click in it puts the crop on the selected box.
    for number in (1, 2, 3, 4):
        if number == 3:
            pictures = wait_for(program.app, "list", "사진 목록")
            click(wait_for(lambda: pictures, "list item", "picture-2.jpg"), by_mouse=True)
            time.sleep(1)
            screenshot("64-decoration-second-picture")
        box = wait_for(program.app, "list item", "슬라이드 %d (비어 있음)" % number, timeout=10)
        click(box)
        wait_until(lambda: is_selected(box), "box %d selected" % number, timeout=5)
        double_click_at(x + w // 2, y + h // 2)
        wait_for(program.app, "list item", "슬라이드 %d (0.1초)" % number, timeout=10)
    screenshot("64-decoration-four-slides")
    click(wait_for(program.app, "list item", "액자 2"), by_mouse=True)
    wait_until(lambda: is_selected(wait_for(program.app, "list item", "액자 2")), "frame 2 chosen", timeout=5)
    # Two delays from the delay menus of boxes 2 and 3 (the arrow under each box's picture):
    # 0.1, 0.2, 0.3, 0.5, 0.8, 1.0, 1.5, 2.0, 2.5 and 3.0 seconds in that order.
    for number, steps, delay in ((2, 8, "2.0초"), (3, 4, "0.5초")):
        bx, by, _, _ = extents(wait_for(program.app, "list item", re.compile(r"^슬라이드 %d \(" % number)))
        subprocess.run(["xdotool", "mousemove", str(bx + 67), str(by + 77), "click", "1"], check=True)
        time.sleep(1)
        screenshot("65-decoration-delay-menu-%d" % number)
        for _ in range(steps):
            press_key("Down")
        press_key("Return")
        wait_for(program.app, "list item", "슬라이드 %d (%s)" % (number, delay), timeout=10)
    for number in (1, 4):
        wait_for(program.app, "list item", "슬라이드 %d (0.1초)" % number)
    screenshot("66-decoration-delays-and-frame")
    # Playing shows the stop button; stopping brings the play button back.
    first = wait_for(program.app, "list item", "슬라이드 1 (0.1초)")
    click(first, by_mouse=True)
    wait_until(lambda: is_selected(first), "the first slide selected", timeout=5)
    click(wait_for(program.app, BUTTON_ROLES, "플레이"), by_mouse=True)
    time.sleep(0.3)
    screenshot("67-decoration-playing")
    click(wait_for(program.app, BUTTON_ROLES, "정지", timeout=10), by_mouse=True)
    wait_for(program.app, BUTTON_ROLES, "플레이", timeout=10)
    screenshot("67-decoration-stopped")
    # The four slides as EBA through the name dialog.
    click(wait_for(program.app, BUTTON_ROLES, "저장"), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "애니메이션 저장", timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), "road")
    screenshot("68-decoration-road-eba-dialog")
    click(wait_for(lambda: dialog, BUTTON_ROLES, "확인"), by_mouse=True)
    wait_for(program.app, "label", re.compile(r"EBA파일저장 완료했습니다$"), timeout=10)
    screenshot("69-decoration-road-eba-saved")
    press_key("Return")
    image = os.path.join(program.home, "Documents", "ZEL", "Image", "road.eba")
    if not os.path.isfile(image):
        raise Failure("%s was not written" % image)
    # Slide 2 as PHT through the box's context menu and its dialog.
    second = wait_for(program.app, "list item", "슬라이드 2 (2.0초)")
    bx, by, bw, bh = extents(second)
    subprocess.run(["xdotool", "mousemove", str(bx + bw // 2), str(by + 40), "click", "3"], check=True)
    time.sleep(1)
    screenshot("70-decoration-slide-menu")
    press_key("t")
    dialog = wait_for(program.app, "dialog", "PHT 저장", timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), "road-two")
    screenshot("71-decoration-pht-dialog")
    click(wait_for(lambda: dialog, BUTTON_ROLES, "확인"), by_mouse=True)
    wait_for(program.app, "label", re.compile(r"PHT파일저장 완료했습니다$"), timeout=10)
    screenshot("72-decoration-pht-saved")
    press_key("Return")
    photo_folder = os.path.join(program.home, "Documents", "ZEL", "Photo")
    phts = [n for n in os.listdir(photo_folder) if n.lower().endswith(".pht")] if os.path.isdir(photo_folder) else []
    if phts != ["road-two.pht"]:
        raise Failure("the Photo folder holds %r, not road-two.pht" % phts)
    # Both files join the catalogue: the decoration picture list shows them.
    pictures = wait_for(program.app, "list", "사진 목록")
    wait_for(lambda: pictures, "list item", "road.eba", timeout=10, showing=None)
    wait_for(lambda: pictures, "list item", "road-two.pht", timeout=10, showing=None)
    # The saved animation: four frames of 176 x 144 with the delays the strip showed.
    text = eba_info(program, image)
    if text.split() != ["ANI", "176x144", "frames=4", "delays=100,2000,500,100"]:
        raise Failure("road.eba is not four frames of 176x144 at 100, 2000, 500, 100 ms: %s" % text.strip())
    # Back in the browser, a double-click on the EBA opens it in decoration with its four slides.
    click(wait_for(program.app, BUTTON_ROLES, "앨범구성"), by_mouse=True)
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    item = wait_for(lambda: browser, "list item", "road.eba", timeout=10)
    wait_for(lambda: browser, "list item", "road-two.pht", timeout=10)
    screenshot("73-browser-with-road-files")
    ix, iy, iw, ih = extents(item)
    double_click_at(ix + iw // 2, iy + ih // 2)
    wait_for(program.app, "list", "슬라이드 목록", timeout=20)
    for number, delay in ((1, "0.1초"), (2, "2.0초"), (3, "0.5초"), (4, "0.1초")):
        wait_for(program.app, "list item", "슬라이드 %d (%s)" % (number, delay), timeout=20)
    wait_for(program.app, "list item", "슬라이드 5 (비어 있음)")
    screenshot("74-decoration-road-eba-reopened")

scenario_decoration_road_from_two_pictures.prepare = lambda program: program.import_pictures(2)
