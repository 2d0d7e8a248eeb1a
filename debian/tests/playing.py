"""A drill played on the installed kestrava by ear, as a player who listens to a screen reader
would, with the keys sent by whatever reaches the display the test runs on: the letters announced
over AT-SPI are typed, with a wrong key before some, and the result window's values are read back.
"""

import os
import subprocess
import time

import pyatspi
from gi.repository import GLib

DRILL_KEYS = 60  # the length a new player's drill has
WRONG_BEFORE = (1, 21, 60)  # a wrong key before these letters: the first, a new row's, the last
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    if not ok:
        failures.append(what)


def until(probe, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    return None


def accessible_app():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Kestrava"), None)


def accessible_window(name):
    app = accessible_app()
    return next((w for w in app if w.name == name), None) if app else None


def size(window):
    """A window's size as Qt gives it to a screen reader: its client area, without a title bar."""
    extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (extents.width, extents.height)


def place(window):
    """Where a window's client area is on the screen, where the platform lets Qt know it."""
    extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (extents.x, extents.y)


def labels(node):
    if node.getRole() == pyatspi.ROLE_LABEL:
        yield node
    for child in node:
        yield from labels(child)


def report_values():
    """The result window's values by their captions, as a screen reader relates them."""
    report = accessible_window("KS Report")
    values = {}
    for label in labels(report) if report else ():
        for relation in label.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                values[relation.getTarget(0).name] = label.name
    return values


class Drill:
    """Listens from the start, as a screen reader already runs when a player starts the program:
    Qt sends only the events someone listens to, and learns of listeners that come later only
    some time after, which on a busy machine may be after the first letter. `press` sends one
    key, named as xdotool names it ("a", "space")."""

    def __init__(self, press):
        self.press = press
        self.heard = []
        pyatspi.Registry.registerEventListener(self.on_focus, "focus:")
        # As Orca does: the reader keeps the names it has read, and learns new ones from these.
        pyatspi.Registry.registerEventListener(
            lambda event: None, "object:property-change:accessible-name")

    def on_focus(self, event):
        """Each letter announced is typed; before some, a wrong one."""
        letter = event.source.name
        if event.source.getRole() != pyatspi.ROLE_LABEL or len(letter) != 1:
            return
        self.heard.append(letter)
        if len(self.heard) in WRONG_BEFORE:
            self.press("q" if letter != "Q" else "w")
        self.press(letter.lower())
        if len(self.heard) == DRILL_KEYS:
            GLib.timeout_add(200, lambda: pyatspi.Registry.stop())

    @staticmethod
    def start_program():
        # Without a desktop nobody tells Qt that a screen reader runs, as Orca would; this does.
        return subprocess.Popen(["kestrava"],
                                env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))

    def play(self):
        """Space starts the drill on the main window; returns the result window's values."""
        GLib.timeout_add(300, lambda: self.press("space") and False)
        GLib.timeout_add(60_000, lambda: pyatspi.Registry.stop())
        pyatspi.Registry.start()
        check(len(self.heard) == DRILL_KEYS,
              f"the screen reader announced {len(self.heard)} letters to type")
        values = until(lambda: (v := report_values()).get("問題数", "00000") != "00000" and v,
                       10) or {}
        print("the result window reads:", values)
        check(values.get("問題数") == str(DRILL_KEYS), f"問題数 reads {values.get('問題数')}")
        check(values.get("ミスタッチ") == str(len(WRONG_BEFORE)),
              f"ミスタッチ reads {values.get('ミスタッチ')}")
        return values


def end(program):
    program.terminate()
    program.wait(10)
    return 1 if failures else 0
