#!/usr/bin/python3
"""Reads and drives the Linux program through the real accessibility bus, as a
screen reader does (pyatspi, so Debian's own python3):

atspi_probe.py wake              brings the accessibility bus up, before programs start
atspi_probe.py hear CODE TEXT GEOMETRY
    each switch is a check box "Switch k", checked while ON and described ON or
    OFF as CODE says; the field is text "Frequency in MHz" holding TEXT; the
    housing is "DIP switch"; each lies where GEOMETRY (JSON: name to x, y, w, h
    in window pixels) puts it
atspi_probe.py press K           performs switch K's action, which must flip it
                                 and move the focus to it
Status 0 when all holds; every wait is bounded.
"""
import json, sys, time
import pyatspi

TITLE = "Settings for Corvex:"


def window():
    end = time.monotonic() + 10
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            for frame in app or []:
                if frame and frame.name == TITLE:
                    return frame
        time.sleep(0.1)
    sys.exit("no settings window on the accessibility bus")


def controls(frame):
    found = {}
    def walk(node):
        for child in node:
            found[child.name] = child
            walk(child)
    walk(frame)
    return found


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def hear(code, text, geometry):
    frame = window()
    found, wrong = controls(frame), []
    for k in range(1, 9):
        name, on = f"Switch {k}", not (code >> (k - 1)) & 1
        lever = found.get(name)
        if lever is None:
            wrong.append(f"no {name}")
            continue
        if lever.getRoleName() != "check box" or checked(lever) != on or \
                lever.description != ("ON" if on else "OFF"):
            wrong.append(f"{name}: {lever.getRoleName()}, checked {checked(lever)}, "
                         f"{lever.description!r}, not {'ON' if on else 'OFF'}")
    field = found.get("Frequency in MHz")
    if field is None or field.getRoleName() != "text" or field.queryText().getText(0, -1) != text:
        wrong.append(f"field: {field and field.getRoleName()} {field and field.queryText().getText(0, -1)!r}")
    if "DIP switch" not in found:
        wrong.append("no housing named DIP switch")
    # Relative to the window, both as the screen has them: Qt gives window
    # coordinates as screen ones.
    origin = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for name, rect in geometry.items():
        if name in found:
            e = found[name].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            at = [e.x - origin.x, e.y - origin.y, e.width, e.height]
            if at != rect:
                wrong.append(f"{name} at {at}, not {rect}")
    return wrong


def press(k):
    lever = controls(window())[f"Switch {k}"]
    before, actions = checked(lever), lever.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Toggle"))
    end = time.monotonic() + 5
    while time.monotonic() < end:
        if checked(lever) != before and lever.getState().contains(pyatspi.STATE_FOCUSED):
            return []
        time.sleep(0.05)
    return [f"Switch {k} after its action: checked {checked(lever)}, focused "
            f"{lever.getState().contains(pyatspi.STATE_FOCUSED)}"]


def main():
    verb = sys.argv[1]
    if verb == "wake":
        pyatspi.Registry.getDesktop(0)
        return 0
    wrong = hear(int(sys.argv[2]), sys.argv[3], json.loads(sys.argv[4])) if verb == "hear" \
        else press(int(sys.argv[2]))
    print("\n".join(wrong))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
