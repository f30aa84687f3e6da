"""The album composition road, start to finish, as a user walks it: import three pictures of
different formats through the open-file dialog, make an album, drag the pictures onto it in the
album strip, give them a keyword, rename them by a pattern, export them to a folder, quit through
the menu, start again on the same folders and find everything as it was, on screen and on disk."""

import os
import re
import sqlite3
import subprocess

from vimbro_at import (Failure, choose_menu, click, drag, file_dialog_open, find_all, is_selected, press_key,
                       safe, screenshot, type_text, wait_for, wait_until)

BUTTONS = re.compile(r"^(push button|toggle button|check box)$")
ALBUM = "여행"
KEYWORD = "바다"
PATTERN = "trip"
# One picture of each format the import filter offers.
SOURCES = [("sea.bmp", "BMP3:"), ("sky.jpg", ""), ("sand.gif", "GIF:")]
RENAMED = ["trip000", "trip001", "trip002"]


def make_pictures(program):
    folder = os.path.join(program.root, "pictures")
    os.makedirs(folder, exist_ok=True)
    for i, (name, prefix) in enumerate(SOURCES):
        subprocess.run(["convert", "-size", "80x60", "gradient:#%02x6090-#f0e0c0" % (50 + 70 * i),
                        prefix + os.path.join(folder, name)], check=True, timeout=30)
    return folder


def photo_folder(program):
    return os.path.join(program.home, "Documents", "ZEL", "Photo")


def answer_message(program, text, button="확인", timeout=20):
    """Waits for the message box that shows text and presses its button."""
    label = wait_for(program.app, "label", text, timeout=timeout)
    box = label
    while box is not None and box.getRoleName() not in ("dialog", "alert"):
        box = box.parent
    click(wait_for(box or program.app, BUTTONS, button, timeout=5), by_mouse=True)
    wait_for(program.app, "label", text, gone=True, timeout=10)


def browser_items(program):
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    return find_all(browser, "list item", None, showing=True)


def strip_item(program, name, timeout=10):
    strip = wait_for(program.app, "list", "앨범", timeout=timeout)
    return wait_for(strip, "list item", name, timeout=timeout)


def names_shown(program):
    return sorted(item.name for item in browser_items(program))


def choose_album(program, name):
    item = strip_item(program, name)
    click(item, by_mouse=True)
    wait_until(lambda: is_selected(item), "album %r chosen in the strip" % name, timeout=10)


def select_all(program):
    first = browser_items(program)[0]
    click(first, by_mouse=True)
    press_key("ctrl+a")
    wait_until(lambda: all(is_selected(i) for i in browser_items(program)), "every picture selected",
               timeout=10)


def catalogue_rows(program):
    """The item rows of the catalogue file, read the way the program stores them."""
    path = os.path.join(program.run_dir, "zldb.mdb")
    connection = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    try:
        albums = dict(connection.execute("select AlbumID, AlbumName from tbl_Album").fetchall())
        keywords = dict(connection.execute("select KeywordID, KeywordName from tbl_Keyword").fetchall())
        rows = connection.execute("select Filename, AlbumID, KeywordID from tbl_Itemlist").fetchall()
    finally:
        connection.close()
    return albums, keywords, rows


def ids(text):
    return sorted(int(piece) for piece in (text or "").split("?") if piece.strip())


def import_through_dialog(program, folder):
    click(wait_for(program.app, BUTTONS, "가져오기", timeout=10), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "파일 가져오기", timeout=15)
    screenshot("50-import-dialog")
    file_dialog_open(dialog, folder, [name for name, _ in SOURCES])
    wait_for(program.app, "dialog", "파일 가져오기", gone=True, timeout=15)
    wait_until(lambda: names_shown(program) == sorted(n for n, _ in SOURCES), "the three pictures in the browser",
               timeout=30)
    screenshot("51-imported")


def add_album(program):
    click(wait_for(program.app, BUTTONS, "앨범추가", timeout=10), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "앨범등록", timeout=10)
    type_text(wait_for(dialog, "text", None, timeout=5), ALBUM)
    screenshot("52-add-album")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "앨범등록", gone=True, timeout=10)
    strip_item(program, ALBUM)
    screenshot("53-album-added")


def drag_pictures_onto_album(program):
    select_all(program)
    source = browser_items(program)[0]
    drag(source, strip_item(program, ALBUM))
    screenshot("54-dragged")
    # The pictures now belong to the album: choosing it shows all three.
    choose_album(program, ALBUM)
    wait_until(lambda: names_shown(program) == sorted(n for n, _ in SOURCES), "the three pictures in the album",
               timeout=15)
    screenshot("55-album-with-pictures")


def give_keyword(program):
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^키워드"))
    dialog = wait_for(program.app, "dialog", "키워드", timeout=10)
    # No picture of the three carries a keyword yet.
    count = safe(lambda: wait_for(dialog, None, "사진 수", timeout=5).description)
    if count != "0 / 3":
        raise Failure("the keyword dialog opens counting %r" % count)
    click(wait_for(dialog, BUTTONS, "새 키워드", timeout=5), by_mouse=True)
    new = wait_for(program.app, "dialog", "새 키워드", timeout=10)
    type_text(wait_for(new, "text", None, timeout=5), KEYWORD)
    screenshot("56-new-keyword")
    click(wait_for(new, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "새 키워드", gone=True, timeout=10)
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), KEYWORD, timeout=10)
    click(row, by_mouse=True)
    wait_until(lambda: is_selected(row), "keyword row selected", timeout=5)
    screenshot("57-keyword-dialog")
    click(wait_for(dialog, BUTTONS, "적용", timeout=5), by_mouse=True)
    answer_message(program, "3 개의 아이템이 설정되었습니다.")
    click(wait_for(dialog, BUTTONS, re.compile(r"^(닫기|확인|취소)$"), timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)


def rename_by_pattern(program):
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^이름 일괄"))
    dialog = wait_for(program.app, "dialog", "일괄 이름 바꾸기", timeout=10)
    # Target file name and kind text are the first choices.
    type_text(wait_for(dialog, "text", "텍스트", timeout=5), PATTERN)
    screenshot("58-bundle-rename")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "일괄 이름 바꾸기", gone=True, timeout=10)
    # The pattern numbers the pictures in display order (by name).
    shown = sorted(n for n, _ in SOURCES)
    expected = sorted(r + os.path.splitext(n)[1] for r, n in zip(RENAMED, shown))
    wait_until(lambda: names_shown(program) == expected, "the pictures renamed by the pattern", timeout=15)
    screenshot("59-renamed")
    return expected


def export_to(program, folder):
    select_all(program)
    choose_menu(program.app(), re.compile(r"^파일"), re.compile(r"^내보내기"))
    dialog = wait_for(program.app, "dialog", "내보내기", timeout=10)
    type_text(wait_for(dialog, "text", "내보낼 폴더", timeout=5), folder)
    screenshot("60-export")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    answer_message(program, "총 3개의 파일을 내보냈습니다")
    wait_for(program.app, "dialog", "내보내기", gone=True, timeout=10)


def check_disk(program, export_folder, expected):
    if sorted(os.listdir(export_folder)) != expected:
        raise Failure("the export folder holds %r" % sorted(os.listdir(export_folder)))
    photos = sorted(os.listdir(photo_folder(program)))
    if photos != expected:
        raise Failure("the photo folder holds %r" % photos)
    for name in expected:
        with open(os.path.join(export_folder, name), "rb") as a, \
                open(os.path.join(photo_folder(program), name), "rb") as b:
            if a.read() != b.read():
                raise Failure("the exported %s differs from the catalogue's picture" % name)
    albums, keywords, rows = catalogue_rows(program)
    album_id = [k for k, v in albums.items() if v == ALBUM]
    keyword_id = [k for k, v in keywords.items() if v == KEYWORD]
    if len(album_id) != 1 or len(keyword_id) != 1:
        raise Failure("catalogue albums %r, keywords %r" % (albums, keywords))
    found = sorted((name, ids(a), ids(k)) for name, a, k in rows)
    if [f[0] for f in found] != expected or any(f[2] != keyword_id or album_id[0] not in f[1] for f in found):
        raise Failure("catalogue rows %r: want %r in album %d with keyword %d"
                      % (found, expected, album_id[0], keyword_id[0]))
    thumbs = os.listdir(os.path.join(program.run_dir, "Thumb"))
    for name in expected:
        if not any(t.endswith("_" + name + ".thm") for t in thumbs):
            raise Failure("no thumbnail cache for %s among %r" % (name, thumbs))


def quit_through_menu(program):
    choose_menu(program.app(), re.compile(r"^파일"), re.compile(r"^끝내기"))
    code = program.wait_ended(timeout=20)
    if code != 0:
        raise Failure("Vimbro ended with code %d after 끝내기" % code)


def scenario_album_road_survives_a_restart(program):
    program.window(timeout=30)
    folder = make_pictures(program)
    export_folder = os.path.join(program.root, "exported")
    os.makedirs(export_folder)
    wait_for(program.app, "list", "썸네일 목록", timeout=30)
    import_through_dialog(program, folder)
    add_album(program)
    drag_pictures_onto_album(program)
    give_keyword(program)
    expected = rename_by_pattern(program)
    export_to(program, export_folder)
    quit_through_menu(program)
    check_disk(program, export_folder, expected)

    # Again on the same folders: everything is where it was.
    program.restart()
    program.window(timeout=30)
    wait_until(lambda: names_shown(program) == expected, "the renamed pictures in all photos after restart",
               timeout=30)
    screenshot("61-restarted")
    choose_album(program, ALBUM)
    wait_until(lambda: names_shown(program) == expected, "the album's three pictures after restart", timeout=15)
    screenshot("62-restarted-album")
    # The keyword dialog opened on the selection shows the keyword chosen and 3 of 3 carrying one.
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^키워드"))
    dialog = wait_for(program.app, "dialog", "키워드", timeout=10)
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), KEYWORD, timeout=10)
    if not is_selected(row):
        raise Failure("the pictures' keyword is not chosen in the keyword dialog after restart")
    count = safe(lambda: wait_for(dialog, None, "사진 수", timeout=5).description)
    screenshot("63-restarted-keywords")
    click(wait_for(dialog, BUTTONS, re.compile(r"^(닫기|확인|취소)$"), timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)
    if count != "3 / 3":
        raise Failure("the keyword dialog counts %r after restart" % count)
    check_disk(program, export_folder, expected)


scenario_album_road_survives_a_restart.limit = 240
