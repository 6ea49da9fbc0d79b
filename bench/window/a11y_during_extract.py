#!/usr/bin/python3
"""While the window writes an extraction, lists its windows over the accessibility
bus and presses the progress display's Cancel through it, timing both.

Run inside a D-Bus session with the accessibility bus started and the window open
with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (bench/window/a11y.sh does all that)."""
import sys
import time

import pyatspi


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name.lower().startswith("zendra91"):
            return a
    return None


def find(node, role, name):
    if node is None:
        return None
    if node.getRoleName() == role and node.name == name:
        return node
    for i in range(node.childCount):
        hit = find(node.getChildAtIndex(i), role, name)
        if hit is not None:
            return hit
    return None


def in_dialogs(role, name):
    """The control among the windows over the main one (message boxes, the progress
    display): the main window has controls of the same names on its pages."""
    a = app()
    for i in range(1, a.childCount):
        hit = find(a.getChildAtIndex(i), role, name)
        if hit is not None:
            return hit
    return None


def listing_seconds():
    start = time.monotonic()
    a = app()
    names = [a.getChildAtIndex(i).name for i in range(a.childCount)]
    return time.monotonic() - start, names


def main():
    a = app()
    if a is None:
        sys.exit("the window is not on the accessibility bus")
    extract = find(a, "push button", "Extract")
    extract.queryAction().doAction(0)  # returns once the press is queued
    time.sleep(1.5)
    # The questions before writing (create the folder, the size warning): Yes.
    for _ in range(4):
        yes = in_dialogs("push button", "Yes")
        if yes is None:
            break
        yes.queryAction().doAction(0)
        time.sleep(1.0)
    time.sleep(2.0)
    times = []
    for _ in range(10):
        seconds, names = listing_seconds()
        times.append(seconds)
        time.sleep(0.2)
    print("windows:", names)
    times.sort()
    print("listing the windows: median %.3f s, max %.3f s over %d" % (times[len(times) // 2], times[-1], len(times)))
    cancel = in_dialogs("push button", "Cancel")
    if cancel is None:
        sys.exit("no Cancel on the bus: the extraction is not running")
    start = time.monotonic()
    cancel.queryAction().doAction(0)
    while in_dialogs("push button", "OK") is None:
        if time.monotonic() - start > 10:
            sys.exit("the cancellation was not confirmed within 10 s")
        time.sleep(0.05)
    print("Cancel to the confirmation: %.2f s" % (time.monotonic() - start))


main()
