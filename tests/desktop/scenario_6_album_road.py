"""The album composition road, start to finish, as a user walks it: import three pictures of
different formats through the open-file dialog, make an album, drag the pictures onto it in the
album strip, give them a keyword, rename them by a pattern, export them to a folder, quit through
the menu, start again on the same folders and find everything as it was, on screen and on disk."""

import os
import re
import subprocess

# The shared steps live in vimbro_at; other scenarios may still import them from here.
from vimbro_at import (BUTTONS, Failure, add_album, answer_message, browser_items, catalogue_rows,  # noqa: F401
                       choose_album, choose_menu, click, close_keyword_dialog, drag, export_to, give_keyword,
                       ids, import_files, keyword_dialog_state, names_shown, photo_folder, quit_through_menu,
                       screenshot, select_all, strip_item, type_text, wait_for, wait_until)

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


def import_through_dialog(program, folder):
    import_files(program, folder, [name for name, _ in SOURCES])


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


def scenario_album_road_survives_a_restart(program):
    program.window(timeout=30)
    folder = make_pictures(program)
    export_folder = os.path.join(program.root, "exported")
    os.makedirs(export_folder)
    wait_for(program.app, "list", "썸네일 목록", timeout=30)
    import_through_dialog(program, folder)
    add_album(program, ALBUM)
    drag_pictures_onto_album(program)
    give_keyword(program, KEYWORD, 3)
    expected = rename_by_pattern(program)
    export_to(program, export_folder, 3)
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
    dialog, chosen, count = keyword_dialog_state(program, KEYWORD)
    screenshot("63-restarted-keywords")
    close_keyword_dialog(program, dialog)
    if not chosen:
        raise Failure("the pictures' keyword is not chosen in the keyword dialog after restart")
    if count != "3 / 3":
        raise Failure("the keyword dialog counts %r after restart" % count)
    check_disk(program, export_folder, expected)


scenario_album_road_survives_a_restart.limit = 240
