"""A screen reader's view of the running program, over AT-SPI.

Runs inside its own X server and session bus (see atspi_end_to_end.sh):
starts velmar on a data file, finds the channel table on the accessibility
bus, reads a channel's receive frequency and the column header, moves the
focus with the keyboard and hears the focus event for the new cell, opens
the frequency editor with Enter and hears it announced by its cell, types a
frequency off the channel raster, commits with Enter, hears the cell's new
name and reads the snapped value back from the table, with the focus back on
the same cell.
Every wait is bounded; the program is ended whatever happens.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STEP_TIMEOUT = 10.0
ROW_CELLS = 12  # grid columns: the channel number and 11 data columns


def fail(message):
    print("FAIL: " + message, flush=True)
    raise SystemExit(1)


def log(message):
    print(message, flush=True)


def pump(seconds):
    """Runs the event loop for a while so AT-SPI events reach the listeners."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(what, probe, timeout=STEP_TIMEOUT):
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # the tree changes under us while the program works
            last_error = error
        pump(0.1)
    fail("timed out waiting for %s%s" % (what, " (%s)" % last_error if last_error else ""))


def read_lang(path, section, key):
    current = None
    with open(path, encoding="utf-8") as lang:
        for line in lang:
            line = line.strip()
            if line.startswith("["):
                current = line.strip("[]")
            elif current == section and line.split("=", 1)[0] == key:
                return line.split("=", 1)[1]
    fail("%s has no [%s] %s" % (path, section, key))


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def find_role(root, role, depth=12):
    """Breadth-first search that does not descend into tables."""
    level = [root]
    for _ in range(depth):
        following = []
        for node in level:
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if child.getRole() == role:
                    return child
                if child.getRole() != pyatspi.ROLE_TABLE:
                    following.append(child)
        level = following
    return None


def focused_cell(table):
    t = table.queryTable()
    for row in range(t.nRows):
        for col in range(t.nColumns):
            cell = t.getAccessibleAt(row, col)
            if cell is not None and cell.getState().contains(pyatspi.STATE_FOCUSED):
                return (row, col)
    return None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=STEP_TIMEOUT,
                   stdout=subprocess.DEVNULL)


def key(*names):
    xdotool("key", "--delay", "50", *names)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--velmar", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    args.velmar = os.path.abspath(args.velmar)
    args.cli = os.path.abspath(args.cli)

    bin_dir = os.path.dirname(os.path.abspath(args.velmar))
    home = os.path.join(args.work, "home")
    os.makedirs(home)
    for name in ("setting.ini", "english.lang", "chinese.lang"):
        shutil.copy(os.path.join(bin_dir, name), home)
    settings = os.path.join(home, "setting.ini")
    with open(settings, encoding="utf-8") as f:
        text = f.read()
    with open(settings, "w", encoding="utf-8") as f:
        f.write(text.replace("\nlanguage=\n", "\nlanguage=english\n", 1))
    english = os.path.join(home, "english.lang")

    data = os.path.join(args.work, "channels.dig")
    cli = [args.cli, "--settings", settings]
    subprocess.run(cli + ["new", "-o", data], check=True, timeout=STEP_TIMEOUT)
    subprocess.run(cli + ["set", data, "--channel", "1", "rxFreq=446.00625",
                          "--channel", "2", "rxFreq=440.00000", "txFreq=445.00000"],
                   check=True, timeout=STEP_TIMEOUT)

    env = dict(os.environ)
    env.update({
        "QT_QPA_PLATFORM": "xcb",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "VELMAR_HOME": home,
        "XDG_CONFIG_HOME": os.path.join(args.work, "config"),
        # Ended by a signal below; leak reports of a killed process mean nothing.
        "ASAN_OPTIONS": "detect_leaks=0",
    })
    program = subprocess.Popen([args.velmar, data], env=env, cwd=args.work)
    try:
        run(program, english)
    finally:
        program.terminate()
        try:
            program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait(timeout=5)
    log("PASS")


def run(program, english):
    events = []

    def on_event(event):
        events.append(event)

    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:focused", "focus:",
                                           "object:property-change:accessible-name")

    app = wait_for("the program on the accessibility bus",
                   lambda: program.poll() is None and find_app(program.pid))
    table = wait_for("the channel table", lambda: find_role(app, pyatspi.ROLE_TABLE))
    t = table.queryTable()
    log("table %r: %d rows, %d columns" % (table.name, t.nRows, t.nColumns))
    if (t.nRows, t.nColumns) != (16, 11):
        fail("the table has %d x %d cells" % (t.nRows, t.nColumns))
    rx_title = read_lang(english, "ChText", "IDS_ChText1")
    if t.getColumnHeader(0).name != rx_title:
        fail("column header %r, expected %r" % (t.getColumnHeader(0).name, rx_title))
    if t.getRowHeader(1).name != "2":
        fail("row header %r, expected '2'" % t.getRowHeader(1).name)
    if t.getAccessibleAt(0, 0).name != "446.00625":
        fail("channel 1 receive frequency reads %r" % t.getAccessibleAt(0, 0).name)
    if t.getAccessibleAt(1, 0).name != "440.00000":
        fail("channel 2 receive frequency reads %r" % t.getAccessibleAt(1, 0).name)

    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(program.pid)],
                            check=True, timeout=STEP_TIMEOUT, capture_output=True, text=True)
    xdotool("windowfocus", "--sync", window.stdout.split()[0])

    # Keyboard only: Tab through the form until the grid holds the focus with
    # a focus cell; a grid that has the focus but no cell is left with
    # Ctrl+Tab and entered again from the control after it.
    for _ in range(60):
        pump(0.2)
        if focused_cell(table) is not None:
            break
        if table.getState().contains(pyatspi.STATE_FOCUSED):
            key("ctrl+Tab", "shift+Tab")
        else:
            key("Tab")
    cell = wait_for("a focus cell in the table", lambda: focused_cell(table))
    if cell != (0, 0):
        fail("the grid was entered at %r, expected the first data cell" % (cell,))

    del events[:]
    key("Down")
    wanted = 2 * ROW_CELLS + 1  # grid row 2, column 1
    wait_for("the focus event of channel 2's receive frequency",
             lambda: any(e.source.getRole() == pyatspi.ROLE_TABLE_CELL
                         and e.source.getIndexInParent() == wanted for e in events))
    if focused_cell(table) != (1, 0):
        fail("focus cell %r after Down" % (focused_cell(table),))

    del events[:]
    key("Return")
    editor_name = "%s, channel 2" % rx_title
    editor = wait_for("the frequency editor announced as %r" % editor_name,
                      lambda: next((e.source for e in events if e.source.name == editor_name
                                    and e.source.getState().contains(pyatspi.STATE_FOCUSED)), None))
    log("editor %r holds %r" % (editor.name, editor.queryText().getText(0, -1)))

    del events[:]
    xdotool("type", "--delay", "40", "446.0031")
    key("Return")
    wait_for("the snapped frequency in the table",
             lambda: t.getAccessibleAt(1, 0).name == "446.00500")
    wait_for("the name-change event of the edited cell",
             lambda: any(e.type.startswith("object:property-change:accessible-name")
                         and e.source.getRole() == pyatspi.ROLE_TABLE_CELL
                         and e.source.getIndexInParent() == wanted for e in events))
    cell = wait_for("the focus back in the table", lambda: focused_cell(table))
    if cell != (1, 0):
        fail("after the edit the focus is on %r, expected the edited cell" % (cell,))
    log("channel 2 receive frequency now reads %r" % t.getAccessibleAt(1, 0).name)


if __name__ == "__main__":
    main()
