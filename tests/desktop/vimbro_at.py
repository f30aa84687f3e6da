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
