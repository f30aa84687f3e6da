"""The album browser: the pictures of the catalogue are the items of the thumbnail list, and a
click selects one."""

import re

from vimbro_at import Failure, click, find_all, is_selected, screenshot, wait_for, wait_until

PICTURE = re.compile(r"^picture-\d+\.jpg$")


def scenario_browser_lists_the_pictures_and_a_click_selects(program):
    program.window(timeout=30)
    first = wait_for(program.app, "list item", "picture-1.jpg", timeout=30)
    second = wait_for(program.app, "list item", "picture-2.jpg", timeout=10)
    items = find_all(program.app(), "list item", PICTURE)
    if len(items) != 3:
        raise Failure("the browser lists %d pictures, not 3" % len(items))
    # The first picture is current once the loading is done.
    wait_until(lambda: is_selected(first), "the first picture selected after loading", timeout=10)
    screenshot("20-browser-loaded")
    click(second, by_mouse=True)
    wait_until(lambda: is_selected(second) and not is_selected(first), "only the clicked picture selected",
               timeout=10)
    screenshot("21-browser-clicked")


scenario_browser_lists_the_pictures_and_a_click_selects.prepare = lambda program: program.import_pictures(3)
