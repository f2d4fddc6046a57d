# SPDX-License-Identifier: MIT
"""Reads the program's window as a screen reader does, through AT-SPI.

Usage: accessibility.py PID. Waits for the language dialog of the program
with that process id, checks the name of every control it shows, presses OK
through the button's own action, then checks every control of the form.
Exits 0 when every control is named as expected, 1 with a list otherwise.
"""
import sys
import time

import pyatspi

CONTROL_ROLES = {
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_LIST,
}

LANGUAGE_DIALOG = {"Deutsche Sprache", "English Language", "OK"}
# The form in degrees, in English: each field by its row and unit, the
# hemisphere buttons by their row, the title bar's buttons by what they do.
FORM = {"Name", "Lat degrees", "Lat N", "Long degrees", "Long E", "Format", "Add", "Help", "OK"}


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(pid, title, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        app = application(pid)
        for frame in app or []:
            if frame is not None and frame.name == title and \
                    frame.getState().contains(pyatspi.STATE_SHOWING):
                return frame
        time.sleep(0.2)
    sys.exit(f"FAIL: no window '{title}' of process {pid} on the accessibility bus")


def name_of(control):
    """A drop-down list reads its entry as its name; its label is the relation."""
    if control.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in control.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return control.name


def shown_controls(root):
    found = []

    def walk(node):
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
                continue
            if child.getRole() in CONTROL_ROLES:
                found.append(child)
            walk(child)

    walk(root)
    return found


def tree(node, depth=0):
    lines = []
    for child in node:
        if child is not None:
            showing = child.getState().contains(pyatspi.STATE_SHOWING)
            lines.append(f"{'  ' * depth}{child.getRoleName()} '{child.name}'"
                         f"{'' if showing else ' (hidden)'}")
            lines += tree(child, depth + 1)
    return lines


def check(title, frame, expected):
    controls = shown_controls(frame)
    names = [name_of(control) for control in controls]
    problems = []
    for control, name in zip(controls, names):
        if not any(c.isalpha() for c in name):
            problems.append(f"{title}: a {control.getRoleName()} without a name ('{name}')")
    if set(names) != expected or len(names) != len(expected):
        problems.append(f"{title}: controls named {sorted(names)}, expected {sorted(expected)}; "
                        "what the window offers:\n" + "\n".join(tree(frame)))
    return problems


def press(frame, name):
    for control in shown_controls(frame):
        if control.name == name and control.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            control.queryAction().doAction(0)
            return
    sys.exit(f"FAIL: no button '{name}' to press")


def main():
    pid = int(sys.argv[1])
    problems = []
    language = window(pid, "Quillpost Language")
    problems += check("language dialog", language, LANGUAGE_DIALOG)
    press(language, "OK")
    problems += check("form", window(pid, "Quillpost"), FORM)
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
