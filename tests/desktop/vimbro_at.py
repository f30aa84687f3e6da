"""Drives the real Vimbro program through the accessibility bus (AT-SPI).

The harness (scripts/desktop-test) runs inside Xvfb and a session bus with the accessibility
bus already launched. Each scenario starts the program on fresh folders, finds controls by role
and accessible name, waits for them instead of sleeping, and saves a screenshot of each step.
"""

import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import time

import pyatspi

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SHOTS = os.environ.get("VIMBRO_DESKTOP_OUT", os.path.join(ROOT, "build", "desktop"))
PROGRAM = os.environ.get("VIMBRO_PROGRAM", os.path.join(ROOT, "build", "bin", "Vimbro"))
APP_NAME = "Vimbro"
TITLE = "ZEL VimbroSuite"
DEFAULT_TIMEOUT = 20.0


class Failure(Exception):
    """A scenario step did not find what it expected."""


class Skip(Exception):
    """A scenario cannot run here; the reason is printed."""


def closed_port():
    """A local port nobody listens on: the update check is refused at once."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def matches(text, pattern):
    if pattern is None:
        return True
    if isinstance(pattern, re.Pattern):
        return text is not None and pattern.search(text) is not None
    return text == pattern


def safe(call, default=None):
    """AT-SPI objects vanish while windows close; a vanished object reads as nothing."""
    try:
        return call()
    except Exception:  # noqa: BLE001 - any D-Bus error means the object is gone
        return default


def walk(node, depth=0, limit=40):
    """Every accessible below node, breadth first, skipping what has vanished."""
    queue = [(node, 0)]
    while queue:
        current, level = queue.pop(0)
        yield current
        if level >= limit:
            continue
        count = safe(lambda: current.childCount, 0) or 0
        for i in range(count):
            child = safe(lambda: current.getChildAtIndex(i))
            if child is not None:
                queue.append((child, level + 1))


def walk_depth(node, depth=0):
    """Every accessible below node with its depth, depth first."""
    yield node, depth
    for i in range(safe(lambda: node.childCount, 0) or 0):
        child = safe(lambda: node.getChildAtIndex(i))
        if child is not None:
            yield from walk_depth(child, depth + 1)


def describe(node):
    states = safe(lambda: node.getState().getStates(), []) or []
    flags = " ".join(pyatspi.stateToString(s) for s in states
                     if s in (pyatspi.STATE_ENABLED, pyatspi.STATE_SHOWING, pyatspi.STATE_CHECKED,
                              pyatspi.STATE_SELECTED))
    return "%s %r [%s]" % (safe(lambda: node.getRoleName(), "?"), safe(lambda: node.name, "?"), flags)


def find_all(root, role=None, name=None, showing=None):
    found = []
    for node in walk(root):
        if role is not None and not matches(safe(lambda: node.getRoleName()), role):
            continue
        if not matches(safe(lambda: node.name), name):
            continue
        if showing is not None and is_showing(node) != showing:
            continue
        found.append(node)
    return found


def is_showing(node):
    states = safe(lambda: node.getState())
    return bool(states) and states.contains(pyatspi.STATE_SHOWING)


def is_enabled(node):
    states = safe(lambda: node.getState())
    return bool(states) and states.contains(pyatspi.STATE_ENABLED)


def role_name(pattern):
    return pattern.pattern if isinstance(pattern, re.Pattern) else pattern


def wait_for(root_getter, role=None, name=None, timeout=DEFAULT_TIMEOUT, showing=True, gone=False):
    """The first control of role and name (text or compiled pattern) below the root, or, with
    gone, waits until there is none. root_getter is called on every try, since windows come
    and go."""
    deadline = time.monotonic() + timeout
    while True:
        root = root_getter() if callable(root_getter) else root_getter
        hits = find_all(root, role, name, showing) if root is not None else []
        if gone and not hits:
            return None
        if not gone and hits:
            return hits[0]
        if time.monotonic() > deadline:
            what = "%s %r" % (role_name(role) or "control", role_name(name))
            raise Failure(("%s still there" if gone else "no %s") % what + " after %.0f s" % timeout)
        time.sleep(0.1)


def click(node, by_mouse=False):
    """Presses a control through its action; controls without one, and controls whose press
    opens a modal window (the action call would wait for the window to close), are clicked at
    their extents."""
    if by_mouse:
        click_at(node)
        return
    action = safe(lambda: node.queryAction())
    if action is not None and action.nActions > 0:
        names = [action.getName(i) for i in range(action.nActions)]
        for wanted in ("Press", "press", "click", "Toggle", "toggle", "activate"):
            if wanted in names:
                action.doAction(names.index(wanted))
                return
    click_at(node)


def click_at(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = ext.x + ext.width // 2, ext.y + ext.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def press_key(key):
    subprocess.run(["xdotool", "key", key], check=True)


def type_text(node, text):
    node.queryEditableText().setTextContents(text)


def type_keys(text):
    """Types text with the keyboard into the focused control (plain ASCII only)."""
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def centre(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x + ext.width // 2, ext.y + ext.height // 2


def drag(source, target, steps=12):
    """Drags with the left mouse button from the centre of source to the centre of target,
    in small moves, as a hand does (a drag starts only after the mouse has moved a little)."""
    x0, y0 = centre(source)
    x1, y1 = centre(target)
    subprocess.run(["xdotool", "mousemove", str(x0), str(y0)], check=True)
    time.sleep(0.2)
    subprocess.run(["xdotool", "mousedown", "1"], check=True)
    time.sleep(0.2)
    for i in range(1, steps + 1):
        x = x0 + (x1 - x0) * i // steps
        y = y0 + (y1 - y0) * i // steps
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
        time.sleep(0.08)
    # A last small move over the target lets the drop target take its place under the cursor.
    subprocess.run(["xdotool", "mousemove", str(x1 + 1), str(y1)], check=True)
    time.sleep(0.3)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def choose_menu(app, menu_pattern, item_pattern, timeout=10):
    """Opens the menu bar's menu named menu_pattern and clicks its item item_pattern; a
    disabled item is a failure."""
    bar = wait_for(app, "menu bar", None, timeout=timeout)
    menu = None
    for node in find_all(bar, "menu item", menu_pattern, showing=True):
        if safe(lambda: node.parent.getRoleName()) == "menu bar":
            menu = node
            break
    if menu is None:
        raise Failure("no menu %r in the menu bar" % role_name(menu_pattern))
    click(menu, by_mouse=True)
    item = wait_for(app, "menu item", item_pattern, timeout=timeout)
    if not is_enabled(item):
        press_key("Escape")
        raise Failure("menu item %r is disabled" % role_name(item_pattern))
    click(item, by_mouse=True)


def file_dialog_open(dialog, folder, names, timeout=DEFAULT_TIMEOUT):
    """Chooses files in the open-file dialog by typing into its file name field: first the
    folder (Enter goes there), then the names, quoted, as a user picks several."""
    field = None
    deadline = time.monotonic() + timeout
    while field is None:
        fields = [n for n in find_all(dialog, "text", None, showing=True) if is_editable(n)]
        named = [n for n in fields if matches(" ".join(labelled_by(n) + [safe(lambda: n.name) or ""]),
                                              re.compile(r"(?i)file ?name|파일 ?이름"))]
        field = (named or fields or [None])[0]
        if field is None:
            if time.monotonic() > deadline:
                raise Failure("the file dialog has no file name field")
            time.sleep(0.1)
    click_at(field)
    press_key("ctrl+a")
    type_keys(folder.rstrip("/") + "/")
    press_key("Return")
    wait_until(lambda: read_text(field) == "", "the file dialog went into %s" % folder, timeout=timeout)
    click_at(field)
    type_keys(" ".join('"%s"' % n for n in names))
    press_key("Return")


def is_editable(node):
    states = safe(lambda: node.getState())
    return bool(states) and states.contains(pyatspi.STATE_EDITABLE)


def read_text(node):
    text = safe(lambda: node.queryText())
    if text is not None:
        return text.getText(0, -1)
    return node.name


def screen_size():
    out = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True, check=True).stdout
    width, height = out.split()
    return int(width), int(height)


def screenshot(step):
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, step + ".png")
    subprocess.run(["import", "-window", "root", path], check=True, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def wait_for_accessibility_bus(timeout=10.0):
    """A program started before the accessibility bus is up stays invisible to it."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        probe = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            capture_output=True, text=True)
        if "boolean true" in probe.stdout:
            return
        time.sleep(0.1)
    raise Failure("the accessibility bus did not come up")


class Program:
    """One run of Vimbro on fresh folders (program folder, home, settings, runtime); restart()
    runs it again on the same folders."""

    def __init__(self, name):
        self.name = name
        self.root = tempfile.mkdtemp(prefix="vimbro-desktop-")
        self.run_dir = os.path.join(self.root, "run")
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.home, ".config")
        self.runtime = os.path.join(self.root, "xdg-runtime")
        for folder in (self.run_dir, self.config, self.runtime):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        self.process = None
        self.arguments = []  # given to the program after its name (files to open)
        self.log_path = os.path.join(SHOTS, name + ".log")

    def environment(self):
        env = dict(os.environ)
        env.update({
            "VIMBRO_HOME": self.run_dir,
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_RUNTIME_DIR": self.runtime,
            "VIMBRO_UPDATE_HOST": "127.0.0.1:%d" % closed_port(),
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": "xcb",
            "QT_ACCESSIBILITY": "1",
            "LC_ALL": "C.UTF-8",
        })
        env.pop("http_proxy", None)
        env.pop("HTTP_PROXY", None)
        return env

    def import_pictures(self, count=1):
        """Pictures made for the run, put into the catalogue by vimbro-tool before the start."""
        tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
        folder = os.path.join(self.root, "pictures")
        os.makedirs(folder, exist_ok=True)
        paths = []
        for i in range(count):
            path = os.path.join(folder, "picture-%d.jpg" % (i + 1))
            subprocess.run(["convert", "-size", "64x48", "gradient:#%02x4060-#f0f0f0" % ((40 + 60 * i) % 256), path],
                           check=True, timeout=30)
            paths.append(path)
        env = self.environment()
        env["QT_QPA_PLATFORM"] = "offscreen"
        done = subprocess.run([tool, "catalog", "import"] + paths, env=env, capture_output=True, text=True, timeout=60)
        if done.returncode != 0:
            raise Failure("vimbro-tool catalog import failed: %s" % done.stderr.strip())
        return self

    def start(self):
        if not os.access(PROGRAM, os.X_OK):
            raise Failure("%s is missing: build Vimbro first" % PROGRAM)
        # The catalogue lives in the program folder; the model data files come with the build.
        data = os.path.join(os.path.dirname(PROGRAM), "data")
        if os.path.isdir(data) and not os.path.isdir(os.path.join(self.run_dir, "data")):
            shutil.copytree(data, os.path.join(self.run_dir, "data"))
        os.makedirs(SHOTS, exist_ok=True)
        log = open(self.log_path, "a")
        self.process = subprocess.Popen([PROGRAM] + self.arguments, env=self.environment(), stdout=log,
                                        stderr=subprocess.STDOUT, cwd=self.root)
        return self

    def app(self):
        """The program's accessible application, or None while it is not registered."""
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(safe(lambda: desktop.childCount, 0) or 0):
            app = safe(lambda: desktop.getChildAtIndex(i))
            if app is None:
                continue
            if safe(lambda: app.name) == APP_NAME and safe(lambda: app.get_process_id()) == self.process.pid:
                return app
        return None

    def window(self, timeout=DEFAULT_TIMEOUT):
        """The main window 'ZEL VimbroSuite'; the start-up update check comes first."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise Failure("Vimbro ended at start with code %d (see %s)" % (self.process.returncode, self.log_path))
            app = self.app()
            if app is not None:
                frames = find_all(app, "frame", TITLE, showing=True)
                if frames:
                    return frames[0]
                # A message box before the window would wait for an answer nobody gives.
                for box in find_all(app, re.compile(r"^(dialog|alert)$"), None, showing=True):
                    texts = [safe(lambda: n.name) for n in find_all(box, "label")]
                    raise Failure("start-up stops at a message: %s" % " / ".join(t for t in texts if t))
            time.sleep(0.1)
        raise Failure("no window %r after %.0f s" % (TITLE, timeout))

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def catalog(self, *arguments):
        """Runs vimbro-tool's catalogue command on this run's folders; its standard output."""
        tool = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
        env = self.environment()
        env["QT_QPA_PLATFORM"] = "offscreen"
        done = subprocess.run([tool, "catalog", "--yes"] + list(arguments), env=env, capture_output=True, text=True,
                              timeout=60)
        if done.returncode != 0:
            raise Failure("vimbro-tool catalog %s failed: %s" % (" ".join(arguments), done.stderr.strip()))
        return done.stdout

    def place_window(self, x, y, width, height):
        """Moves and sizes the main window as a window manager would (there is none here)."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid), "--name",
                                "^%s$" % TITLE], capture_output=True, text=True)
        ids = found.stdout.split()
        if not ids:
            raise Failure("no X window %r of the program" % TITLE)
        subprocess.run(["xdotool", "windowmove", ids[0], str(x), str(y)], check=True)
        subprocess.run(["xdotool", "windowsize", ids[0], str(width), str(height)], check=True)
        return ids[0]

    def wait_ended(self, timeout=DEFAULT_TIMEOUT):
        """Waits until the program has ended by itself; returns its exit code."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("Vimbro still runs %.0f s after it was told to quit" % timeout) from None

    def restart(self):
        """Starts the program again on the same folders, after it has ended."""
        if self.alive():
            raise Failure("restart while the program still runs")
        return self.start()

    def kill(self):
        """Ends the program at once with SIGKILL, as a crash or a power cut would, and reaps it
        (a process not yet reaped still counts as running to those who ask after it)."""
        if not self.alive():
            raise Failure("kill while the program does not run")
        self.process.send_signal(signal.SIGKILL)
        return self.process.wait(timeout=10)

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout=5)
        shutil.rmtree(self.root, ignore_errors=True)


def wait_until(predicate, what, timeout=DEFAULT_TIMEOUT):
    """Waits until predicate() is true."""
    deadline = time.monotonic() + timeout
    while not safe(predicate, False):
        if time.monotonic() > deadline:
            raise Failure("%s: not so after %.0f s" % (what, timeout))
        time.sleep(0.1)


def is_selected(node):
    states = safe(lambda: node.getState())
    return bool(states) and states.contains(pyatspi.STATE_SELECTED)


def is_checked(node):
    states = safe(lambda: node.getState())
    return bool(states) and states.contains(pyatspi.STATE_CHECKED)


def labelled_by(node):
    """Names of the labels that label node (a combo box is named by its current text, so its
    label tells what it is)."""
    names = []
    for relation in safe(lambda: node.getRelationSet(), []) or []:
        if safe(lambda: relation.getRelationType()) != pyatspi.RELATION_LABELLED_BY:
            continue
        for i in range(safe(lambda: relation.getNTargets(), 0) or 0):
            target = safe(lambda: relation.getTarget(i))
            if target is not None:
                names.append(safe(lambda: target.name))
    return names


def wait_for_labelled(root_getter, role, label, timeout=DEFAULT_TIMEOUT):
    """The control of role that the label named label labels."""
    deadline = time.monotonic() + timeout
    while True:
        root = root_getter() if callable(root_getter) else root_getter
        for node in find_all(root, role, None, True) if root is not None else []:
            if label in labelled_by(node) or safe(lambda: node.name) == label:
                return node
        if time.monotonic() > deadline:
            raise Failure("no %s labelled %r after %.0f s" % (role, label, timeout))
        time.sleep(0.1)


def wait_any(root_getter, choices, timeout=DEFAULT_TIMEOUT):
    """Waits until one of several (key, role, name) appears; returns (key, node)."""
    deadline = time.monotonic() + timeout
    while True:
        root = root_getter() if callable(root_getter) else root_getter
        if root is not None:
            for key, role, name in choices:
                hits = find_all(root, role, name, True)
                if hits:
                    return key, hits[0]
        if time.monotonic() > deadline:
            raise Failure("none of %s after %.0f s" % ([c[2] for c in choices], timeout))
        time.sleep(0.1)


# ---- Steps shared by the longer roads (album composition, editor, decoration) ----

BUTTONS = re.compile(r"^(push button|toggle button|check box)$")


def open_dialog(program, menu, item, title):
    """Chooses menu -> item and waits for the dialog titled title."""
    choose_menu(program.app(), re.compile("^" + menu), re.compile("^" + item))
    return wait_for(program.app, "dialog", title, timeout=10)


def close_dialog(program, dialog, title, button="취소"):
    """Presses the dialog's button (취소 unless told) and waits until the dialog is gone."""
    click(wait_for(dialog, BUTTONS, button, timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", title, gone=True, timeout=10)


def photo_folder(program):
    return os.path.join(program.home, "Documents", "ZEL", "Photo")


def image_folder(program):
    return os.path.join(program.home, "Documents", "ZEL", "Image")


def tool(program, *arguments):
    """Runs vimbro-tool on this run's folders; its standard output."""
    path = os.path.join(os.path.dirname(PROGRAM), "vimbro-tool")
    env = program.environment()
    env["QT_QPA_PLATFORM"] = "offscreen"
    done = subprocess.run([path] + list(arguments), env=env, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise Failure("vimbro-tool %s failed: %s" % (" ".join(arguments), done.stderr.strip()))
    return done.stdout


def eba_info(program, path):
    return tool(program, "eba", "info", path)


def extents(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x, ext.y, ext.width, ext.height


def double_click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1"],
                   check=True)
    time.sleep(0.5)


def double_click(node):
    x, y = centre(node)
    double_click_at(x, y)


def canvas_drag(canvas, start, end):
    """A left-button drag inside the canvas, points relative to its top-left corner."""
    x, y, _, _ = extents(canvas)
    sx, sy = x + start[0], y + start[1]
    ex, ey = x + end[0], y + end[1]
    subprocess.run(["xdotool", "mousemove", str(sx), str(sy), "mousedown", "1",
                    "mousemove", str((sx + ex) // 2), str((sy + ey) // 2),
                    "mousemove", str(ex), str(ey), "mouseup", "1"], check=True)


def canvas_click(canvas, point):
    x, y, _, _ = extents(canvas)
    subprocess.run(["xdotool", "mousemove", str(x + point[0]), str(y + point[1]), "click", "1"], check=True)


def canvas_double_click(canvas, point):
    x, y, _, _ = extents(canvas)
    subprocess.run(["xdotool", "mousemove", str(x + point[0]), str(y + point[1]),
                    "click", "--repeat", "2", "--delay", "80", "1"], check=True)


def answer_message(program, text, button="확인", timeout=20):
    """Waits for the message box that shows text (or a pattern) and presses its button."""
    label = wait_for(program.app, "label", text, timeout=timeout)
    box = label
    while box is not None and safe(lambda: box.getRoleName()) not in ("dialog", "alert"):
        box = safe(lambda: box.parent)
    click(wait_for(box or program.app, BUTTONS, button, timeout=5), by_mouse=True)
    wait_for(program.app, "label", text, gone=True, timeout=10)


def choose_in_combo(program, combo, text, timeout=10):
    """Opens a combo box's list with the mouse and picks the entry text; Qt names a combo by
    its current text, so the combo then reads text."""
    click_at(combo)
    entry = wait_for(program.app, "list item", text, timeout=timeout)
    click(entry, by_mouse=True)
    wait_until(lambda: matches(combo.name, text), "the combo box showing %r" % role_name(text), timeout=timeout)


def browser_items(program):
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=10)
    return find_all(browser, "list item", None, showing=True)


def browser_item(program, name, timeout=10):
    browser = wait_for(program.app, "list", "썸네일 목록", timeout=timeout)
    return wait_for(browser, "list item", name, timeout=timeout)


def names_shown(program):
    return sorted(item.name for item in browser_items(program))


def strip_item(program, name, timeout=10):
    strip = wait_for(program.app, "list", "앨범", timeout=timeout)
    return wait_for(strip, "list item", name, timeout=timeout)


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


def import_files(program, folder, names, shots=("50-import-dialog", "51-imported"), all_files=False):
    """Imports names from folder through the import button and the open-file dialog and waits
    until the browser shows exactly them. The dialog's first filter offers BMP, JPEG and GIF;
    all_files switches it to every file first, as a user does for other kinds."""
    click(wait_for(program.app, BUTTONS, "가져오기", timeout=10), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "파일 가져오기", timeout=15)
    if all_files:
        kinds = wait_for(dialog, "combo box", re.compile(r"^Image Files"), timeout=5)
        choose_in_combo(program, kinds, re.compile(r"^All Files"))
    screenshot(shots[0])
    file_dialog_open(dialog, folder, names)
    wait_for(program.app, "dialog", "파일 가져오기", gone=True, timeout=15)
    wait_until(lambda: names_shown(program) == sorted(names), "the %d pictures in the browser" % len(names),
               timeout=30)
    screenshot(shots[1])


def add_album(program, name, shots=("52-add-album", "53-album-added")):
    click(wait_for(program.app, BUTTONS, "앨범추가", timeout=10), by_mouse=True)
    dialog = wait_for(program.app, "dialog", "앨범등록", timeout=10)
    type_text(wait_for(dialog, "text", None, timeout=5), name)
    screenshot(shots[0])
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "앨범등록", gone=True, timeout=10)
    strip_item(program, name)
    screenshot(shots[1])


def give_keyword(program, keyword, count, shots=("56-new-keyword", "57-keyword-dialog")):
    """Gives every picture on show a new keyword through the keyword dialog; count is the
    number of pictures, none of which carries a keyword yet."""
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^키워드"))
    dialog = wait_for(program.app, "dialog", "키워드", timeout=10)
    carrying = safe(lambda: wait_for(dialog, None, "사진 수", timeout=5).description)
    if carrying != "0 / %d" % count:
        raise Failure("the keyword dialog opens counting %r" % carrying)
    click(wait_for(dialog, BUTTONS, "새 키워드", timeout=5), by_mouse=True)
    new = wait_for(program.app, "dialog", "새 키워드", timeout=10)
    type_text(wait_for(new, "text", None, timeout=5), keyword)
    screenshot(shots[0])
    click(wait_for(new, BUTTONS, "확인", timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "새 키워드", gone=True, timeout=10)
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), keyword, timeout=10)
    click(row, by_mouse=True)
    wait_until(lambda: is_selected(row), "keyword row selected", timeout=5)
    screenshot(shots[1])
    click(wait_for(dialog, BUTTONS, "적용", timeout=5), by_mouse=True)
    answer_message(program, "%d 개의 아이템이 설정되었습니다." % count)
    click(wait_for(dialog, BUTTONS, re.compile(r"^(닫기|확인|취소)$"), timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)


def keyword_dialog_state(program, keyword):
    """Opens the keyword dialog on the pictures on show and reads whether keyword is chosen
    and how many pictures carry one ("n / m"); closes it again."""
    select_all(program)
    choose_menu(program.app(), re.compile(r"^사진"), re.compile(r"^키워드"))
    dialog = wait_for(program.app, "dialog", "키워드", timeout=10)
    keywords = wait_for(dialog, None, "키워드 목록", timeout=5)
    row = wait_for(keywords, re.compile(r"^(list item|table cell)$"), keyword, timeout=10)
    chosen = is_selected(row)
    count = safe(lambda: wait_for(dialog, None, "사진 수", timeout=5).description)
    return dialog, chosen, count


def close_keyword_dialog(program, dialog):
    click(wait_for(dialog, BUTTONS, re.compile(r"^(닫기|확인|취소)$"), timeout=5), by_mouse=True)
    wait_for(program.app, "dialog", "키워드", gone=True, timeout=10)


def export_to(program, folder, count, shot="60-export"):
    """Exports every picture on show into folder through the export dialog."""
    select_all(program)
    choose_menu(program.app(), re.compile(r"^파일"), re.compile(r"^내보내기"))
    dialog = wait_for(program.app, "dialog", "내보내기", timeout=10)
    type_text(wait_for(dialog, "text", "내보낼 폴더", timeout=5), folder)
    screenshot(shot)
    click(wait_for(dialog, BUTTONS, "확인", timeout=5), by_mouse=True)
    answer_message(program, "총 %d개의 파일을 내보냈습니다" % count)
    wait_for(program.app, "dialog", "내보내기", gone=True, timeout=10)


def quit_through_menu(program):
    choose_menu(program.app(), re.compile(r"^파일"), re.compile(r"^끝내기"))
    code = program.wait_ended(timeout=20)
    if code != 0:
        raise Failure("Vimbro ended with code %d after 끝내기" % code)


def catalogue_rows(program, columns="Filename, AlbumID, KeywordID"):
    """The albums, keywords and item rows of the catalogue file, read as the program stores them."""
    import sqlite3
    path = os.path.join(program.run_dir, "zldb.mdb")
    connection = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    try:
        albums = dict(connection.execute("select AlbumID, AlbumName from tbl_Album").fetchall())
        keywords = dict(connection.execute("select KeywordID, KeywordName from tbl_Keyword").fetchall())
        rows = connection.execute("select %s from tbl_Itemlist" % columns).fetchall()
    finally:
        connection.close()
    return albums, keywords, rows


def ids(text):
    """The identifiers of an id list ("?3?17") as a sorted list."""
    return sorted(int(piece) for piece in (text or "").split("?") if piece.strip())


# ---- The decoration mode ----

def enter_decoration(program):
    click(wait_for(program.app, BUTTONS, "ZEL 꾸미기", timeout=10), by_mouse=True)
    wait_for(program.app, "list", "슬라이드 목록", timeout=20)


def decoration_canvas(program):
    canvases = find_all(program.app(), None, "편집 화면", showing=True)
    if not canvases:
        raise Failure("no decoration canvas on screen")
    return canvases[0]


def crop_slides(program, plan, shot_switch="64-decoration-second-picture"):
    """Fills empty slide boxes by double-clicks on the canvas, whose LCD window sits in the
    middle: plan is a list of (box number, picture to choose first in the picture list or
    None)."""
    x, y, w, h = extents(decoration_canvas(program))
    for number, picture in plan:
        if picture is not None:
            pictures = wait_for(program.app, "list", "사진 목록")
            click(wait_for(lambda: pictures, "list item", picture), by_mouse=True)
            time.sleep(1)
            screenshot(shot_switch)
        box = wait_for(program.app, "list item", "슬라이드 %d (비어 있음)" % number, timeout=10)
        click(box)
        wait_until(lambda: is_selected(box), "box %d selected" % number, timeout=5)
        double_click_at(x + w // 2, y + h // 2)
        wait_for(program.app, "list item", "슬라이드 %d (0.1초)" % number, timeout=10)


def choose_frame(program, name):
    click(wait_for(program.app, "list item", name), by_mouse=True)
    wait_until(lambda: is_selected(wait_for(program.app, "list item", name)), "%s chosen" % name, timeout=5)


def set_delay(program, number, steps, delay, shot):
    """Sets a slide's delay from the delay menu under its picture: steps down the menu of
    0.1, 0.2, 0.3, 0.5, 0.8, 1.0, 1.5, 2.0, 2.5 and 3.0 seconds."""
    bx, by, _, _ = extents(wait_for(program.app, "list item", re.compile(r"^슬라이드 %d \(" % number)))
    subprocess.run(["xdotool", "mousemove", str(bx + 67), str(by + 77), "click", "1"], check=True)
    time.sleep(1)
    screenshot(shot)
    for _ in range(steps):
        press_key("Down")
    press_key("Return")
    wait_for(program.app, "list item", "슬라이드 %d (%s)" % (number, delay), timeout=10)


def play_and_stop(program, first_label, shots=("67-decoration-playing", "67-decoration-stopped")):
    """Plays from the first slide; the stop button shows while playing and stopping brings
    the play button back."""
    first = wait_for(program.app, "list item", first_label)
    click(first, by_mouse=True)
    wait_until(lambda: is_selected(first), "the first slide selected", timeout=5)
    click(wait_for(program.app, BUTTONS, "플레이"), by_mouse=True)
    time.sleep(0.3)
    screenshot(shots[0])
    click(wait_for(program.app, BUTTONS, "정지", timeout=10), by_mouse=True)
    wait_for(program.app, BUTTONS, "플레이", timeout=10)
    screenshot(shots[1])


def answer_phone_name(program, title, name, saved, shots):
    """Types name into the phone-file name dialog titled title, presses 확인, and answers the
    message that ends in saved; screenshots of the dialog and of the message."""
    dialog = wait_for(program.app, "dialog", title, timeout=10)
    type_text(wait_for(lambda: dialog, "text", "파일이름"), name)
    screenshot(shots[0])
    click(wait_for(lambda: dialog, BUTTONS, "확인"), by_mouse=True)
    wait_for(program.app, "label", re.compile(saved + "$"), timeout=10)
    screenshot(shots[1])
    press_key("Return")


def save_eba(program, name, shots=("68-decoration-road-eba-dialog", "69-decoration-road-eba-saved")):
    """Saves the slides as an animation through the name dialog; the written file's path."""
    click(wait_for(program.app, BUTTONS, "저장"), by_mouse=True)
    answer_phone_name(program, "애니메이션 저장", name, "EBA파일저장 완료했습니다", shots)
    path = os.path.join(image_folder(program), name + ".eba")
    if not os.path.isfile(path):
        raise Failure("%s was not written" % path)
    return path


def save_slide_pht(program, label, name,
                   shots=("70-decoration-slide-menu", "71-decoration-pht-dialog", "72-decoration-pht-saved")):
    """Saves the slide box labelled label as PHT through its context menu and the PHT dialog;
    the written file's path."""
    bx, by, bw, _ = extents(wait_for(program.app, "list item", label))
    subprocess.run(["xdotool", "mousemove", str(bx + bw // 2), str(by + 40), "click", "3"], check=True)
    time.sleep(1)
    screenshot(shots[0])
    press_key("t")
    answer_phone_name(program, "PHT 저장", name, "PHT파일저장 완료했습니다", shots[1:])
    return os.path.join(photo_folder(program), name + ".pht")
