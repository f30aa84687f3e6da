"""The picture lists beside the canvases: the filter previews in the editor, the frames and
the album's pictures in the decoration view."""

from vimbro_at import Failure, Skip, click, find_all, is_selected, screenshot, wait_any, wait_for, wait_until

from scenario_2_frame import button, top_bar


def items(list_node):
    return find_all(list_node, "list item", None, None)


def enter_editor(program):
    top_bar(program)
    wait_for(program.app, "slider", "썸네일 크기")
    click(button(program, "사진편집"), by_mouse=True)
    key, _ = wait_any(program.app, [
        ("editor", "push button", "이전 그림"),
        ("refused", "label", "사진편집 실행할수 없습니다"),
    ])
    if key == "refused":
        click(button(program, "확인"))
        raise Skip("the album browser has no current picture to edit")


def scenario_editor_shows_the_nine_filter_previews(program):
    enter_editor(program)
    filters = wait_for(program.app, "list", "필터 목록")
    wait_until(lambda: len(items(filters)) == 9, "nine filter items")
    names = [item.name for item in items(filters)]
    if names != ["세피아", "그린", "블루", "그레이", "Thresold", "모자이크", "뽀샤시", "선명하게", "흩뿌리기"]:
        raise Failure("filter items read %r" % names)
    wait_for(program.app, "label", "필  터")
    screenshot("50-editor-filter-panel")


scenario_editor_shows_the_nine_filter_previews.prepare = lambda program: program.import_pictures(2)


def scenario_decoration_shows_frames_and_the_album(program):
    enter_editor(program)
    click(button(program, "ZEL 꾸미기"), by_mouse=True)
    frames = wait_for(program.app, "list", "액자 목록")
    wait_until(lambda: len(items(frames)) >= 2, "the empty frame and the model's frames")
    first = items(frames)[0]
    if not is_selected(first):
        raise Failure("the empty frame is not the chosen one at start")
    pictures = wait_for(program.app, "list", "사진 목록")
    wait_until(lambda: len(items(pictures)) == 2, "the album's two pictures")
    wait_for(program.app, "label", "전체사진(2장)")
    screenshot("51-decoration-frame-and-album")
    second = items(frames)[1]
    click(second, by_mouse=True)
    wait_until(lambda: is_selected(items(frames)[1]) and not is_selected(items(frames)[0]),
               "the clicked frame chosen alone")
    screenshot("52-decoration-frame-chosen")


scenario_decoration_shows_frames_and_the_album.prepare = lambda program: program.import_pictures(2)
