#!/usr/bin/python3
# Reads and drives the Linux program through the real accessibility bus, as a
# screen reader does (pyatspi, so Debian's own python3):
#
# atspi_probe.py wake              brings the accessibility bus up, before programs start
# atspi_probe.py focus|blur        waits until the field has (has not) the keyboard focus
# atspi_probe.py hear CODE TEXT BELOW WORDS GEOMETRY
#     each switch is a check box "Switch k", checked while ON and described ON or
#     OFF as CODE says; the field is text "Frequency in MHz" holding TEXT,
#     described WORDS if BELOW is 1 and otherwise not; the
#     housing is "DIP switch"; each lies where GEOMETRY (JSON: name to x, y, w, h
#     in window pixels) puts it
# atspi_probe.py report           prints every text of the report box
# atspi_probe.py press K NAME...   switch K offers the actions NAME... (a|b: either); the first
#                                  must flip it and move the focus to it
# Status 0 when all holds; every wait is bounded.
import json, sys, time
import pyatspi


def controls():
    # The settings window and its controls by name.
    end = time.monotonic() + 10
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            for frame in app or []:
                # The Linux program's window, or Firefox's or WebKit's with the web page.
                if frame and frame.name.removeprefix("[Automation] ").split(" — ")[0] in ("Settings for Corvex:", "Corvex_Settings"):
                    found, todo = {}, list(frame)
                    while todo:
                        found[todo[0].name] = todo[0]
                        todo += list(todo.pop(0))
                    return frame, found
        time.sleep(0.1)
    sys.exit("no settings window on the accessibility bus")


def has(node, state):
    return node.getState().contains(state)


def until(check, seconds=5):
    # A client is told of a change a moment after it (Firefox: a page just
    # loaded, its field's text): check again, bounded.
    end = time.monotonic() + seconds
    while (wrong := check()) and time.monotonic() < end:
        time.sleep(0.05)
    return wrong


def hear(code, text, below, words, geometry):
    frame, found = controls()
    heard = {name: (node.getRoleName(), has(node, pyatspi.STATE_CHECKED), node.description)
             for name, node in found.items() if name.startswith("Switch ")}
    wanted = {f"Switch {k}": ("check box", on, "ON" if on else "OFF")
              for k, on in ((k, not (code >> (k - 1)) & 1) for k in range(1, 9))}
    wrong = [f"{name}: {heard.get(name)}, not {wanted[name]}" for name in wanted
             if heard.get(name) != wanted[name]]
    field = found.get("Frequency in MHz")
    if field is None or field.getRoleName() not in ("text", "entry") or field.queryText().getText(0, -1) != text:
        wrong.append(f"field: {field and field.getRoleName()} {field and field.queryText().getText(0, -1)!r}")
    elif (field.description == words) != below:
        wrong.append(f"field described {field.description!r}")
    # Relative to the window, both as the screen has them: Qt gives window
    # coordinates as screen ones.
    origin = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for name, rect in geometry.items():
        e = found[name].queryComponent().getExtents(pyatspi.DESKTOP_COORDS) if name in found else None
        if e is None or [e.x - origin.x, e.y - origin.y, e.width, e.height] != rect:
            wrong.append(f"{name} at {e and [e.x - origin.x, e.y - origin.y, e.width, e.height]}, not {rect}")
    return wrong


def press(k, wanted):
    lever = controls()[1][f"Switch {k}"]
    before, actions = has(lever, pyatspi.STATE_CHECKED), lever.queryAction()
    names = lambda: [actions.getName(i) for i in range(actions.nActions)]
    # Firefox tells them a moment after the node.
    # A wanted name "a|b": either, as a check box's action that names what it will do.
    offered = lambda name: next((n for n in names() if n in name.split("|")), None)
    if until(lambda: [name for name in wanted if not offered(name)], 10):
        return [f"Switch {k} offers the actions {names()}, not {wanted}"]
    actions.doAction(names().index(offered(wanted[0])))
    return until(lambda: [] if has(lever, pyatspi.STATE_CHECKED) != before and has(lever, pyatspi.STATE_FOCUSED)
                 else [f"Switch {k} after its action: checked {has(lever, pyatspi.STATE_CHECKED)}, "
                       f"focused {has(lever, pyatspi.STATE_FOCUSED)}"])


def focus(wanted=True):
    # Waits until the field has (or has lost) the keyboard focus: keys sent now
    # reach it; a click that moved the focus away has been handled.
    field = controls()[1]["Frequency in MHz"]
    return until(lambda: [] if has(field, pyatspi.STATE_FOCUSED) == wanted
                 else [f"the field does not {'get' if wanted else 'lose'} the focus"])


def report():
    # Every text of the report box, as a screen reader reads it out.
    said = []
    for node in controls()[1].values():
        said.append(node.name)
        if "Text" in pyatspi.utils.listInterfaces(node):
            said.append(node.queryText().getText(0, -1))
    print("\n".join(said))
    return []


if __name__ == "__main__":
    verb = sys.argv[1]
    if verb == "wake":
        sys.exit(0 if pyatspi.Registry.getDesktop(0) is not None else "no desktop on the accessibility bus")
    wrong = {"hear": lambda: until(lambda: hear(int(sys.argv[2]), sys.argv[3], sys.argv[4] == "1", sys.argv[5], json.loads(sys.argv[6]))),
             "press": lambda: press(int(sys.argv[2]), sys.argv[3:]), "focus": focus, "blur": lambda: focus(False), "report": report}[verb]()
    print("\n".join(wrong))
    sys.exit(1 if wrong else 0)
