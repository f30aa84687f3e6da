"""The album composition mode as a user sees it at the smallest window (1200 by 800) and filling
the screen: the browser with pictures and albums, and every dialog of the mode, opened from the
menus, pictured and closed again without changing anything."""

import re
import time

from vimbro_at import (BUTTONS, Failure, choose_menu, click, close_dialog, find_all, is_selected, open_dialog, press_key,
                       safe, screen_size, screenshot, wait_for, wait_for_labelled, wait_until)

ALBUMS = ["여행", "가족 모임", "2026년 겨울 바다 여행"]
PICTURES = 6


def prepare(program):
    program.import_pictures(PICTURES)
    for name in ALBUMS:
        program.catalog("album", "add", name)
    program.catalog("album", "put", "1", "picture-1.jpg", "picture-2.jpg")
    for name in ("바다", "산"):
        program.catalog("keyword", "add", name)


def frame_size(program):
    frame = program.window()
    ext = frame.queryComponent().getExtents(0)
    return ext.width, ext.height


def size_window(program, width, height):
    program.place_window(0, 0, width, height)
    wait_until(lambda: frame_size(program) == (width, height), "the window at %dx%d" % (width, height), timeout=10)
    # The browser lays its cells out again after the resize.
    time.sleep(0.5)


def browser_item(program, name):
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    return wait_for(browser, "list item", name, timeout=20)


def choose_combo(dialog, label, index, text):
    """Chooses entry index of the combo box that label labels, with the keyboard."""
    combo = wait_for_labelled(dialog, "combo box", label, timeout=5)
    click(combo, by_mouse=True)
    press_key("Escape")
    press_key("Home")
    for _ in range(index):
        press_key("Down")
    wait_until(lambda: safe(lambda: combo.name) == text, "%s reads %r" % (label, text), timeout=5)


def look_at_dialogs(program, size):
    dialog = open_dialog(program, "앨범", "새 앨범", "앨범등록")
    screenshot("71-add-album-%s" % size)
    close_dialog(program, dialog, "앨범등록")

    dialog = open_dialog(program, "앨범", "선택 항목으로", "선택항목으로 앨범등록")
    screenshot("72-album-from-selection-%s" % size)
    close_dialog(program, dialog, "선택항목으로 앨범등록")

    dialog = open_dialog(program, "사진", "사진 정보", "사진 정보")
    wait_for(dialog, "label", "파일이름 : picture-1.jpg", timeout=5)
    screenshot("73-picture-info-%s" % size)
    close_dialog(program, dialog, "사진 정보", "확인")

    dialog = open_dialog(program, "사진", "키워드", "키워드")
    screenshot("74-keyword-%s" % size)
    click(wait_for(dialog, BUTTONS, "새 키워드", timeout=5), by_mouse=True)
    new = wait_for(program.app, "dialog", "새 키워드", timeout=10)
    screenshot("75-new-keyword-%s" % size)
    close_dialog(program, new, "새 키워드")
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), "산", timeout=5)
    click(row, by_mouse=True)
    wait_until(lambda: is_selected(row), "keyword 산 chosen", timeout=5)
    click(wait_for(dialog, BUTTONS, "이름 바꾸기", timeout=5), by_mouse=True)
    rename = wait_for(program.app, "dialog", "키워드 이름 바꾸기", timeout=10)
    if not find_all(rename, "text", "산") and not any(safe(lambda: n.queryText().getText(0, -1)) == "산"
                                                     for n in find_all(rename, "text")):
        raise Failure("the keyword rename dialog does not show the old name")
    screenshot("76-keyword-rename-%s" % size)
    close_dialog(program, rename, "키워드 이름 바꾸기")
    click(wait_for(dialog, BUTTONS, "닫기", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)

    dialog = open_dialog(program, "사진", "이름 일괄", "일괄 이름 바꾸기")
    screenshot("77-bundle-text-%s" % size)
    choose_combo(dialog, "종류", 1, "날짜/시간")
    screenshot("78-bundle-stamp-%s" % size)
    choose_combo(dialog, "대상", 1, "제목")
    choose_combo(dialog, "종류", 0, "없음")
    screenshot("79-bundle-title-none-%s" % size)
    close_dialog(program, dialog, "일괄 이름 바꾸기")

    dialog = open_dialog(program, "파일", "내보내기", "내보내기")
    screenshot("80-export-%s" % size)
    close_dialog(program, dialog, "내보내기")

    dialog = open_dialog(program, "도구", "환경", "환경설정")
    screenshot("81-environment-%s" % size)
    close_dialog(program, dialog, "환경설정")


def scenario_album_mode_looks_at_the_smallest_and_the_full_screen(program):
    program.window(timeout=30)
    browser_item(program, "picture-%d.jpg" % PICTURES)
    size_window(program, 1200, 800)
    screenshot("70-browser-1200x800")
    click(browser_item(program, "picture-1.jpg"), by_mouse=True)
    look_at_dialogs(program, "1200x800")

    width, height = screen_size()
    size_window(program, width, height)
    strip = wait_for(program.app, "list", "앨범", timeout=10)
    album = wait_for(strip, "list item", ALBUMS[0], timeout=10)
    click(album, by_mouse=True)
    wait_until(lambda: is_selected(album), "album %r chosen" % ALBUMS[0], timeout=10)
    browser_item(program, "picture-2.jpg")
    click(browser_item(program, "picture-1.jpg"), by_mouse=True)
    screenshot("82-browser-album-%dx%d" % (width, height))
    # Deleting the album asks first; No keeps it.
    choose_menu(program.app(), re.compile("^앨범"), re.compile("^앨범 삭제"))
    question = wait_for(program.app, "label", "정말 삭제하시겠습니까?", timeout=10)
    screenshot("84-delete-album-question-%dx%d" % (width, height))
    box = question
    while box is not None and box.getRoleName() not in ("dialog", "alert"):
        box = box.parent
    click(wait_for(box, BUTTONS, re.compile("^아니"), timeout=5), by_mouse=True)
    wait_for(program.app, "label", "정말 삭제하시겠습니까?", gone=True, timeout=10)
    wait_for(strip, "list item", ALBUMS[0], timeout=5)
    all_photos = wait_for(strip, "list item", "전체사진", timeout=10)
    click(all_photos, by_mouse=True)
    browser_item(program, "picture-%d.jpg" % PICTURES)
    screenshot("83-browser-all-%dx%d" % (width, height))


scenario_album_mode_looks_at_the_smallest_and_the_full_screen.prepare = prepare
scenario_album_mode_looks_at_the_smallest_and_the_full_screen.limit = 180
