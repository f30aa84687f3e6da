"""The album browser and the album strip: pictures dragged onto an album join it; the
all-photos album takes no drop."""

import os
import re
import subprocess
import time

from vimbro_at import PROGRAM, Failure, click, drag, find_all, is_selected, screenshot, wait_for, wait_until

PICTURE = re.compile(r"^picture-\d+\.jpg$")
ALBUM = "여행"


def shown_pictures(program):
    return sorted(n.name for n in find_all(program.app(), "list item", PICTURE, showing=True))


def scenario_dragging_pictures_onto_an_album_puts_them_there(program):
    program.window(timeout=30)
    first = wait_for(program.app, "list item", "picture-1.jpg", timeout=30)
    second = wait_for(program.app, "list item", "picture-2.jpg", timeout=10)
    album = wait_for(program.app, "list item", ALBUM, timeout=10)
    all_photos = wait_for(program.app, "list item", "전체사진", timeout=10)
    wait_until(lambda: is_selected(first), "the first picture selected after loading", timeout=10)

    # Onto the all-photos album: nothing happens.
    drag(second, all_photos)
    time.sleep(0.5)
    click(album, by_mouse=True)
    wait_until(lambda: shown_pictures(program) == [], "the album still empty after a drop on all photos",
               timeout=10)
    screenshot("50-album-empty")

    # Back to all photos, then picture 2 onto the album.
    click(all_photos, by_mouse=True)
    second = wait_for(program.app, "list item", "picture-2.jpg", timeout=10)
    drag(second, album)
    time.sleep(0.5)
    screenshot("51-dropped-on-album")
    click(album, by_mouse=True)
    wait_until(lambda: shown_pictures(program) == ["picture-2.jpg"], "the album holding the dragged picture",
               timeout=10)
    screenshot("52-album-holds-the-picture")
    if not program.alive():
        raise Failure("Vimbro ended during the drag")


def prepare(program):
    program.import_pictures(3)
    tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    done = subprocess.run([tool, "catalog", "album", "add", ALBUM], env=env, capture_output=True, text=True,
                          timeout=60)
    if done.returncode != 0:
        raise Failure("vimbro-tool catalog album add failed: %s" % done.stderr.strip())
    return program


scenario_dragging_pictures_onto_an_album_puts_them_there.prepare = prepare
