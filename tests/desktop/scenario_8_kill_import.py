"""The program is killed (SIGKILL, as a crash or a power cut ends it) in the middle of an import
of 200 pictures, after earlier pictures were given titles and a keyword. At the next start
nothing is lost: the earlier pictures keep their titles and keyword, every picture in the photo
folder is whole and listed once, no unfinished copy shows as a picture, the sources are
untouched, and importing the same 200 again ends with every picture listed once."""

import hashlib
import os
import re
import sqlite3
import struct
import subprocess
import time

import pyatspi

from vimbro_at import (PROGRAM, SHOTS, TITLE, Failure, choose_menu, click, find_all, is_showing, safe, screenshot,
                       wait_for, wait_until)

BUTTONS = re.compile(r"^(push button|toggle button|check box)$")
BOXES = re.compile(r"^(dialog|alert)$")
# Earlier pictures with their titles; the first two also carry the keyword.
EARLY = [("early-1.jpg", "바닷가 산책"), ("early-2.jpg", "가을 단풍"), ("early-3.jpg", "It's mine")]
KEYWORD = "가족"
KEYWORD_HOLDERS = ["early-1.jpg", "early-2.jpg"]
JPEGS = 100
BMPS = 100
# The kill comes once this many of the 200 have reached the photo folder: far enough in to
# leave some copied, early enough that most are not.
KILL_AFTER = 12
CLASH = re.compile(r"^(.+) 파일이 존재합니다\. 덮어쓸까요\?$")


def photo_folder(program):
    return os.path.join(program.home, "Documents", "ZEL", "Photo")


def write_bmp(path, width, height, seed):
    """A 24-bit BMP with a pattern of its own (a 24-bit picture is kept as it is by the catalogue)."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += bytes(((x * 3 + seed * 5) & 255, (y * 4 + seed * 11) & 255, (seed * 37 + x + y) & 255))
        pixels += row + bytes(stride - width * 3)
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + bytes(pixels))


def make_sources(program):
    """200 small pictures: JPEGs from one ImageMagick run, BMPs written here."""
    folder = os.path.join(program.root, "camera")
    os.makedirs(folder)
    gradients = ["gradient:#%02x%02x%02x-#f4f0e8" % ((i * 53) % 256, (i * 29 + 80) % 256, (200 - i) % 256)
                 for i in range(JPEGS)]
    subprocess.run(["convert", "-size", "320x240"] + gradients +
                   ["-quality", "85", os.path.join(folder, "shot-%03d.jpg")], check=True, timeout=60)
    for i in range(BMPS):
        write_bmp(os.path.join(folder, "shot-%03d.bmp" % (JPEGS + i)), 80, 60, i)
    names = sorted(os.listdir(folder))
    if len(names) != JPEGS + BMPS:
        raise Failure("made %d source pictures, not %d" % (len(names), JPEGS + BMPS))
    return folder, names


def fingerprint(folder, names):
    """Contents digest and last-write time of each file."""
    prints = {}
    for name in names:
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            prints[name] = (hashlib.sha256(f.read()).hexdigest(), os.stat(path).st_mtime_ns)
    return prints


def prepare_early(program):
    """The earlier pictures go into the catalogue with their titles and keyword before the start."""
    folder = os.path.join(program.root, "early")
    os.makedirs(folder)
    for i, (name, _) in enumerate(EARLY):
        subprocess.run(["convert", "-size", "72x54", "gradient:#%02x5070-#e0e8f0" % (60 + 70 * i),
                        os.path.join(folder, name)], check=True, timeout=30)
    program.catalog("import", *[os.path.join(folder, name) for name, _ in EARLY])
    for name, title in EARLY:
        program.catalog("title", name, "--text", title)
    keyword = program.catalog("keyword", "add", KEYWORD).strip()
    program.catalog("keyword", "set", *KEYWORD_HOLDERS, "--ids", keyword)
    return folder


def catalogue_rows(program):
    """Filename -> (Title, KeywordID, FullPath) of every item row, and the number of rows."""
    connection = sqlite3.connect("file:%s?mode=ro" % os.path.join(program.run_dir, "zldb.mdb"), uri=True)
    try:
        rows = connection.execute("select Filename, Title, KeywordID, FullPath from tbl_Itemlist").fetchall()
    finally:
        connection.close()
    return {name: (title, keywords, path) for name, title, keywords, path in rows}, len(rows)


def browser_names(program):
    """Labels of every item of the browser, shown or scrolled away."""
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    return [safe(lambda: n.name) for n in find_all(browser, "list item")]


def photo_files(program):
    return sorted(os.listdir(photo_folder(program)))


def check_whole(program, sources, prints, early_folder):
    """Every file of the photo folder is a whole picture: the same bytes and time as its source."""
    for name in photo_files(program):
        source = early_folder if name in dict(EARLY) else sources
        origin = os.path.join(source, name)
        if not os.path.exists(origin):
            raise Failure("the photo folder holds %r, which is no picture of ours" % name)
        with open(os.path.join(photo_folder(program), name), "rb") as f:
            data = f.read()
        with open(origin, "rb") as f:
            if data != f.read():
                raise Failure("%s in the photo folder is not its source's bytes (%d bytes)" % (name, len(data)))
        if int(os.stat(os.path.join(photo_folder(program), name)).st_mtime) != int(os.stat(origin).st_mtime):
            raise Failure("%s in the photo folder lost its source's time" % name)
    if fingerprint(sources, prints.keys()) != prints:
        raise Failure("a source picture changed")


def check_early(program, keyword_id):
    """The earlier pictures are there with their titles and keyword."""
    rows, _ = catalogue_rows(program)
    for name, title in EARLY:
        if name not in rows:
            raise Failure("the earlier picture %s lost its catalogue row" % name)
        want = "?%s" % keyword_id if name in KEYWORD_HOLDERS else ""
        if rows[name][0] != title or rows[name][1] != want:
            raise Failure("%s carries title %r, keywords %r; want %r, %r" % (name, rows[name][0], rows[name][1], title,
                                                                            want))


def kill_during_copy(program, names):
    """Waits until part of the 200 have reached the photo folder and kills the program there."""
    photo = photo_folder(program)
    wanted = set(names)
    deadline = time.monotonic() + 30
    while True:
        copied = [n for n in safe(lambda: os.listdir(photo), []) if n in wanted]
        if len(copied) >= KILL_AFTER:
            break
        if time.monotonic() > deadline:
            raise Failure("the import copied %d pictures in 30 s" % len(copied))
        time.sleep(0.002)
    program.kill()
    copied = [n for n in os.listdir(photo) if n in wanted]
    if len(copied) >= len(names):
        raise Failure("the import had copied all %d pictures before the kill" % len(names))
    return sorted(copied)


def hand_over(program, folder, names):
    """A later start with the pictures on its command line hands them to the running program."""
    later = subprocess.run([PROGRAM] + [os.path.join(folder, n) for n in names], env=program.environment(),
                           capture_output=True, timeout=30)
    if later.returncode != 0:
        raise Failure("the start that hands over the pictures ended with code %d" % later.returncode)


def message_box(program):
    """The showing message box, as (box, text), or (None, None): only the program's top-level
    windows are searched, not the long picture list."""
    app = program.app()
    for i in range(safe(lambda: app.childCount, 0) or 0):
        window = safe(lambda: app.getChildAtIndex(i))
        if window is None or not BOXES.match(safe(lambda: window.getRoleName(), "") or ""):
            continue
        for label in find_all(window, "label", None, showing=True):
            text = safe(lambda: label.name) or ""
            if text:
                return window, text
    return None, None


def reimport_answering_no(program, folder, names, copied):
    """Imports the 200 again; each picture already in the photo folder is kept (아니요)."""
    hand_over(program, folder, names)
    asked = []
    deadline = time.monotonic() + 60
    while len(asked) < len(copied):
        box, text = message_box(program)
        if box is None:
            if time.monotonic() > deadline:
                raise Failure("only %d of %d name clashes were asked about" % (len(asked), len(copied)))
            time.sleep(0.05)
            continue
        clash = CLASH.match(text)
        if clash is None:
            raise Failure("the import asks %r" % text)
        if not asked:
            screenshot("84-reimport-asks")
        asked.append(clash.group(1))
        click(wait_for(box, BUTTONS, "아니요", timeout=5))
        wait_until(lambda: message_box(program)[1] != text or message_box(program)[0] is None,
                   "the question about %s answered" % clash.group(1), timeout=10)
    if sorted(asked) != copied:
        raise Failure("asked about %r, want the pictures copied before the kill %r" % (sorted(asked), copied))


def scenario_kill_during_import(program):
    program.window(timeout=30)
    early_folder = program.early_folder
    sources, names = make_sources(program)
    prints = fingerprint(sources, names)
    keyword_id = program.keyword_id
    early = sorted(name for name, _ in EARLY)
    wait_until(lambda: sorted(browser_names(program)) == early, "the earlier pictures in the browser", timeout=30)
    screenshot("80-before-import")

    hand_over(program, sources, names)
    copied = kill_during_copy(program, names)
    leftovers = [n for n in photo_files(program) if n not in early and n not in copied]
    screenshot("81-killed")
    print("  killed with %d of %d copied; left beside them: %r" % (len(copied), len(names), leftovers), flush=True)

    # Start again: the half-done import leaves no trace but whole pictures.
    program.restart()
    program.window(timeout=30)
    expected = sorted(early + copied)
    wait_until(lambda: sorted(browser_names(program)) == expected, "the pictures on disk listed once after restart",
               timeout=30)
    screenshot("82-restarted")
    if photo_files(program) != expected:
        raise Failure("after restart the photo folder holds %r (the kill left %r)" % (photo_files(program), leftovers))
    check_whole(program, sources, prints, early_folder)
    rows, count = catalogue_rows(program)
    if sorted(rows) != expected or count != len(expected):
        raise Failure("after restart the catalogue lists %d rows %r, want %r" % (count, sorted(rows), expected))
    check_early(program, keyword_id)
    choose_menu(program.app(), re.compile(r"^보기"), re.compile(r"^제목 표시"))
    titles = sorted(title for _, title in EARLY)
    wait_until(lambda: sorted(n for n in browser_names(program) if n) == titles,
               "the earlier pictures' titles shown", timeout=15)
    screenshot("83-titles-kept")
    choose_menu(program.app(), re.compile(r"^보기"), re.compile(r"^파일이름 표시"))

    # The same 200 again: the ones already there are kept, the others come, each once.
    reimport_answering_no(program, sources, names, copied)
    everything = sorted(early + names)
    wait_until(lambda: sorted(browser_names(program)) == everything, "all %d pictures listed once" % len(everything),
               timeout=60)
    wait_for(program.app, None, "진행 상황", gone=True, timeout=30)
    screenshot("85-imported-again")
    if photo_files(program) != everything:
        raise Failure("the photo folder holds %d files, want %d" % (len(photo_files(program)), len(everything)))
    check_whole(program, sources, prints, early_folder)
    rows, count = catalogue_rows(program)
    if sorted(rows) != everything or count != len(everything):
        raise Failure("the catalogue lists %d rows, want %d" % (count, len(everything)))
    check_early(program, keyword_id)
    thumbs = os.listdir(os.path.join(program.run_dir, "Thumb"))
    missing = [n for n in everything if not any(t.endswith("_" + n + ".thm") for t in thumbs)]
    if missing or len(thumbs) != len(everything):
        raise Failure("thumbnail caches: %d files, none for %r" % (len(thumbs), missing[:5]))

    # After a proper quit the command-line tool reads the same catalogue.
    choose_menu(program.app(), re.compile(r"^파일"), re.compile(r"^끝내기"))
    if program.wait_ended(timeout=20) != 0:
        raise Failure("Vimbro ended with an error after 끝내기")
    listed = [line.split("\t") for line in program.catalog("list").splitlines() if line]
    if sorted(fields[1] for fields in listed) != everything:
        raise Failure("vimbro-tool lists %d items, want %d" % (len(listed), len(everything)))
    for fields in listed:
        title = dict(EARLY).get(fields[1], "")
        keywords = KEYWORD if fields[1] in KEYWORD_HOLDERS else ""
        if fields[2:4] != [title, keywords]:
            raise Failure("vimbro-tool lists %s with title and keywords %r, want %r" % (fields[1], fields[2:4],
                                                                                       [title, keywords]))
    program.restart()
    program.window(timeout=30)
    wait_until(lambda: sorted(browser_names(program)) == everything, "all pictures listed once after the quit",
               timeout=30)


def progress_showing(program):
    """True while the progress window is up (only the program's top-level windows are searched)."""
    app = program.app()
    for i in range(safe(lambda: app.childCount, 0) or 0):
        window = safe(lambda: app.getChildAtIndex(i))
        if window is not None and safe(lambda: window.name) == "진행 상황" and is_showing(window):
            return True
    return False


def progress_on_top(program):
    """True when the topmost window of the screen is the progress window (xwininfo lists the
    root's children top first), so the user sees it over the main window."""
    app = program.app()
    size = None
    for i in range(safe(lambda: app.childCount, 0) or 0):
        window = safe(lambda: app.getChildAtIndex(i))
        if window is not None and safe(lambda: window.name) == "진행 상황":
            ext = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            size = "%dx%d+%d+%d" % (ext.width, ext.height, ext.x, ext.y)
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, check=True).stdout
    shown = [line for line in tree.splitlines() if '"%s"' % TITLE in line]
    return size is not None and bool(shown) and size in shown[0]


def kill_during_thumbnails(program, names):
    """Waits until every picture is copied and the progress window counts the thumbnails, and
    kills the program when part of their caches are written."""
    thumbs = os.path.join(program.run_dir, "Thumb")
    wait_until(lambda: progress_showing(program), "the progress window over the import", timeout=30)
    if not progress_on_top(program):
        raise Failure("the progress window is hidden under the main window")
    # A raw capture beside the run, turned into PNG after the kill. The kill waits for it only up
    # to half of the thumbnails: the kill in the middle matters more than the picture.
    raw = os.path.join(SHOTS, "86-progress-before-the-kill.xwd")
    shot = subprocess.Popen(["import", "-window", "root", raw], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 30
    while True:
        made = [t for t in safe(lambda: os.listdir(thumbs), []) if t.endswith(".thm")]
        if len(made) >= len(EARLY) + KILL_AFTER and shot.poll() is not None:
            break
        if len(made) >= len(EARLY) + len(names) // 2:
            break
        if time.monotonic() > deadline:
            raise Failure("%d thumbnail caches made in 30 s" % len(made))
        time.sleep(0.002)
    program.kill()
    if shot.wait(timeout=20) == 0:
        subprocess.run(["convert", raw, raw[:-4] + ".png"], check=True, timeout=30)
        os.remove(raw)
    made = [t for t in os.listdir(thumbs) if t.endswith(".thm")]
    if len(made) >= len(EARLY) + len(names):
        raise Failure("every thumbnail was made before the kill")
    if len(photo_files(program)) != len(EARLY) + len(names):
        raise Failure("the kill came before the copies were done")
    return len(made) - len(EARLY)


def scenario_kill_while_thumbnails_are_made(program):
    program.window(timeout=30)
    sources, names = make_sources(program)
    prints = fingerprint(sources, names)
    early = sorted(name for name, _ in EARLY)
    wait_until(lambda: sorted(browser_names(program)) == early, "the earlier pictures in the browser", timeout=30)

    hand_over(program, sources, names)
    made = kill_during_thumbnails(program, names)
    screenshot("87-killed-over-thumbnails")
    print("  killed with %d of %d thumbnails made" % (made, len(names)), flush=True)

    program.restart()
    program.window(timeout=30)
    everything = sorted(early + names)
    wait_until(lambda: sorted(browser_names(program)) == everything, "all %d pictures listed once" % len(everything),
               timeout=60)
    wait_for(program.app, None, "진행 상황", gone=True, timeout=30)
    screenshot("88-restarted-after-thumbnails")
    check_whole(program, sources, prints, program.early_folder)
    rows, count = catalogue_rows(program)
    if sorted(rows) != everything or count != len(everything):
        raise Failure("the catalogue lists %d rows, want %d" % (count, len(everything)))
    check_early(program, program.keyword_id)
    thumbs = os.listdir(os.path.join(program.run_dir, "Thumb"))
    missing = [n for n in everything if not any(t.endswith("_" + n + ".thm") for t in thumbs)]
    if missing or len(thumbs) != len(everything):
        raise Failure("thumbnail caches: %d files, none for %r" % (len(thumbs), missing[:5]))


def _prepare(program):
    program.early_folder = prepare_early(program)
    keywords = program.catalog("keyword", "list").split("\n")
    program.keyword_id = int([line for line in keywords if line.endswith("\t" + KEYWORD)][0].split("\t")[0])


scenario_kill_during_import.prepare = _prepare
scenario_kill_during_import.limit = 90
scenario_kill_while_thumbnails_are_made.prepare = _prepare
scenario_kill_while_thumbnails_are_made.limit = 60
