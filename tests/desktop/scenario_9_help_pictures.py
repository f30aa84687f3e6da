"""Pictures for the help pages: every screen and dialog a user meets, opened the way a user opens
it, pictured cropped to its window (or to the panel or menu the page explains) under
build/desktop/help/<name>.png, and closed again. scripts/help-pictures turns them into the
pictures of help/images. The last scenario proves that F1 and the help menu open the right page
in the desktop's browser."""

import os
import re
import shutil
import subprocess
import time
from urllib.parse import unquote, urlsplit

import pyatspi

from vimbro_at import (BUTTONS, PROGRAM, SHOTS, Failure, choose_menu, close_dialog, click, click_at, file_dialog_open, find_all,
                       is_editable, is_selected, open_dialog, press_key, read_text, safe, type_keys, type_text, wait_for,
                       wait_until)

MENU_ITEMS = re.compile(r"^(menu item|check menu item|radio menu item)$")
HELP_SHOTS = os.path.join(SHOTS, "help")
WIDTH, HEIGHT = 1200, 800

# Pictures that look like photographs, so the thumbnails show something a user recognises.
PICTURES = [("sea.jpg", "#1f6fb2-#bfe3ff"), ("forest.jpg", "#1d6b32-#c8e6a0"), ("sunset.jpg", "#f28b30-#5a2a6e"),
            ("snow.jpg", "#dfe8f2-#8fa6bf"), ("flower.jpg", "#d2387a-#ffe0ef"), ("city.jpg", "#3b3f4a-#f0c35a")]


def make_pictures(program):
    folder = os.path.join(program.root, "pictures")
    os.makedirs(folder, exist_ok=True)
    paths = []
    for i, (name, colours) in enumerate(PICTURES):
        path = os.path.join(folder, name)
        subprocess.run(["convert", "-size", "320x240", "-seed", str(7 + i), "plasma:" + colours,
                        "-blur", "0x2", "-quality", "85", path], check=True, timeout=30)
        paths.append(path)
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    done = subprocess.run([tool, "catalog", "import"] + paths, env=env, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise Failure("vimbro-tool catalog import failed: %s" % done.stderr.strip())


def prepare_catalogue(program):
    make_pictures(program)
    for name in ("여행", "가족", "겨울 바다"):
        program.catalog("album", "add", name)
    program.catalog("album", "put", "1", "sea.jpg", "sunset.jpg", "snow.jpg")
    for name in ("바다", "산", "꽃"):
        program.catalog("keyword", "add", name)
    program.catalog("keyword", "set", "sea.jpg", "--ids", "1")
    program.catalog("title", "sea.jpg", "--text", "해 질 녘 바다")


def extents(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x, ext.y, ext.width, ext.height


def union(*boxes):
    x0 = min(b[0] for b in boxes)
    y0 = min(b[1] for b in boxes)
    x1 = max(b[0] + b[2] for b in boxes)
    y1 = max(b[1] + b[3] for b in boxes)
    return x0, y0, x1 - x0, y1 - y0


def picture(name, box, margin=0):
    """Saves the screen's area box (x, y, width, height), grown by margin, as help/<name>.png."""
    x, y, w, h = box
    x, y, w, h = max(0, x - margin), max(0, y - margin), w + 2 * margin, h + 2 * margin
    if w < 20 or h < 20:
        raise Failure("%s: nothing to picture (%dx%d)" % (name, w, h))
    time.sleep(0.4)  # the last paint after the window showed
    os.makedirs(HELP_SHOTS, exist_ok=True)
    path = os.path.join(HELP_SHOTS, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path],
                   check=True, timeout=20, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def picture_of(name, node, margin=0):
    return picture(name, extents(node), margin)


def message_box(program, text):
    """The message box showing text."""
    label = wait_for(program.app, "label", text, timeout=15)
    box = label
    while box is not None and safe(lambda: box.getRoleName()) not in ("dialog", "alert"):
        box = box.parent
    if box is None:
        raise Failure("the message %r is not in a box" % text)
    return box


def start(program):
    """The main window at the size of the pictures, with the browser filled."""
    frame = program.window(timeout=30)
    program.place_window(0, 0, WIDTH, HEIGHT)
    wait_until(lambda: extents(frame)[2:] == (WIDTH, HEIGHT), "the window at %dx%d" % (WIDTH, HEIGHT), timeout=10)
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=20)
    wait_for(browser, "list item", PICTURES[-1][0], timeout=20)
    time.sleep(0.5)
    return frame


def browser_item(program, name):
    return wait_for(wait_for(program.app, "list", "썸네일 목록", timeout=10), "list item", name, timeout=10)


def double_click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1"],
                   check=True)


def popup_with(program, item):
    """The popup menu that shows the menu item named item (not the menu bar's entry)."""
    found = []

    def shown():
        found[:] = [n for n in find_all(program.app(), MENU_ITEMS, item, showing=True)
                    if safe(lambda: n.parent.getRoleName()) != "menu bar"]
        return bool(found)

    wait_until(shown, "a menu with %r" % item, timeout=10)
    return found[0].parent


def popup_window(program, timeout=10):
    """The area of the popup window on screen: the X window of the program, other than the
    main window, that has shown up (the slide strip's menus are not on the accessibility bus)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        areas = [box for _, box in window_areas(program) if 30 < box[2] < WIDTH and 30 < box[3] < HEIGHT]
        if areas:
            return min(areas, key=lambda b: b[2] * b[3])
        time.sleep(0.1)
    raise Failure("no popup window showed")


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def window_areas(program):
    """Name and area of each visible X window of the program."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(program.process.pid)],
                         capture_output=True, text=True).stdout.split()
    found = []
    for wid in ids:
        name = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True, text=True).stdout.strip()
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            found.append((name, tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))))
        except (KeyError, ValueError):
            continue
    return found


def splash_picture(program):
    """The splash screen of the start-up update check, shown before the main window."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        if program.process.poll() is not None:
            raise Failure("Vimbro ended at start")
        splash = [box for name, box in window_areas(program) if name != "ZEL VimbroSuite" and box[2] > 100 and box[3] > 100]
        if splash:
            time.sleep(0.5)
            picture("splash", splash[0])
            return
        time.sleep(0.05)
    raise Failure("no splash screen at start")


def scenario_help_pictures_album_composition(program):
    splash_picture(program)
    frame = start(program)
    click(browser_item(program, "sea.jpg"), by_mouse=True)
    picture_of("main-album", frame)
    top = wait_for(program.app, BUTTONS, "앨범추가").parent
    picture_of("top-bar", top)

    dialog = open_dialog(program, "도움말", "VimbroSuite 정보", "VimbroSuite 정보")
    picture_of("about", dialog)
    press_key("Escape")
    wait_for(program.app, "dialog", "VimbroSuite 정보", gone=True, timeout=10)

    dialog = open_dialog(program, "도구", "환경", "환경설정")
    picture_of("environment", dialog)
    close_dialog(program, dialog, "환경설정")

    dialog = open_dialog(program, "앨범", "새 앨범", "앨범등록")
    picture_of("add-album", dialog)
    close_dialog(program, dialog, "앨범등록")

    dialog = open_dialog(program, "앨범", "선택 항목으로", "선택항목으로 앨범등록")
    picture_of("album-from-selection", dialog)
    close_dialog(program, dialog, "선택항목으로 앨범등록")

    dialog = open_dialog(program, "사진", "사진 정보", "사진 정보")
    wait_for(dialog, "label", "파일이름 : sea.jpg", timeout=5)
    picture_of("picture-info", dialog)
    close_dialog(program, dialog, "사진 정보", "확인")

    dialog = open_dialog(program, "사진", "키워드", "키워드")
    picture_of("keyword", dialog)
    click(wait_for(dialog, BUTTONS, "새 키워드", timeout=5), by_mouse=True)
    new = wait_for(program.app, "dialog", "새 키워드", timeout=10)
    picture_of("new-keyword", new)
    close_dialog(program, new, "새 키워드")
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), "산", timeout=5)
    click(row, by_mouse=True)
    wait_until(lambda: is_selected(row), "keyword 산 chosen", timeout=5)
    click(wait_for(dialog, BUTTONS, "이름 바꾸기", timeout=5), by_mouse=True)
    rename = wait_for(program.app, "dialog", "키워드 이름 바꾸기", timeout=10)
    picture_of("keyword-rename", rename)
    close_dialog(program, rename, "키워드 이름 바꾸기")
    click(wait_for(dialog, BUTTONS, "닫기", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)

    dialog = open_dialog(program, "사진", "이름 일괄", "일괄 이름 바꾸기")
    picture_of("bundle-rename", dialog)
    close_dialog(program, dialog, "일괄 이름 바꾸기")

    dialog = open_dialog(program, "파일", "내보내기", "내보내기")
    folder = [n for n in find_all(dialog, "text", None, showing=True)]
    if folder:
        type_text(folder[0], "/home/user/사진 모음")
    picture_of("export", dialog)
    close_dialog(program, dialog, "내보내기")

    # An album chosen in the strip, then its deletion asked for and declined.
    strip = wait_for(program.app, "list", "앨범", timeout=10)
    album = wait_for(strip, "list item", "여행", timeout=10)
    click(album, by_mouse=True)
    wait_until(lambda: is_selected(album), "album 여행 chosen", timeout=10)
    browser_item(program, "snow.jpg")
    click(browser_item(program, "sea.jpg"), by_mouse=True)
    picture_of("main-album-chosen", frame)
    # The browser's menu for the chosen pictures.
    x, y = centre(browser_item(program, "sea.jpg"))
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "3"], check=True)
    time.sleep(0.5)
    picture("browser-menu", union(extents(browser_item(program, "sea.jpg")), popup_window(program)), margin=4)
    press_key("Escape")
    time.sleep(0.5)
    choose_menu(program.app(), re.compile("^앨범"), re.compile("^앨범 삭제"))
    box = message_box(program, "정말 삭제하시겠습니까?")
    picture_of("message-box", box)
    click(wait_for(box, BUTTONS, re.compile("^아니"), timeout=5), by_mouse=True)
    wait_for(program.app, "label", "정말 삭제하시겠습니까?", gone=True, timeout=10)

    # The open-file dialog of the import button.
    click(wait_for(program.app, BUTTONS, "가져오기"), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "파일 가져오기", timeout=10)
    # In the folder of the pictures to import, as a user would be.
    field = [n for n in find_all(dialog, "text", None, showing=True) if is_editable(n)][0]
    click_at(field)
    press_key("ctrl+a")
    type_keys(os.path.join(program.root, "pictures") + "/")
    press_key("Return")
    wait_until(lambda: read_text(field) == "", "the file dialog in the pictures' folder", timeout=10)
    sea = wait_for(dialog, None, "sea.jpg", timeout=10)
    # The first click closes the name field's completer, the second chooses the picture (slow
    # enough not to be a double-click, which would import it).
    click_at(sea)
    time.sleep(0.8)
    click_at(sea)
    wait_until(lambda: read_text(field) == "sea.jpg", "sea.jpg chosen in the file dialog", timeout=5)
    # Qt's own dialog speaks Korean like the program.
    wait_for(dialog, BUTTONS, re.compile(r"^열기"), timeout=5)
    picture_of("import", dialog)
    # The file name field's completer may still be open: the first Escape closes it.
    for _ in range(3):
        press_key("Escape")
        time.sleep(0.3)
        if not find_all(program.app(), "dialog", "파일 가져오기", showing=True):
            break
    wait_for(program.app, "dialog", "파일 가져오기", gone=True, timeout=10)


scenario_help_pictures_album_composition.prepare = prepare_catalogue
scenario_help_pictures_album_composition.limit = 150


def scenario_help_pictures_photo_editing(program):
    frame = start(program)
    x, y = centre(browser_item(program, "sunset.jpg"))
    double_click_at(x, y)
    wait_for(program.app, BUTTONS, "이전 그림", timeout=15)
    canvas = wait_for(program.app, None, "편집 화면", timeout=10)
    picture_of("main-editor", frame)
    picture_of("filter-panel", wait_for(program.app, "filler", "필터", timeout=5))
    effect = wait_for(program.app, "filler", "효과", timeout=5)
    picture_of("effect-panel", effect)

    # A crop rectangle drawn on the picture.
    click(wait_for(program.app, BUTTONS, "잘라내기"), by_mouse=True)
    cx, cy = centre(canvas)
    subprocess.run(["xdotool", "mousemove", str(cx - 90), str(cy - 70), "mousedown", "1", "mousemove", str(cx),
                    str(cy), "mousemove", str(cx + 70), str(cy + 50), "mouseup", "1"], check=True)
    picture_of("editor-crop", canvas)
    click(wait_for(program.app, BUTTONS, "잘라내기"), by_mouse=True)

    # Text typed into the box the text tool opens on the picture.
    click(wait_for(program.app, BUTTONS, "텍스트입력"), by_mouse=True)
    subprocess.run(["xdotool", "mousemove", str(cx - 60), str(cy - 20), "click", "1"], check=True)
    edit = wait_for(program.app, None, "텍스트", timeout=10)
    type_text(edit, "즐거운 여행")
    picture("editor-text", union(extents(canvas), extents(effect)))
    subprocess.run(["xdotool", "mousemove", str(extents(canvas)[0] + 20), str(extents(canvas)[1] + 20), "click", "1"],
                   check=True)
    click(wait_for(program.app, BUTTONS, "텍스트입력"), by_mouse=True)

    click(wait_for(program.app, BUTTONS, "밝기/대비", timeout=5), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "밝기/대비", timeout=10)
    picture_of("brightness", dialog)
    close_dialog(program, dialog, "밝기/대비")

    dialog = open_dialog(program, "파일", "다른 이름으로", "다른 이름으로 저장")
    picture_of("save-as", dialog)
    close_dialog(program, dialog, "다른 이름으로 저장")

    click(wait_for(program.app, BUTTONS, "프린트", timeout=5), by_mouse=True)
    preview = wait_for(program.app, None, "인쇄 미리보기", timeout=15)
    picture_of("print-preview", preview)
    press_key("Escape")
    wait_for(program.app, None, "인쇄 미리보기", gone=True, timeout=10)



scenario_help_pictures_photo_editing.prepare = prepare_catalogue
scenario_help_pictures_photo_editing.limit = 120


def scenario_help_pictures_decoration(program):
    frame = start(program)
    click(browser_item(program, "flower.jpg"), by_mouse=True)
    click(wait_for(program.app, BUTTONS, "ZEL 꾸미기", timeout=10), by_mouse=True)
    strip = wait_for(program.app, "list", "슬라이드 목록", timeout=20)
    canvas = [c for c in find_all(program.app(), None, "편집 화면", showing=True)][0]
    # Two slides from the picture on the canvas, then a frame.
    for number in (1, 2):
        slide = wait_for(strip, "list item", "슬라이드 %d (비어 있음)" % number, timeout=10)
        click(slide)
        wait_until(lambda: is_selected(slide), "box %d selected" % number, timeout=5)
        double_click_at(*centre(canvas))
        wait_for(strip, "list item", "슬라이드 %d (0.1초)" % number, timeout=10)
    frames = wait_for(program.app, "list", "액자 목록", timeout=5)
    second = wait_for(frames, "list item", "액자 2", timeout=5)
    click(second, by_mouse=True)
    wait_until(lambda: is_selected(second), "frame 2 chosen", timeout=5)
    time.sleep(0.5)
    picture_of("main-decorate", frame)
    picture_of("frame-panel", wait_for(program.app, "filler", "액자", timeout=5))
    picture_of("album-panel", wait_for(program.app, "list", "사진 목록", timeout=5).parent)
    picture_of("preview-panel", wait_for(program.app, "filler", "미리보기", timeout=5))

    # The delay menu under the second box's picture.
    slide = wait_for(strip, "list item", re.compile(r"^슬라이드 2 \("))
    bx, by, bw, bh = extents(slide)
    subprocess.run(["xdotool", "mousemove", str(bx + 67), str(by + 77), "click", "1"], check=True)
    time.sleep(0.5)
    picture("delay-menu", union(extents(slide), popup_window(program)), margin=4)
    press_key("Escape")
    time.sleep(0.5)

    # The box's own menu.
    subprocess.run(["xdotool", "mousemove", str(bx + bw // 2), str(by + 40), "click", "3"], check=True)
    time.sleep(0.5)
    picture("slide-menu", union(extents(slide), popup_window(program)), margin=4)
    press_key("t")
    dialog = wait_for(program.app, "dialog", "PHT 저장", timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), "flower-2")
    picture_of("export-pht", dialog)
    close_dialog(program, dialog, "PHT 저장")

    click(wait_for(program.app, BUTTONS, "저장"), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "애니메이션 저장", timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), "flower")
    picture_of("export-eba", dialog)
    close_dialog(program, dialog, "애니메이션 저장")



scenario_help_pictures_decoration.prepare = prepare_catalogue
scenario_help_pictures_decoration.limit = 120


BIG = 80


def prepare_big_import(program):
    prepare_catalogue(program)
    folder = os.path.join(program.root, "camera")
    os.makedirs(folder, exist_ok=True)
    first = os.path.join(folder, "camera-01.jpg")
    subprocess.run(["convert", "-size", "1600x1200", "gradient:#204060-#f0c060", "-quality", "95", first], check=True,
                   timeout=60)
    for i in range(2, BIG + 1):
        shutil.copyfile(first, os.path.join(folder, "camera-%02d.jpg" % i))


def scenario_help_pictures_progress(program):
    """The progress window while many large pictures are imported."""
    start(program)
    click(wait_for(program.app, BUTTONS, "가져오기"), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "파일 가져오기", timeout=10)
    file_dialog_open(dialog, os.path.join(program.root, "camera"), ["camera-%02d.jpg" % i for i in range(1, BIG + 1)])
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        boxes = [box for name, box in window_areas(program)
                 if name == "ZEL VimbroSuite" and 100 < box[2] < WIDTH and 100 < box[3] < HEIGHT]
        if boxes:
            time.sleep(0.2)
            picture("progress", boxes[0])
            break
        time.sleep(0.05)
    else:
        raise Failure("no progress window during the import")
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    wait_for(browser, "list item", "camera-%02d.jpg" % BIG, timeout=60, showing=None)


scenario_help_pictures_progress.prepare = prepare_big_import


# ---- F1 and the help menu -------------------------------------------------------------------

def stand_in_browser(program):
    """An xdg-open first on the program's PATH that writes down the address it is given."""
    folder = os.path.join(program.root, "bin")
    os.makedirs(folder, exist_ok=True)
    program.opened = os.path.join(program.root, "opened.txt")
    script = os.path.join(folder, "xdg-open")
    with open(script, "w") as f:
        f.write("#!/bin/sh\nprintf '%%s\\n' \"$*\" >> '%s'\n" % program.opened)
    os.chmod(script, 0o755)
    environment = program.environment

    def with_stand_in():
        env = environment()
        env["PATH"] = folder + os.pathsep + env.get("PATH", "")
        # Desktop names make Qt try the desktop's own opener before xdg-open.
        for name in ("XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                     "DEFAULT_BROWSER", "BROWSER"):
            env.pop(name, None)
        return env

    program.environment = with_stand_in
    make_pictures(program)


def opened(program):
    if not os.path.exists(program.opened):
        return []
    with open(program.opened) as f:
        return [line.strip() for line in f if line.strip()]


def expect_opened(program, count, page):
    """The count-th address opened is the help folder's page (with its anchor) and the file is there."""
    wait_until(lambda: len(opened(program)) >= count, "the browser asked for %s" % page, timeout=10)
    url = opened(program)[count - 1]
    folder = os.path.join(os.path.dirname(PROGRAM), "help")
    expected = "file://" + folder + "/" + page
    if url != expected:
        raise Failure("opened %r, not %r" % (url, expected))
    path = unquote(urlsplit(url).path)
    if not os.path.isfile(path):
        raise Failure("%s does not exist" % path)
    anchor = urlsplit(url).fragment
    if anchor:
        with open(path, encoding="utf-8") as f:
            if 'id="%s"' % anchor not in f.read():
                raise Failure("%s has no anchor %r" % (path, anchor))


def scenario_help_f1_opens_the_page_in_front_and_the_menu_the_contents(program):
    program.window(timeout=30)
    browser_item(program, "sea.jpg")
    press_key("F1")
    expect_opened(program, 1, "002_AlbumComposition.htm")
    bar = wait_for(program.app, "menu bar", None)
    click(wait_for(bar, "menu item", "도움말(H)"), by_mouse=True)
    click(popup_with(program, "도움말(H)").getChildAtIndex(0), by_mouse=True)
    expect_opened(program, 2, "001_AboutVimbroSuite.htm")
    choose_menu(program.app(), re.compile("^사진"), re.compile("^키워드"))
    dialog = wait_for(program.app, "dialog", "키워드", timeout=10)
    press_key("F1")
    expect_opened(program, 3, "006_AlbumsAndKeywords.htm#keyword")
    close_dialog(program, dialog, "키워드", "닫기")
    x, y = centre(browser_item(program, "sea.jpg"))
    double_click_at(x, y)
    wait_for(program.app, BUTTONS, "이전 그림", timeout=15)
    press_key("F1")
    expect_opened(program, 4, "003_PhotoEditing.htm")
    click(wait_for(program.app, BUTTONS, "ZEL 꾸미기", timeout=10), by_mouse=True)
    wait_for(program.app, "list", "슬라이드 목록", timeout=20)
    press_key("F1")
    expect_opened(program, 5, "004_Decoration.htm")


scenario_help_f1_opens_the_page_in_front_and_the_menu_the_contents.prepare = stand_in_browser
