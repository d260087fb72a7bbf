#!/usr/bin/python3
"""The real window under an X server with a window manager, used as a new user would,
from the first start to a migrated Northwind.

Xvfb and openbox give it a screen; xdotool clicks, types and drags; xclip reads what
the window copies; ImageMagick's import takes the screenshots (kept in the output
folder, one per step). The program runs from a program folder of its own with a fresh
home: it opens the driver check, Open Config leads to the configuration dialog, where
the source (a copy of the corpus's Northwind.mdb) is typed in and a new workbook named in
the target's file chooser; Connect creates the workbook and fills both trees. Delete on the
target database, its two questions answered with Enter, keeps the workbook byte for byte.
The source database is dragged onto the target database and the question answered. The
task row is read through the clipboard (its State cell, copied with Ctrl+C) until it ends,
the Log likewise, and the session's Log file holds the same lines; the workbook is read
with xlrd and two tables are compared with what mdb-export prints. Closing the window ends
the program, which remembers its layout.

Everything is waited for by looking (windows by name, the files the program writes,
the clipboard), each wait under a generous time limit that only ends a hung run.

    walkthrough_test.py SOURCE_DIR BUILD_DIR OUTPUT_DIR
Exit status 0 passed, 1 failed, 77 skipped (tools or corpus missing).
"""
import csv
import importlib.util
import io
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
TOOLS = ("Xvfb", "openbox", "xdotool", "xclip", "import", "mdb-export")
# How long any one step may take before the run counts as hung (a loaded machine is slow).
STEP_LIMIT = 90
COMMAND_LIMIT = 30

MAIN_WINDOW = "Tabvex Version"  # the product line is the main window's title
QUESTION_BOX = "^Tabvex$"  # every message box has the program's name as caption
FILE_CHOOSER = "^Open the database file$"
# The Fusion style's selection colours: a selected tree node's row, in a tree that has
# the keyboard focus and in one that has lost it to another widget of the window.
SELECTION = bytes((48, 140, 198))
INACTIVE_SELECTION = bytes((149, 196, 227))
WHITE = bytes((255, 255, 255))
# The configuration dialog's enabled option boxes above "Properties from and to config file".
OPTIONS_BEFORE_CONFIG_FILE = ("Overwrite the same-name table", "Auto Backup", "Continue long tables on new sheets",
                              "Verify after writing", "Save long binary values as files")
STATES = ("Waiting", "Working", "SUCCESS", "FAILURE")
FINAL_STATES = ("SUCCESS", "FAILURE")
# The task list's columns: NO., Progress, Type, State, ...
STATE_COLUMN = 3
COMPARED_TABLES = ("Customers", "Shippers")


class Failure(Exception):
    pass


def run(*command):
    """Runs a command to its end and gives what it printed, line ends as they were."""
    result = subprocess.run(command, capture_output=True, timeout=COMMAND_LIMIT)
    if result.returncode != 0:
        raise Failure("%s ended with %d: %s" % (" ".join(command), result.returncode, result.stderr.decode().strip()))
    return result.stdout.decode("utf-8", "replace")


def wait_for(what, look, limit=STEP_LIMIT, pause=0.1):
    """Looks until `look` gives something true, and gives it; a hung run fails."""
    deadline = time.monotonic() + limit
    while True:
        found = look()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure("no %s within %d s" % (what, limit))
        time.sleep(pause)


class Frame:
    """One screenshot as 8-bit RGB pixels, for finding things by their colour."""

    def __init__(self, ppm):
        magic, size, depth, self.pixels = ppm.split(b"\n", 3)
        if magic != b"P6" or depth != b"255":
            raise Failure("unexpected screenshot format")
        self.width, self.height = map(int, size.split())

    def colour(self, x, y):
        at = (y * self.width + x) * 3
        return self.pixels[at:at + 3]

    def rows_with(self, colour, x_range, y_range, share=0.5):
        """The rows in which at least `share` of the pixels in x_range have the colour."""
        xs = range(x_range[0], x_range[1], 2)
        needed = share * len(xs)
        return [y for y in range(*y_range) if sum(self.colour(x, y) == colour for x in xs) >= needed]

    def runs_down(self, x, y_from, colour):
        """The runs of the colour along column x downwards from y_from, as (top, length)."""
        runs, top = [], None
        for y in range(y_from, self.height):
            if self.colour(x, y) == colour:
                top = y if top is None else top
            elif top is not None:
                runs.append((top, y - top))
                top = None
        return runs


class Screen:
    """An X display with a window manager, and what a person does on it."""

    def __init__(self, output):
        self.output = output
        self.processes = []
        self.shots = 0
        self.display = None

    def open(self):
        """Starts the X server on a free display and the window manager on it."""
        read, write = os.pipe()
        self.start("Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   pass_fds=(write,))
        os.close(write)
        self.display = ":" + self.read_display(read)
        os.environ["DISPLAY"] = self.display
        self.start("openbox", "--sm-disable")
        wait_for("window manager", self.desktops_managed)

    def start(self, *command, **options):
        """Starts a program that runs beside the walk (quiet unless told where to write)."""
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, **options)
        self.processes.append(process)
        return process

    @staticmethod
    def read_display(pipe):
        with os.fdopen(pipe) as chosen:
            number = chosen.readline().strip()  # Xvfb writes it once it listens
        if not number:
            raise Failure("Xvfb did not start")
        return number

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    @staticmethod
    def desktops_managed():
        """True once a window manager runs: it announces its desktops."""
        result = subprocess.run(["xdotool", "get_num_desktops"], capture_output=True, text=True, timeout=COMMAND_LIMIT)
        return result.returncode == 0

    @staticmethod
    def windows(name):
        """The visible windows whose title matches."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True, text=True,
                                timeout=COMMAND_LIMIT)
        return result.stdout.split()

    def window(self, name):
        """Waits for the one visible window whose title matches, and gives its id."""
        return wait_for("window \"%s\"" % name, lambda: self.windows(name))[0]

    def activate(self, window):
        run("xdotool", "windowactivate", "--sync", window)

    def geometry(self, window):
        values = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", window).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def keys(self, *keys, delay=30):
        run("xdotool", "key", "--delay", str(delay), *keys)

    def type(self, text):
        run("xdotool", "type", "--delay", "20", text)

    def click(self, x, y):
        run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def drag(self, start, end, steps=12):
        """Presses the button at start, moves to end in steps, and lets go there."""
        run("xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1")
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            run("xdotool", "mousemove", str(x), str(y))
            time.sleep(0.05)
        time.sleep(0.3)  # the drop target highlights the node under the pointer
        run("xdotool", "mouseup", "1")

    def clipboard(self):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, text=True,
                                timeout=COMMAND_LIMIT)
        return result.stdout if result.returncode == 0 else ""

    def frame(self):
        return Frame(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                                    check=True, timeout=COMMAND_LIMIT).stdout)

    def screenshot(self, name):
        self.shots += 1
        path = os.path.join(self.output, "%02d-%s.png" % (self.shots, name))
        run("import", "-window", "root", path)
        return path


class Walkthrough:
    """The steps of the walk, each leaving a screenshot."""

    def __init__(self, screen, build_dir, scratch, corpus):
        self.screen = screen
        self.scratch = scratch
        self.program_dir = os.path.join(scratch, "program")
        self.database = os.path.join(scratch, "data", "Northwind.mdb")
        self.workbook = os.path.join(scratch, "data", "book.xls")
        os.makedirs(os.path.dirname(self.database))
        shutil.copyfile(os.path.join(corpus, "mdb", "Northwind.mdb"), self.database)
        install_program(os.path.join(build_dir, "src", "gui", "window"), self.program_dir)
        self.program = None
        self.main = None

    def start_program(self):
        environment = dict(os.environ, HOME=os.path.join(self.scratch, "home"),
                           XDG_CONFIG_HOME=os.path.join(self.scratch, "config"),
                           XDG_RUNTIME_DIR=os.path.join(self.scratch, "runtime"),
                           QT_QPA_PLATFORM="xcb", QT_STYLE_OVERRIDE="Fusion")
        environment.pop("WAYLAND_DISPLAY", None)
        os.makedirs(environment["HOME"])
        os.makedirs(environment["XDG_RUNTIME_DIR"], mode=0o700)
        with open(os.path.join(self.screen.output, "tabvex.stderr"), "w") as messages:
            self.program = self.screen.start(os.path.join(self.program_dir, "tabvex"), cwd=self.scratch,
                                             env=environment, stderr=messages)
        self.main = self.screen.window(MAIN_WINDOW)

    def open_config_from_driver_check(self):
        check = self.screen.window("^ODBC Driver/OLEDB Provider Check$")
        self.screen.screenshot("driver-check")
        self.screen.activate(check)
        self.screen.keys("Return")  # Open Config, the default button

    def configure_and_connect(self):
        config = self.screen.window("^Config$")
        self.screen.activate(config)
        # Focus starts on the source's provider; the fields follow in the dialog's order.
        self.screen.keys("Tab", "ctrl+a")
        self.screen.type(self.database)
        self.screen.keys("Tab", "Tab", "Tab", "Tab", "Tab")  # user, password, catalog, provider, name
        self.name_new_workbook(config)
        # "Properties from and to config file" follows the target's three fields and the
        # boxes of OPTIONS_BEFORE_CONFIG_FILE; the buttons follow Display Tips.
        self.screen.keys(*["Tab"] * (3 + len(OPTIONS_BEFORE_CONFIG_FILE) + 1), "space")
        self.screen.screenshot("config-filled")
        self.screen.keys("Tab", "Tab", "Tab", "Tab", "space")  # Display Tips, Test, Save Config, Connect
        wait_for("configuration dialog closing", lambda: not self.screen.windows("^Config$"))
        wait_for("both files in migrator.cfg", self.saved_configuration)
        wait_for("the new workbook, made by Connect", lambda: os.path.isfile(self.workbook))

    def name_new_workbook(self, config):
        """Opening the target's name list (a Jet provider's) opens the file chooser, whose
        name field takes a workbook that does not exist yet."""
        self.screen.keys("alt+Down")
        chooser = self.screen.window(FILE_CHOOSER)
        self.screen.activate(chooser)
        self.screen.type(self.workbook)
        self.screen.screenshot("new-workbook-named")
        self.screen.keys("Return")
        wait_for("file chooser closing", lambda: not self.screen.windows(FILE_CHOOSER))
        self.screen.activate(config)

    def tick_overwrite_and_connect(self):
        """Opens the configuration dialog again (Connect > Config), ticks "Overwrite the
        same-name table", the first enabled box after the target's fields, and connects."""
        self.screen.activate(self.main)
        self.screen.keys("alt+c", "c")
        config = self.screen.window("^Config$")
        self.screen.activate(config)
        self.screen.keys(*["Tab"] * (1 + 5 + 4), "space")  # source name, target name, its three fields
        self.screen.screenshot("config-overwrite")
        # The other option boxes, then Test and Save Config, lead to Connect.
        self.screen.keys(*["Tab"] * (len(OPTIONS_BEFORE_CONFIG_FILE) - 1 + 2 + 3), "space")
        wait_for("configuration dialog closing", lambda: not self.screen.windows("^Config$"))
        wait_for("OverwriteTable in migrator.cfg", self.overwrite_saved)

    def overwrite_saved(self):
        with open(os.path.join(self.program_dir, "migrator.cfg"), encoding="utf-8") as config:
            return "OverwriteTable=true" in config.read()

    def saved_configuration(self):
        try:
            with open(os.path.join(self.program_dir, "migrator.cfg"), encoding="utf-8") as config:
                text = config.read()
        except FileNotFoundError:
            return None
        names = re.findall(r"^SourceName=(.*)$", text, re.M)
        return names if names == [self.database, self.workbook] else None

    def select_database_nodes(self):
        """Selects both database nodes (the second row of each tree) and gives their places."""
        self.screen.activate(self.main)
        # The target tree has the focus after connecting: its root, then its database.
        self.screen.keys("Home", "Down")
        left, top, width, height = self.screen.geometry(self.main)
        right_half = (left + width // 2 + 20, left + width - 20)

        def selected_row():
            frame = self.screen.frame()
            for colour in (SELECTION, INACTIVE_SELECTION):
                rows = frame.rows_with(colour, right_half, (top, top + height // 2))
                if rows:
                    return (rows[0] + rows[-1]) // 2
            return None

        y = wait_for("selected database node in the target tree", selected_row)
        source, target = (left + width // 4, y), (left + 3 * width // 4, y)
        self.screen.click(*source)  # the source database lies on the same row of its tree
        self.screen.screenshot("connected")
        return source, target

    def drag_and_confirm(self, source, target):
        """Drags the source node onto the target node; a drag the window missed (the
        question does not come) is made once more."""
        for attempt in (1, 2):
            self.screen.drag(source, target)
            try:
                question = wait_for("question after the drop", lambda: self.screen.windows(QUESTION_BOX),
                                    limit=STEP_LIMIT // 3 * attempt)[0]
                break
            except Failure:
                if attempt == 2:
                    raise
        self.screen.screenshot("drop-question")
        self.screen.activate(question)
        self.screen.keys("Return")  # OK

    def first_task_row(self, below):
        """The place of the task list's first row: the top of the first white run (the
        list's empty area) below the trees, found along the column of `below`."""
        frame = self.screen.frame()
        runs = [run for run in frame.runs_down(below[0], below[1], WHITE) if run[1] >= 20]
        if len(runs) < 2:
            raise Failure("the task list was not found below the trees")
        return below[0], runs[1][0] + 8

    def copied_state(self, *keys):
        """The State text the clipboard holds after the keys, or None."""
        self.screen.keys(*keys, delay=5)
        state = self.screen.clipboard().strip()
        return state if state in STATES else None

    def read_task_state(self):
        """The State cell of the task row that has the focus, copied with Ctrl+C: the
        current cell stays the State cell until a rebuild of the list moves it to the
        row's start. The window copies a moment after the keys, so a reading may be the
        one before."""
        return self.copied_state("ctrl+c") or self.copied_state("Home", *["Right"] * STATE_COLUMN, "ctrl+c")

    def watch_task(self, row, earlier_rows=0):
        """Reads the task row (below `earlier_rows` rows of earlier tasks) until it ends;
        gives the states read, which must come in order and end in a final state. Working
        is not required: Northwind's copy takes some 50 ms, less than one reading through
        the clipboard, so a loaded machine may read the row only before and after it (the
        window tests check Working)."""
        seen = []

        def ended():
            if not seen:
                self.screen.click(*row)  # the row appears with the list's next rebuild
                if earlier_rows:
                    self.screen.keys(*["Down"] * earlier_rows)
            state = self.read_task_state()
            if state and (not seen or seen[-1] != state):
                seen.append(state)
                if state != "Waiting":
                    self.screen.screenshot("task-" + state)
            return state in FINAL_STATES

        wait_for("end of the task", ended, pause=0.01)
        if any(STATES.index(a) > STATES.index(b) for a, b in zip(seen, seen[1:])):
            raise Failure("the task row read " + " -> ".join(seen))
        return seen

    def question(self, shown_before=()):
        """Waits for a message box other than those given, activates it and gives its id."""
        box = wait_for("question", lambda: [w for w in self.screen.windows(QUESTION_BOX) if w not in shown_before])[0]
        self.screen.activate(box)
        return box

    def answer_with_enter(self, box, name):
        self.screen.screenshot(name)
        self.screen.keys("Return")
        wait_for("question closing", lambda: box not in self.screen.windows(QUESTION_BOX))

    def delete_refused_with_enter(self, target):
        """Delete on the target's database (the workbook Connect made) asks OK/Cancel and
        then Yes/No; Enter on either keeps the workbook, byte for byte."""
        with open(self.workbook, "rb") as book:
            before = book.read()
        self.screen.click(*target)
        self.screen.keys("Delete")
        self.answer_with_enter(self.question(), "delete-question")  # Cancel is the default
        self.screen.activate(self.main)
        self.screen.keys("Delete")
        first = self.question()
        self.screen.keys("Tab", "space")  # from Cancel to OK, so that the Yes/No question comes
        self.answer_with_enter(self.question((first,)), "cannot-restore-question")  # No is the default
        with open(self.workbook, "rb") as book:
            if book.read() != before:
                raise Failure("Enter on a removal question changed the workbook")

    def read_log(self, target):
        """The whole Log, copied: from the target tree, Tab leads past both filter fields
        to the output pane's tabs, where Left shows the Log."""
        self.screen.click(*target)
        self.screen.keys("Tab", "Tab", "Tab", "Left", "Tab", "ctrl+a", "ctrl+c")
        def copied_log():
            text = self.screen.clipboard()
            return "Summary:" in text and text

        log = wait_for("Log in the clipboard", copied_log)
        self.screen.keys("Home", "End")  # only the last line selected: the others show their colours
        self.screen.screenshot("log")
        return log

    def close_window(self):
        self.screen.activate(self.main)
        self.screen.keys("alt+F4")
        status = wait_for("program's end", lambda: self.program.poll() is not None and (self.program.returncode,))
        if status[0] != 0:
            raise Failure("the program ended with status %d" % status[0])
        remembered = os.path.join(self.scratch, "config", "tabvex", "window.conf")
        if not os.path.exists(remembered):
            raise Failure("the window did not remember its layout in " + remembered)


def install_program(build_window_dir, program_dir):
    """The program with what is installed beside it (class registry, manual), as a
    folder of its own: the program keeps its files (migrator.cfg, Condition.cfg,
    data_cache) in the folder it runs from."""
    os.makedirs(program_dir)
    for name in os.listdir(build_window_dir):
        source = os.path.join(build_window_dir, name)
        if name == "tabvex" or name.endswith((".cfg", ".ini")):
            try:
                os.link(source, os.path.join(program_dir, name))
            except OSError:
                shutil.copy2(source, program_dir)
    shutil.copytree(os.path.join(build_window_dir, "docs"), os.path.join(program_dir, "docs"))


def check_summary(log, final_state):
    """The Summary line: every table arrived but those Northwind cannot give whole
    today (Employees: photos longer than a cell), and the state agrees with it."""
    summary = re.search(r"Summary: (\d+) tables? arrived, (?:none failed or left out|\d+ failed or left out: (.*?));",
                        log)
    if not summary:
        raise Failure("no Summary line in the Log")
    failed = set(re.findall(r"\[([^\]]+)\]", summary.group(2) or ""))
    if not failed <= {"Employees"}:
        raise Failure("tables failed: %s" % sorted(failed))
    if int(summary.group(1)) + len(failed) != 8:
        raise Failure("not all of Northwind's 8 tables are counted: " + summary.group(0))
    if final_state != ("FAILURE" if failed else "SUCCESS"):
        raise Failure("the task ended %s after %s" % (final_state, summary.group(0)))


def check_session_log(scratch, log):
    """The session's Log file holds every line the window's Log shows, from the first."""
    folder = os.path.join(scratch, "home", ".local", "state", "tabvex")
    files = [name for name in os.listdir(folder) if name.startswith("tabvex-") and name.endswith(".log")]
    if len(files) != 1:
        raise Failure("expected one session Log file in %s, found %s" % (folder, files))
    with open(os.path.join(folder, files[0]), encoding="utf-8") as session:
        kept = session.read().splitlines()
    shown = log.splitlines()
    if kept[:len(shown)] != shown:
        raise Failure("the session Log file %s differs from the window's Log" % files[0])


def cell_text(cell):
    value = cell["value"]
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def check_workbook(source_dir, workbook, database):
    dump = subprocess.run(["/usr/bin/python3", os.path.join(source_dir, "tests", "support", "xlrd_dump.py"), workbook],
                          capture_output=True, text=True, timeout=COMMAND_LIMIT)
    if dump.returncode != 0:
        raise Failure("xlrd cannot read the workbook: " + dump.stderr.strip())
    sheets = {sheet["name"]: sheet for sheet in json.loads(dump.stdout)["sheets"]}
    for table in COMPARED_TABLES:
        if table not in sheets:
            raise Failure("no worksheet %s; the workbook has %s" % (table, sorted(sheets)))
        expected = list(csv.reader(io.StringIO(run("mdb-export", database, table), newline="")))
        rows = [[""] * sheets[table]["ncols"] for _ in range(sheets[table]["nrows"])]
        for cell in sheets[table]["cells"]:
            rows[cell["row"]][cell["col"]] = cell_text(cell)
        if rows != expected:
            difference = next(i for i, pair in enumerate(zip(rows + [None], expected + [None])) if pair[0] != pair[1])
            raise Failure("worksheet %s differs from mdb-export at row %d: %r against %r" % (
                table, difference, (rows + [None])[difference], (expected + [None])[difference]))
    return sorted(sheets)


def corpus_folder(source_dir):
    folder = os.environ.get("TABVEX_TESTDATA") or os.path.join(os.path.dirname(source_dir), "shared", "testdata")
    return folder if os.path.isfile(os.path.join(folder, "mdb", "Northwind.mdb")) else None


def missing_requirements(build_dir, corpus):
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if corpus is None:
        missing.append("the corpus (Northwind.mdb)")
    if not os.path.exists(os.path.join(build_dir, "src", "gui", "window", "tabvex")):
        missing.append("the built program tabvex")
    if importlib.util.find_spec("xlrd") is None:  # the workbook is read with it
        missing.append("python3-xlrd")
    return missing


def walk(screen, source_dir, build_dir, scratch, corpus):
    walkthrough = Walkthrough(screen, build_dir, scratch, corpus)
    walkthrough.start_program()
    walkthrough.open_config_from_driver_check()
    walkthrough.configure_and_connect()
    source, target = walkthrough.select_database_nodes()
    walkthrough.delete_refused_with_enter(target)
    row = walkthrough.first_task_row(source)
    walkthrough.drag_and_confirm(source, target)
    states = walkthrough.watch_task(row)
    print("task row read: " + " -> ".join(states))
    log = walkthrough.read_log(target)
    with open(os.path.join(screen.output, "log.txt"), "w", encoding="utf-8") as saved:
        saved.write(log)
    check_summary(log, states[-1])
    check_session_log(scratch, log)
    if "Remove Database [" in log:
        raise Failure("a delete refused with Enter went ahead")
    print("worksheets: " + ", ".join(check_workbook(source_dir, walkthrough.workbook, walkthrough.database)))
    rerun_replacing(walkthrough, source_dir, build_dir, row)
    walkthrough.close_window()


def rerun_replacing(walkthrough, source_dir, build_dir, row):
    """The same migration again with "Overwrite the same-name table" ticked: every sheet
    is replaced, so a row added to Customers meanwhile is gone; Employees, which does not
    arrive whole, keeps its sheet."""
    run(os.path.join(build_dir, "src", "cli", "tabvex-cli"), "sql", walkthrough.workbook,
        "INSERT INTO Customers (CustomerID) VALUES ('EXTRA')")
    walkthrough.tick_overwrite_and_connect()
    source, target = walkthrough.select_database_nodes()
    walkthrough.drag_and_confirm(source, target)
    states = walkthrough.watch_task(row, earlier_rows=1)
    print("re-run task row read: " + " -> ".join(states))
    log = walkthrough.read_log(target)
    rerun = log[log.rindex("Convert Tables of database"):]
    for line in ("[Customers] replaced", "[Employees] not replaced: the workbook keeps the sheet it had"):
        if line not in rerun:
            raise Failure("the re-run's Log has no line " + line)
    check_summary(rerun, states[-1])
    check_workbook(source_dir, walkthrough.workbook, walkthrough.database)


def main():
    source_dir, build_dir, output = (os.path.abspath(argument) for argument in sys.argv[1:4])
    corpus = corpus_folder(source_dir)
    missing = missing_requirements(build_dir, corpus)
    if missing:
        print("SKIP: missing " + ", ".join(missing))
        return SKIP
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    scratch = tempfile.mkdtemp(prefix="tabvex-walkthrough-")
    # A run ended from outside (ctest's timeout) still stops the X server and the program.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("FAIL: ended from outside"))
    screen = Screen(output)
    try:
        screen.open()
        walk(screen, source_dir, build_dir, scratch, corpus)
    except (Failure, subprocess.SubprocessError, OSError) as failure:
        if screen.display:
            try:
                print("last screen: " + screen.screenshot("failure"))
            except (Failure, subprocess.SubprocessError, OSError):
                print("no screenshot of the last screen")
        print("FAIL: %s (screenshots in %s)" % (failure, output))
        return 1
    finally:
        screen.close()
        shutil.rmtree(scratch, ignore_errors=True)
    print("PASS (screenshots in %s)" % output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
