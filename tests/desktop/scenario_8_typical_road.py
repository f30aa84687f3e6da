"""The typical road through the whole program, as one user walks it on a fresh home: five
pictures of five kinds imported through the open-file dialog, two albums filled by dragging,
titles and keywords, one picture edited (cropped to the phone screen, two effects, a text, one
step undone) and saved with its backup, a four-slide animation with a frame composed, played and
saved as EBA with one slide as PHT, three pictures exported, another phone model chosen and kept,
quit through the menu; then a second start on the same folders finds all of it, on screen and
on disk."""

import os
import re
import subprocess

from vimbro_at import (BUTTONS, Failure, add_album, answer_message, browser_item, canvas_click,
                       canvas_double_click, canvas_drag, catalogue_rows, choose_album, choose_frame,
                       choose_in_combo, choose_menu, click, close_keyword_dialog, crop_slides, double_click,
                       drag, eba_info, enter_decoration, export_to, extents, give_keyword, ids, image_folder,
                       import_files, is_checked, is_enabled, is_showing, keyword_dialog_state, names_shown,
                       photo_folder, play_and_stop, quit_through_menu, read_text, save_eba, save_slide_pht,
                       screenshot, select_all, set_delay, strip_item, tool, type_text, wait_for,
                       wait_for_labelled, wait_until)

# One picture of each kind the import offers, the last an animation of three frames.
STILLS = [("beach.jpg", "JPG:"), ("cliff.png", "PNG24:"), ("dune.bmp", "BMP3:"), ("field.gif", "GIF:")]
ANIMATION = "wave.gif"
PICTURES = sorted([name for name, _ in STILLS] + [ANIMATION])
TRIP, FAMILY = "여행", "가족"
MEMBERS = {TRIP: ["beach.jpg", "cliff.png", "dune.bmp"], FAMILY: ["field.gif", ANIMATION]}
KEYWORDS = {TRIP: "바다", FAMILY: "산"}
TITLE = "여름"
TITLES = ["여름000", "여름001", "여름002"]  # the trip's pictures in display order (by name)
EDITED = "beach.jpg"
SCREEN = (240, 320)  # the first standby screen of the first model, PM-00
MODEL = "PM-01"
EBA_INFO = ["ANI", "176x144", "frames=4", "delays=100,2000,500,100"]
PHT_BYTES = 48 + 176 * 144 * 2  # header and RGB565 pixels of one 176 x 144 slide
# The decoration's files join the all-photos album as they are saved. The animation lives in
# the phone's image folder, not the photo folder, so the next loading of all photos (the
# tool's or the program's at its next start) drops its row again; the file stays.
SAVED = ["road-two.pht", "road.eba"]
KEPT = ["road-two.pht"]
MENU_ITEM = re.compile(r"^(menu item|radio menu item|check menu item)$")


def shot(step):
    screenshot("80-road-" + step)


def make_pictures(program):
    folder = os.path.join(program.root, "pictures")
    os.makedirs(folder, exist_ok=True)
    # Bluish gradients: a sepia tone on them reads clearly redder than blue, a grey one not.
    for i, (name, kind) in enumerate(STILLS):
        subprocess.run(["convert", "-size", "80x60", "gradient:#%02x60d0-#30a0f0" % (40 + 50 * i),
                        kind + os.path.join(folder, name)], check=True, timeout=30)
    subprocess.run(["convert", "-delay", "50", "-size", "80x60", "gradient:#e04040-#f0d080",
                    "gradient:#40a040-#d0f0d0", "gradient:#4040e0-#d0d0f0", "-loop", "0",
                    os.path.join(folder, ANIMATION)], check=True, timeout=30)
    return folder


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def mean_colour(path):
    out = subprocess.run(["convert", path, "-format", "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"],
                         capture_output=True, text=True, check=True, timeout=30).stdout
    return [float(v) for v in out.split()]


def picture_size(path):
    out = subprocess.run(["identify", "-format", "%w %h\n", path], capture_output=True, text=True, check=True,
                         timeout=30).stdout
    return tuple(int(v) for v in out.split("\n")[0].split())


def fill_albums(program):
    for album, shots in ((TRIP, ("80-road-02-add-trip", "80-road-03-trip-added")),
                           (FAMILY, ("80-road-04-add-family", "80-road-05-family-added"))):
        add_album(program, album, shots)
    choose_album(program, "전체사진")
    for album, members in MEMBERS.items():
        for name in members:
            drag(browser_item(program, name), strip_item(program, album))
    shot("06-dragged")
    for album, members in MEMBERS.items():
        choose_album(program, album)
        wait_until(lambda: names_shown(program) == members, "%s holding %r" % (album, members), timeout=15)
        shot("07-album-" + ("trip" if album == TRIP else "family"))


def set_titles(program):
    """Titles the trip's pictures by the bundle dialog: text, numbered."""
    choose_album(program, TRIP)
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^이름 일괄"))
    dialog = wait_for(program.app, "dialog", "일괄 이름 바꾸기", timeout=10)
    choose_in_combo(program, wait_for_labelled(lambda: dialog, "combo box", "대상"), "제목")
    choose_in_combo(program, wait_for_labelled(lambda: dialog, "combo box", "종류"), "텍스트")
    type_text(wait_for(dialog, "text", "텍스트", timeout=5), TITLE)
    numbered = wait_for(dialog, BUTTONS, "번호 붙이기", timeout=5)
    if not is_checked(numbered):
        click(numbered, by_mouse=True)
        wait_until(lambda: is_checked(numbered), "numbering chosen", timeout=5)
    shot("08-titles")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "일괄 이름 바꾸기", gone=True, timeout=10)


def show_mode(program, item):
    choose_menu(program.app(), re.compile(r"^보기"), item)


def check_titles_on_screen(program, step, size):
    """In the title show mode the browser labels the trip's pictures by title and the
    information box starts with the current picture's title."""
    choose_album(program, TRIP)
    show_mode(program, re.compile(r"^제목 표시"))
    wait_until(lambda: names_shown(program) == TITLES, "the trip's pictures labelled by title", timeout=10)
    first = browser_item(program, TITLES[0])
    click(first, by_mouse=True)
    info = wait_for(program.app, None, re.compile(r"^제     목 : "), timeout=10)
    # The first is the picture to be edited, of size (its own, later the phone screen's).
    wait_until(lambda: info.name.startswith("제     목 : %s  날     짜 : " % TITLES[0])
               and info.name.endswith("Pixel : %d x %d" % size),
               "the information box showing the title and the size", timeout=10)
    shot(step)
    show_mode(program, re.compile(r"^파일이름 표시"))
    wait_until(lambda: names_shown(program) == MEMBERS[TRIP], "the trip's pictures labelled by name", timeout=10)


def edit_picture(program):
    """Crop, fit to the phone's screen, sepia and grey with the grey undone, a text, save."""
    choose_album(program, "전체사진")
    double_click(browser_item(program, EDITED))
    wait_for(program.app, BUTTONS, "이전 그림", timeout=15)
    position = wait_for(program.app, None, re.compile(r"^사진 \d+/\d+장$"), timeout=10)
    if position.name != "사진 1/%d장" % len(PICTURES):
        raise Failure("the editor's position reads %r" % position.name)
    canvas = wait_for(program.app, None, "편집 화면", timeout=10)
    undo = wait_for(program.app, BUTTONS, "한단계 뒤로", timeout=10)
    redo = wait_for(program.app, BUTTONS, "한단계 앞으로", timeout=10)
    shot("10-editor")
    _, _, w, h = extents(canvas)
    cx, cy = w // 2, h // 2
    click(wait_for(program.app, BUTTONS, "잘라내기"), by_mouse=True)
    canvas_drag(canvas, (cx - 30, cy - 20), (cx + 30, cy + 20))
    shot("11-editor-crop")
    canvas_double_click(canvas, (cx, cy))
    wait_until(lambda: is_enabled(undo), "undo offered after the crop", timeout=10)
    click(wait_for(program.app, BUTTONS, "대기화면1"), by_mouse=True)
    shot("12-editor-screen")
    canvas_double_click(canvas, (cx, cy))
    wait_until(lambda: is_enabled(undo), "undo offered after fitting to the screen", timeout=10)
    click(wait_for(program.app, None, "세피아"), by_mouse=True)
    click(wait_for(program.app, None, "그레이"), by_mouse=True)
    shot("13-editor-effects")
    if is_enabled(redo):
        raise Failure("redo is offered before anything was undone")
    click(undo, by_mouse=True)
    wait_until(lambda: is_enabled(redo), "redo offered after the undo", timeout=10)
    shot("14-editor-undone")
    # A text on the picture, placed by a click beside it.
    text_tool = wait_for(program.app, BUTTONS, "텍스트입력", timeout=10)
    click(text_tool, by_mouse=True)
    canvas_click(canvas, (cx - 40, cy - 20))
    edit = wait_for(program.app, None, "텍스트", timeout=10)
    type_text(edit, "Hi")
    wait_until(lambda: read_text(edit) == "Hi", "the typed text", timeout=5)
    canvas_click(canvas, (10, 10))
    wait_until(lambda: not is_showing(edit), "the text placed", timeout=10)
    click(text_tool, by_mouse=True)
    shot("15-editor-text")
    click(wait_for(program.app, BUTTONS, "저장", timeout=5), by_mouse=True)
    answer_message(program, re.compile(r"사진저장 완료했습니다$"))
    shot("16-editor-saved")


def check_edit_on_disk(program, sources):
    photo = os.path.join(photo_folder(program), EDITED)
    backup = os.path.join(program.run_dir, "Origin", EDITED)
    if not os.path.isfile(backup):
        raise Failure("no backup %s of the edited picture" % backup)
    if file_bytes(backup) != file_bytes(os.path.join(sources, EDITED)):
        raise Failure("the backup differs from the picture as it was imported")
    if picture_size(photo) != SCREEN:
        raise Failure("the edited picture is %r, not the phone screen %r" % (picture_size(photo), SCREEN))
    red, _, blue = mean_colour(photo)
    # Sepia stayed, the grey step was undone.
    if red - blue < 0.05:
        raise Failure("the edited picture is not sepia-toned (mean red %.3f, blue %.3f)" % (red, blue))


def decorate(program):
    """Four slides cut from two pictures, a frame, two delays, play and stop, EBA and PHT."""
    choose_album(program, "전체사진")
    click(browser_item(program, EDITED), by_mouse=True)
    enter_decoration(program)
    crop_slides(program, [(1, None), (2, None), (3, "cliff.png"), (4, None)], "80-road-20-second-picture")
    shot("21-decoration-four-slides")
    choose_frame(program, "액자 2")
    for number, steps, delay in ((2, 8, "2.0초"), (3, 4, "0.5초")):
        set_delay(program, number, steps, delay, "80-road-22-delay-menu-%d" % number)
    play_and_stop(program, "슬라이드 1 (0.1초)", ("80-road-23-playing", "80-road-24-stopped"))
    save_eba(program, "road", ("80-road-25-eba-dialog", "80-road-26-eba-saved"))
    save_slide_pht(program, "슬라이드 2 (2.0초)", "road-two",
                   ("80-road-27-slide-menu", "80-road-28-pht-dialog", "80-road-29-pht-saved"))
    check_decoration_list(program, SAVED)
    click(wait_for(program.app, BUTTONS, "앨범구성"), by_mouse=True)
    wait_for(program.app, "list", "썸네일 목록", timeout=10)


def check_decoration_list(program, saved):
    pictures = wait_for(program.app, "list", "사진 목록", timeout=10)
    for name in PICTURES + saved:
        wait_for(lambda: pictures, "list item", name, timeout=10, showing=None)


def choose_model(program):
    """Another phone model in the top bar, kept by confirming the environment dialog, the one
    place where the program stores its settings."""
    combo = wait_for_labelled(program.app, "combo box", "폰 모델")
    choose_in_combo(program, combo, MODEL)
    # The new model's sizes clear the slides; they are saved already.
    answer_message(program, "현재의 프레임정보를 저장하시겠습니까?", "아니요")
    answer_message(program, "삭제하시겠습니까?", "확인")
    shot("40-model-chosen")
    choose_menu(program.app(), re.compile(r"^도구"), re.compile(r"^환경 ?설정"))
    dialog = wait_for(program.app, "dialog", "환경설정", timeout=10)
    listed = wait_for_labelled(lambda: dialog, "combo box", "폰 모델")
    if listed.name != MODEL:
        raise Failure("the environment dialog offers model %r, not the chosen %r" % (listed.name, MODEL))
    shot("41-environment")
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "환경설정", gone=True, timeout=10)
    if combo.name != MODEL:
        raise Failure("the top bar reads %r after the environment dialog" % combo.name)


def check_disk(program, sources, exported, listed):
    """Files, catalogue rows and settings; listed names the decoration files in the catalogue."""
    photos = sorted(os.listdir(photo_folder(program)))
    if photos != sorted(PICTURES + ["road-two.pht"]):
        raise Failure("the photo folder holds %r" % photos)
    if sorted(os.listdir(image_folder(program))) != ["road.eba"]:
        raise Failure("the image folder holds %r" % sorted(os.listdir(image_folder(program))))
    if sorted(os.listdir(exported)) != MEMBERS[TRIP]:
        raise Failure("the export folder holds %r" % sorted(os.listdir(exported)))
    for name in MEMBERS[TRIP]:
        if file_bytes(os.path.join(exported, name)) != file_bytes(os.path.join(photo_folder(program), name)):
            raise Failure("the exported %s differs from the catalogue's picture" % name)
    for name in PICTURES:
        if name != EDITED and file_bytes(os.path.join(sources, name)) != \
                file_bytes(os.path.join(photo_folder(program), name)):
            raise Failure("the imported %s differs from its source" % name)
    check_edit_on_disk(program, sources)
    text = eba_info(program, os.path.join(image_folder(program), "road.eba"))
    if text.split() != EBA_INFO:
        raise Failure("road.eba reads %r, not %r" % (text.strip(), EBA_INFO))
    pht = os.path.join(photo_folder(program), "road-two.pht")
    if os.path.getsize(pht) != PHT_BYTES or file_bytes(pht)[:3] != b"IMG":
        raise Failure("road-two.pht holds %d bytes starting %r" % (os.path.getsize(pht), file_bytes(pht)[:3]))
    tool(program, "check", pht)

    albums, keywords, rows = catalogue_rows(program, "Filename, AlbumID, KeywordID, Title, OriginalPath")
    album_ids = {name: number for number, name in albums.items()}
    keyword_ids = {name: number for number, name in keywords.items()}
    if sorted(album_ids) != sorted(MEMBERS) or sorted(keyword_ids) != sorted(KEYWORDS.values()):
        raise Failure("catalogue albums %r, keywords %r" % (albums, keywords))
    want = {name: ([], [], "", "") for name in PICTURES + listed}
    for album, members in MEMBERS.items():
        for name in members:
            want[name] = ([album_ids[album]], [keyword_ids[KEYWORDS[album]]], "", "")
    for name, title in zip(MEMBERS[TRIP], TITLES):
        want[name] = want[name][:2] + (title, "")
    want[EDITED] = want[EDITED][:3] + (EDITED,)
    found = {name: (ids(a), ids(k), t or "", o or "") for name, a, k, t, o in rows}
    if found != want:
        raise Failure("catalogue rows %r, want %r" % (found, want))
    listing = sorted(line.split("\t")[1:4] for line in program.catalog("list").splitlines())
    want_listing = sorted([name, want[name][2], KEYWORDS[album]]
                          for album, members in MEMBERS.items() for name in members)
    want_listing += [[name, "", ""] for name in KEPT]
    if listing != sorted(want_listing):
        raise Failure("vimbro-tool catalog list reads %r, want %r" % (listing, sorted(want_listing)))
    settings = os.path.join(program.config, "VimbroSuite", "HKEY_CURRENT_USER.reg")
    with open(settings, encoding="utf-8") as f:
        if not re.search(r"enumModel.*dword:00000001", f.read()):
            raise Failure("the settings keep no model 1 (%s)" % MODEL)


def check_after_restart(program):
    program.window(timeout=30)
    wait_until(lambda: names_shown(program) == sorted(PICTURES + KEPT), "every picture in all photos",
               timeout=30)
    shot("50-restarted")
    combo = wait_for_labelled(program.app, "combo box", "폰 모델")
    if combo.name != MODEL:
        raise Failure("the top bar shows model %r after restart, not %r" % (combo.name, MODEL))
    for album, members in MEMBERS.items():
        choose_album(program, album)
        wait_until(lambda: names_shown(program) == members, "%s holding %r after restart" % (album, members),
                   timeout=15)
        item = strip_item(program, album)
        dialog, chosen, count = keyword_dialog_state(program, KEYWORDS[album])
        shot("51-keywords-" + ("trip" if album == TRIP else "family"))
        close_keyword_dialog(program, dialog)
        if not chosen or count != "%d / %d" % (len(members), len(members)):
            raise Failure("%s: keyword %s chosen %r, counted %r" % (album, KEYWORDS[album], chosen, count))
        if not is_showing(item):
            raise Failure("the album %s left the strip" % album)
    check_titles_on_screen(program, "53-restarted-titles", SCREEN)
    choose_album(program, "전체사진")
    click(browser_item(program, EDITED), by_mouse=True)
    enter_decoration(program)
    check_decoration_list(program, KEPT)
    shot("54-restarted-decoration")


def scenario_typical_road(program):
    program.window(timeout=30)
    sources = make_pictures(program)
    exported = os.path.join(program.root, "exported")
    os.makedirs(exported)
    wait_for(program.app, "list", "썸네일 목록", timeout=30)
    import_files(program, sources, PICTURES, ("80-road-00-import-dialog", "80-road-01-imported"), all_files=True)
    fill_albums(program)
    set_titles(program)
    give_keyword(program, KEYWORDS[TRIP], 3, ("80-road-08-new-keyword", "80-road-09-keywords"))
    choose_album(program, FAMILY)
    give_keyword(program, KEYWORDS[FAMILY], 2, ("80-road-09-new-keyword", "80-road-09-keywords-family"))
    check_titles_on_screen(program, "09-titles-shown", (80, 60))
    edit_picture(program)
    click(wait_for(program.app, BUTTONS, "앨범구성"), by_mouse=True)
    decorate(program)
    choose_album(program, TRIP)
    export_to(program, exported, 3, "80-road-30-export")
    choose_model(program)
    quit_through_menu(program)
    check_disk(program, sources, exported, SAVED)

    program.restart()
    check_after_restart(program)
    quit_through_menu(program)
    check_disk(program, sources, exported, KEPT)
    program.restart()
    program.window(timeout=30)


scenario_typical_road.limit = 420  # about twice its measured time
