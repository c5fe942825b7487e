#!/usr/bin/python3
"""Reads and presses what the running program shows, through the accessibility tree (AT-SPI),
as a screen reader would: nothing here knows the program's code.

  screen.py read            prints: running=0|1, question=..., answer1..4=..., window=TITLE|TEXT
                            for every other window (message boxes, popups, results)
  screen.py press NAME      presses the first enabled button named NAME (message boxes first)
  screen.py menu NAME       chooses the menu item named NAME
  screen.py close-box       presses the first button of the topmost window that is not the main one
  screen.py yes             presses the Yes button of the topmost question box
  screen.py set NAME VALUE  moves the slider named NAME to VALUE

With SCREEN_PID set, the program with that process id is read when several run.

Exits 3 when the program is not on the accessibility bus."""
import os
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MAIN_PREFIX = "Marelto"


def app():
    desktop = Atspi.get_desktop(0)
    pid = int(os.environ.get("SCREEN_PID") or 0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is None or child.get_name() != "marelto":
            continue
        if not pid:
            return child
        try:
            if child.get_process_id() == pid:
                return child
        except GLib.Error:
            pass
    sys.exit(3)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def walk(node):
    yield node
    if node.get_role_name() == "combo box":  # its list may hold 100,000 numbers: not read
        return
    for child in children(node):
        yield from walk(child)


def text_of(node):
    iface = node.get_text_iface()
    if iface is None:
        return node.get_name() or ""
    return Atspi.Text.get_text(iface, 0, -1)  # -1: to the end, whatever a cached count says


def enabled(node):
    return node.get_state_set().contains(Atspi.StateType.ENABLED)


def windows():
    """The main window first, then every other top-level window that is showing."""
    tops = [w for w in children(app()) if w.get_state_set().contains(Atspi.StateType.SHOWING)]
    tops.sort(key=lambda w: 0 if (w.get_name() or "").startswith(MAIN_PREFIX) else 1)
    return tops


def read():
    out = []
    tops = windows()
    for top in tops:
        title = top.get_name() or ""
        if title.startswith(MAIN_PREFIX):
            fields = {}
            running = False
            for node in walk(top):
                role = node.get_role_name()
                name = node.get_name() or ""
                if role == "text" and name in ("問題", "解答1", "解答2", "解答3", "解答4"):
                    fields[name] = text_of(node)
                if role == "push button" and name == "開始":
                    running = not enabled(node)
            out.append("running=%d" % running)
            out.append("question=" + fields.get("問題", "").replace("\n", " "))
            for i in range(1, 5):
                out.append("answer%d=%s" % (i, fields.get("解答%d" % i, "").replace("\n", " ")))
        else:
            texts = [text_of(n) for n in walk(top) if n.get_role_name() in ("label", "text")]
            out.append("window=%s|%s" % (title, " ".join(t for t in texts if t).replace("\n", " ")))
    print("\n".join(out))


def press(name):
    for top in reversed(windows()):  # a message box on top takes the press
        for node in walk(top):
            if node.get_role_name() == "push button" and node.get_name() == name and enabled(node):
                node.do_action(0)
                return
    sys.exit("no enabled button " + name)


def close_box():
    for top in reversed(windows()):
        if (top.get_name() or "").startswith(MAIN_PREFIX):
            break
        for node in walk(top):
            if node.get_role_name() == "push button" and enabled(node):
                node.do_action(0)
                return
    sys.exit("no window to close")


def yes():
    # A box just shown may not have its buttons in the tree yet: looked for a few times.
    for attempt in range(10):
        for top in reversed(windows()):
            for node in walk(top):
                name = (node.get_name() or "").replace("&", "").lower()
                if (node.get_role_name() == "push button" and enabled(node)
                        and name.startswith(("はい", "yes"))):
                    node.do_action(0)
                    return
        time.sleep(0.3)
    sys.exit("no Yes button")


def set_value(name, value):
    for top in reversed(windows()):
        for node in walk(top):
            if node.get_role_name() == "slider" and node.get_name() == name:
                node.get_value_iface().set_current_value(float(value))
                return
    sys.exit("no slider " + name)


def menu(name):
    for node in walk(app()):
        if node.get_role_name() == "menu item" and node.get_name() == name:
            node.do_action(0)
            return
    sys.exit("no menu item " + name)


if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "read":
        # A window that closes while it is read leaves dead objects behind: read again.
        for attempt in range(5):
            try:
                read()
                break
            except GLib.Error:
                if attempt == 4:
                    raise
                time.sleep(0.2)
    elif command == "press" and len(sys.argv) == 3:
        press(sys.argv[2])
    elif command == "close-box":
        close_box()
    elif command == "yes":
        yes()
    elif command == "set" and len(sys.argv) == 4:
        set_value(sys.argv[2], sys.argv[3])
    elif command == "menu" and len(sys.argv) == 3:
        menu(sys.argv[2])
    else:
        sys.exit(__doc__)
