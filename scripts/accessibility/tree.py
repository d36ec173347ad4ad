#!/usr/bin/python3
# Prints what a screen reader is told about KORV's window: every shown object's role and name,
# whether it is off, takes the focus and which actions it offers; the grid's size and one of its
# cells. With a name, presses the push button of that name afterwards (as Orca would).
import sys
import time

import pyatspi


def find_app(name, tries=60):
    for _ in range(tries):
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name and name in app.name.lower():
                return app
        time.sleep(0.5)
    return None


def walk(acc, depth, rows):
    try:
        walk_one(acc, depth, rows)
    except Exception as e:  # an object the window dropped while we looked
        rows.append("  " * depth + f"(gone: {e.__class__.__name__})")


def walk_one(acc, depth, rows):
    role = acc.getRoleName()
    state = acc.getState()
    actions = []
    try:
        action = acc.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        pass
    if state.contains(pyatspi.STATE_SHOWING):
        line = "  " * depth + f'{role}: "{acc.name}"'
        if not state.contains(pyatspi.STATE_ENABLED):
            line += " [off]"
        if state.contains(pyatspi.STATE_FOCUSABLE):
            line += " focusable"
        if actions:
            line += f" actions={actions}"
        rows.append(line)
    if role == "table":
        table = acc.queryTable()
        cell = table.getAccessibleAt(3, 2)
        rows.append("  " * (depth + 1) + f"{table.nRows} rows x {table.nColumns} columns; "
                    f'row 3, column 2: "{cell.name if cell else None}"')
        return
    for i in range(acc.childCount):
        walk(acc.getChildAtIndex(i), depth + 1, rows)


def press(acc, name):
    try:
        if acc.getRoleName() == "push button" and acc.name == name:
            acc.queryAction().doAction(0)
            return True
        return any(press(acc.getChildAtIndex(i), name) for i in range(acc.childCount))
    except Exception:  # an object the window dropped while we looked
        return False


app = find_app("korv")
if not app:
    sys.exit("korv did not appear on the accessibility bus")
time.sleep(3)  # the first looks at the cable
rows = []
walk(app, 0, rows)
print("\n".join(rows))
if len(sys.argv) > 1:
    if not press(app, sys.argv[1]):
        sys.exit(f'no push button named "{sys.argv[1]}"')
    time.sleep(float(sys.argv[2]) if len(sys.argv) > 2 else 5)
    rows = []
    walk(app, 0, rows)
    print(f'\nafter pressing "{sys.argv[1]}":')
    print("\n".join(rows))
