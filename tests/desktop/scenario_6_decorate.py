"""The decoration mode's saving: empty slides are refused, an animation's slides are saved as
EBA into the phone's image folder through the name dialog, and the saved file holds the frames
and delays the slide strip showed. The whole road from two pictures: four slides cropped on the
canvas, a frame, two delays from the delay menu, play and stop, EBA and PHT saved and found in
the catalogue and on disk, and the EBA reopened from the browser with its four slides."""

import os
import re

from scenario_5_slides import import_animation
from vimbro_at import (BUTTONS as BUTTON_ROLES, Failure, choose_frame, click, crop_slides, double_click_at,
                       eba_info, extents, photo_folder, play_and_stop, press_key, save_eba, save_slide_pht,
                       screenshot, set_delay, type_text, wait_for)


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
    text = eba_info(program, saved)
    if "176" not in text or "144" not in text or text.count("2000") != 3:
        raise Failure("the saved animation is not three frames of 176x144 at 2000 ms: %s" % text.strip())
    # The all-photos album takes the new file.
    wait_for(program.app, "list item", "walk.eba", timeout=10, showing=None)


scenario_decoration_saves_the_slides_as_eba.prepare = import_animation


def scenario_decoration_road_from_two_pictures(program):
    decoration(program, "picture-1.jpg")
    # Two crops from each picture.
    crop_slides(program, [(1, None), (2, None), (3, "picture-2.jpg"), (4, None)])
    screenshot("64-decoration-four-slides")
    choose_frame(program, "액자 2")
    for number, steps, delay in ((2, 8, "2.0초"), (3, 4, "0.5초")):
        set_delay(program, number, steps, delay, "65-decoration-delay-menu-%d" % number)
    for number in (1, 4):
        wait_for(program.app, "list item", "슬라이드 %d (0.1초)" % number)
    screenshot("66-decoration-delays-and-frame")
    play_and_stop(program, "슬라이드 1 (0.1초)")
    # The four slides as EBA through the name dialog, slide 2 as PHT through its context menu.
    image = save_eba(program, "road")
    save_slide_pht(program, "슬라이드 2 (2.0초)", "road-two")
    photos = photo_folder(program)
    phts = [n for n in os.listdir(photos) if n.lower().endswith(".pht")] if os.path.isdir(photos) else []
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
