#!/usr/bin/env python3
"""The built tavrine as a screen reader finds and drives it.

Usage: tavrine_a11y.py <path to tavrine> [--page <built page's folder> |
                                          --languages <code>...]

Run inside a private session bus (dbus-run-session), which starts its own
AT-SPI bus. Starts Xvfb and the program with its accessibility on (the
Session of tavrine_e2e.py), then, through AT-SPI only (pyatspi):
- checks the name, role and states of every control a pupil can reach, and
  the label relations;
- drives a lesson by actions and values alone: select b, press 3, press
  "決定", set the tangent slider's value, switch on the second tangent;
- after each step reads the plot's description and checks the screen's pixels.

With --page, compares instead each control of the table as the desktop's
AT-SPI tree and chromium's accessibility tree of the page present it after
the lesson's reset: name, role, description and label relations.

With --languages, starts the program in each language in turn (LANGUAGE)
and reads its whole tree after a lesson's first steps: no name, description,
text or action in Japanese (Han characters in Chinese only).
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

from tavrine_e2e import (BLUE, LIME, PLOT, PURPLE, ROWS, TEAL, TEXTS, CaseFailed, Session,  # noqa: E402
                         blue_on_x_axis, lime_dot_at, line_shows, name_of, sentence,
                         tangent_rows, to_plot_pixel)

# ---------------------------------------------------------------- the tree

# Every control a pupil can reach or read: name (the names of live labels and
# toggles go on with the text they show), role, and states it must and must
# not have. Roles are compared as AT-SPI's values: their names differ between
# releases ("push button" and "button").
BUTTON, CHECK_BOX, FRAME, IMAGE, LABEL, SCROLL_BAR, PANEL = (
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_FRAME, pyatspi.ROLE_IMAGE,
    pyatspi.ROLE_LABEL, pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_PANEL)
# Every control a pupil can reach or read, by its id in the control table,
# with what a live label or toggle shows at the start (its name goes on with
# it), role, and states it must and must not have.
CONTROLS = [
    ("PaintBox1", None, IMAGE, {"showing"}, {"focusable"}),
    ("LblSetten", None, LABEL, {"showing"}, set()),
    ("ScrollBar1", None, SCROLL_BAR, {"focusable", "focused"}, set()),
    ("ScrollBar2", None, SCROLL_BAR, {"focusable"}, set()),
    ("GroupBox1", None, PANEL, {"showing"}, set()),
    ("GroupBox2", None, PANEL, {"showing"}, set()),
    ("BtnSyuryo", None, BUTTON, {"focusable"}, set()),
    ("BtnKettei", None, BUTTON, {"focusable"}, set()),
    ("BtnMinus", None, BUTTON, {"focusable"}, set()),
    ("BBtnSessenSu", TEXTS["oneTangentAtReset"], CHECK_BOX, {"focusable", "showing"}, {"checked"}),
    ("BBtnHojosen", TEXTS["chordOff"], CHECK_BOX, set(), {"showing", "checked"}),
    ("SbnSiki", None, CHECK_BOX, {"showing"}, {"checked", "focusable"}),
    ("SbnKeisuA", None, CHECK_BOX, {"checked"}, {"focusable"}),
    ("SbnKeisuB", None, CHECK_BOX, set(), {"checked", "focusable"}),
    ("SbnKeisuC", None, CHECK_BOX, set(), {"checked", "focusable"}),
    ("SbnKeisuD", None, CHECK_BOX, set(), {"checked", "focusable"}),
    ("LblKeisuA", "1", LABEL, {"showing"}, set()),
    ("LblKeisuB", "0", LABEL, {"showing"}, set()),
    ("LblKeisuC", "0", LABEL, {"showing"}, set()),
    ("LblKeisuD", "0", LABEL, {"showing"}, set()),
    # Named in words, as a teacher reads the equation; its text stays as shown.
    ("LblSiki", "y イコール x の 3 乗", LABEL, {"showing"}, set()),
    ("Label2", None, LABEL, {"showing"}, set()),
] + [("Btn0%d" % d, None, BUTTON, {"focusable", "showing"}, set()) for d in range(10)]

GRAPH = name_of("PaintBox1")
HEAR_CURVE, HEAR_TANGENT = TEXTS["hearCurve"], TEXTS["hearTangent"]

def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def actions(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


class Reader:
    """The program's tree on the AT-SPI bus."""

    def __init__(self, session):
        self.app = self.find_application(session)

    @staticmethod
    def find_application(session):
        """Waits for the program's registration with the AT-SPI registry:
        60 s at most, long enough for a loaded machine running tests side by
        side (the bus itself is there already: start_atspi_bus)."""
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == "tavrine" and app.childCount > 0:
                    return app
            time.sleep(0.2)
        session.expect_running()
        raise CaseFailed("the program never showed up on the AT-SPI bus; its log:\n%s"
                         % session.log_text())

    def find(self, name):
        for acc in walk(self.app):
            if acc.name == name:
                return acc
        raise CaseFailed("nothing called %r; the tree has %r"
                         % (name, sorted({a.name for a in walk(self.app) if a.name})))

    def act(self, name, wanted):
        acc = self.find(name)
        action = acc.queryAction()
        for i in range(action.nActions):
            if action.getName(i) == wanted:
                action.doAction(i)
                return
        raise CaseFailed("%s offers %r, not %s" % (name, actions(acc), wanted))

    def plot_description(self):
        return self.find(GRAPH).description

    def wait_for_description(self, *parts):
        deadline = time.monotonic() + 10
        while True:
            description = self.plot_description()
            if all(part in description for part in parts):
                return description
            if time.monotonic() > deadline:
                raise CaseFailed("the plot reads %r, without %r" % (description, parts))
            time.sleep(0.1)


def check_tree(reader):
    names = {control: name_of(control, shown) for control, shown, *_ in CONTROLS}
    window = (TEXTS["lessonName"], FRAME, {"active"}, set())
    for name, role, present, absent in [window] + [
            (names[control], role, present, absent) for control, _, role, present, absent in CONTROLS]:
        acc = reader.find(name)
        have = states(acc)
        if acc.getRole() != role or not present <= have or have & absent:
            raise CaseFailed("%s: %s with %s; wanted %s with %s and without %s"
                             % (name, acc.getRoleName(), sorted(have), role.value_nick,
                                sorted(present), sorted(absent)))
        if not acc.description:
            raise CaseFailed("%s has no description" % name)
    hidden = reader.find(names["BBtnHojosen"])
    if actions(hidden):
        raise CaseFailed("the hidden chord toggle offers %r" % actions(hidden))
    for control in (control for control in names if ROWS[control]["labelFor"]):
        label, target = names[control], names[ROWS[control]["labelFor"]]
        relations = {(r.getRelationType(), r.getTarget(i).name)
                     for r in reader.find(label).getRelationSet() for i in range(r.getNTargets())}
        if (pyatspi.RELATION_LABEL_FOR, target) not in relations:
            raise CaseFailed("%s is not the label of %s" % (label, target))


def cubic(x):
    return x ** 3 + 3 * x ** 2


def lesson(session):
    reader = Reader(session)
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    check_tree(reader)
    reader.wait_for_description(sentence("curve", "y イコール x の 3 乗"),
                                sentence("inflection", "(0, 0)"),
                                sentence("tangent", "(0, 0)", 0, "y イコール 0"))
    if "^" in reader.plot_description():
        raise CaseFailed("the plot reads %r" % reader.plot_description())

    # The plot can be heard from the screen reader: both pieces are offered
    # and taken (this session has no sound device; the program goes on).
    offered = actions(reader.find(GRAPH))
    if offered[:2] != [HEAR_CURVE, HEAR_TANGENT]:
        raise CaseFailed("the plot offers %r" % offered)
    reader.act(GRAPH, HEAR_CURVE)
    reader.act(GRAPH, HEAR_TANGENT)
    session.expect_running()

    # b is selected and 3 typed: the latch and the lesson move together, so the
    # digit lands under "b=", and nothing in the plot changes.
    reader.act(name_of("SbnKeisuB"), "Toggle")
    if "checked" not in states(reader.find(name_of("SbnKeisuB"))):
        raise CaseFailed("the toggle did not latch b")
    reader.act(name_of("Btn03"), "Press")
    reader.find(name_of("LblKeisuB", 3))
    reader.find(name_of("LblKeisuA", 1))
    if not blue_on_x_axis(session.shot()):
        raise CaseFailed("the plot changed before the confirmation")

    # "決定": y = x^3 + 3x^2, inflection point (-1, 2), slope -3 there.
    reader.act(name_of("BtnKettei"), "Press")
    reader.wait_for_description(sentence("curve", "y イコール x の 3 乗 プラス 3 x の 2 乗"),
                                sentence("inflection", "(マイナス 1, 2)"),
                                sentence("tangent", "(マイナス 1, 2)", "マイナス 3",
                                         "y イコール マイナス 3 x マイナス 1"))
    reader.find(name_of("LblSiki", "y イコール x の 3 乗 プラス 3 x の 2 乗"))
    dot = to_plot_pixel(-1, 2, 20)
    rows = tangent_rows(-1, 2, -3, 20, (250, 300, 360))
    session.wait_until("the lime dot and the tangent at (-1, 2)",
                       lambda s: lime_dot_at(s, dot) and line_shows(s, BLUE, rows))

    # The tangent slider set to 80: (80 - 50) * 20 / 300 = 2 to the right of
    # the inflection point, the point (1, 4) with the slope 9.
    slider = reader.find(name_of("ScrollBar2"))
    slider.queryValue().currentValue = 80
    reader.wait_for_description(sentence("tangent", "(1, 4)", 9, "y イコール 9 x マイナス 5"))
    if slider.queryValue().currentValue != 80:
        raise CaseFailed("the slider stands at %r" % slider.queryValue().currentValue)
    rows = tangent_rows(1, 4, 9, 20, (300, 330, 360))
    session.wait_until("the tangent at (1, 4)", lambda s: line_shows(s, BLUE, rows))

    # The second tangent, at (-3, 0), parallel to the first.
    reader.act(name_of("BBtnSessenSu", TEXTS["oneTangentAtReset"]), "Press")
    toggle = reader.find(name_of("BBtnSessenSu", TEXTS["twoTangents"]))
    if "checked" not in states(toggle):
        raise CaseFailed("the second tangent's toggle does not read as on")
    reader.wait_for_description(sentence("secondTangent", "(マイナス 3, 0)", "y イコール 9 x プラス 27"))
    chord = reader.find(name_of("BBtnHojosen", TEXTS["chordOff"]))
    if "showing" not in states(chord) or "Press" not in actions(chord):
        raise CaseFailed("the chord toggle is not offered with two tangents")
    purple = tangent_rows(-3, 0, 9, 20, (100, 120, 140))
    session.wait_until("the purple tangent at (-3, 0) beside the blue one",
                       lambda s: line_shows(s, PURPLE, purple) and line_shows(s, BLUE, rows))

    # The slope curve from the plot's context menu, taken with the keyboard,
    # its entry read as checked or not: y' = 3x^2 + 6x is read with where
    # it is 0, its point (1, 9) under the tangent point is drawn in teal, and
    # the entry reads as checked when the menu opens again.
    if "checked" in states(open_plot_menu(session, reader)):
        raise CaseFailed("the slope curve's entry reads as checked before it is taken")
    session.type_keys("Return")
    reader.wait_for_description(TEXTS["slopeCurve"] + " y イコール 3 x の 2 乗 プラス 6 x",
                                sentence("slopePoint", "(1, 9)"))
    mark = to_plot_pixel(1, 9, 20)
    session.wait_until("the slope curve's point under the tangent point",
                       lambda s: s.plot_near(mark[0], mark[1], TEAL))
    if "checked" not in states(open_plot_menu(session, reader)):
        raise CaseFailed("the slope curve's entry does not read as checked while it shows")
    session.type_keys("Escape")


def open_plot_menu(session, reader):
    """Opens the plot's context menu with the right button, away from the
    tangent point, and moves to its first entry with Down, as a screen reader
    user would: a popup menu is no child of the program on the bus, so its
    entry is the one the focus event names."""
    focused = []

    def listener(event):
        if event.detail1:
            focused.append(event.source)

    pyatspi.Registry.registerEventListener(listener, "object:state-changed:focused")
    try:
        session.click((PLOT[0] + 600, PLOT[1] + 600), button=3)
        session.type_keys("Down")
        deadline = time.monotonic() + 10
        while True:
            GLib.MainContext.default().iteration(False)
            entry = next((a for a in focused if a.name == TEXTS["slopeCurve"]), None)
            if entry is not None:
                return entry
            if time.monotonic() > deadline:
                raise CaseFailed("the plot's context menu gave the focus to %r"
                                 % [a.name for a in focused])
            time.sleep(0.05)
    finally:
        pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")


# Each AT-SPI role and the role chromium gives the page's control.
PAGE_ROLES = {BUTTON: "button", CHECK_BOX: "checkbox", IMAGE: "image", LABEL: "note",
              SCROLL_BAR: "slider", PANEL: "group"}
AX_TREE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web", "tests",
                       "ax_tree.mjs")


def labelled_by(acc):
    """Names of what labels the control, leaving out the panel it lies in."""
    parent = acc.parent.name if acc.parent is not None else None
    return {r.getTarget(i).name for r in acc.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(r.getNTargets())} - {parent}


def page_matches_desktop(session, site):
    reader = Reader(session)
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    reader.wait_for_description(sentence("tangent", "(0, 0)", 0, "y イコール 0"))
    run = subprocess.run(["node", AX_TREE], env=dict(os.environ, TAVRINE_SITE=site),
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        raise CaseFailed("reading the page's tree failed: %s" % run.stderr)
    page = json.loads(run.stdout)
    desktop = {acc.name: acc for acc in walk(reader.app) if acc.name}
    with open(os.environ["TAVRINE_CONTROLS"], encoding="utf-8") as table:
        ids = [row["id"] for row in json.load(table)]
    # The visible "接点" names the slider it labels, before the slider's own name.
    slider = page[ROWS["LblSetten"]["labelFor"]]["name"]
    if not slider.startswith(page["LblSetten"]["name"] + " "):
        raise CaseFailed("the page names the tangent slider %r" % slider)
    for control in ids:
        seen = page.get(control)
        # The page names a control by its visible label first ("接点"), then
        # by the name the desktop gives it.
        name = seen and seen["name"]
        for label in seen["labelledBy"] if seen and seen.get("inTree") else []:
            name = name.removeprefix(page[label]["name"] + " ")
        acc = desktop.get(name) if seen else None
        if acc is None:
            raise CaseFailed("%s: the page calls it %r, which nothing on the desktop is called"
                             % (control, seen and seen["name"]))
        if seen["inTree"] != ("showing" in states(acc)):
            raise CaseFailed("%s is shown in one edition only" % control)
        if not seen["inTree"]:
            continue
        labels = {page[other]["name"] for other in seen["labelledBy"]}
        mine = (PAGE_ROLES.get(acc.getRole()), acc.description, labelled_by(acc))
        theirs = (seen["role"], seen["description"], labels)
        if mine != theirs:
            raise CaseFailed("%s: the desktop has %r, the page %r" % (control, mine, theirs))


# Kana; Han and the ideographic full stop, comma and space outside Chinese.
KANA = re.compile("[\u3040-\u30ff\u31f0-\u31ff]")
HAN = re.compile("[\u3000-\u303f\u3400-\u9fff\uf900-\ufaff]")


def speaks_no_japanese(session, tag):
    try:
        reader = Reader(session)
    except CaseFailed as failure:
        raise CaseFailed("%s: %s" % (tag, failure))
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    # Read until the whole tree is there: the window's controls and the
    # plot's reading of the curve; a tree that says little says no Japanese
    # either.
    deadline = time.monotonic() + 15
    while True:
        texts = []
        for acc in walk(reader.app):
            texts += [acc.name, acc.description] + actions(acc)
            try:
                texts.append(acc.queryText().getText(0, -1))
            except NotImplementedError:
                pass
        texts = [text for text in texts if text]
        # The plot's reading: its points, and the curve said "y ... x ...".
        if len(texts) >= 60 and any(re.search(r"\by .* x .*\(", text) for text in texts):
            break
        if time.monotonic() > deadline:
            raise CaseFailed("%s: only %d texts in the tree" % (tag, len(texts)))
        time.sleep(0.2)
    # The curve in the language's words (English: y equals x cubed).
    if tag == "en" and not any("y equals x cubed" in text for text in texts):
        raise CaseFailed("en: the plot is not read in words: %r" % texts)
    for text in texts:
        if KANA.search(text) or (not tag.startswith("zh") and HAN.search(text)):
            raise CaseFailed("%s: %r" % (tag, text))


def start_atspi_bus(runtime_dir):
    """Starts the session's AT-SPI bus and its registry and waits until both
    answer, before any program or reader asks for them: 60 s at most. The
    bus's socket goes into runtime_dir, not the user's shared one, where the
    bus of another test run on the machine would take its place. A program
    that asks for the bus while it is still starting may never register,
    and a reader that asks then falls back to the session bus for good."""
    subprocess.run(["dbus-update-activation-environment", "XDG_RUNTIME_DIR=" + runtime_dir],
                   check=True, capture_output=True)
    send = ["dbus-send", "--print-reply=literal", "--reply-timeout=5000"]
    deadline = time.monotonic() + 60
    while True:
        answer = subprocess.run(send + ["--session", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                        "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
        if answer.returncode == 0:
            answer = subprocess.run(
                send + ["--bus=" + answer.stdout.strip(), "--dest=org.a11y.atspi.Registry",
                        "/org/a11y/atspi/accessible/root", "org.freedesktop.DBus.Properties.Get",
                        "string:org.a11y.atspi.Accessible", "string:ChildCount"],
                capture_output=True, text=True)
            if answer.returncode == 0:
                return
        if time.monotonic() > deadline:
            raise CaseFailed("the AT-SPI bus did not answer within 60 s: " + answer.stderr)
        time.sleep(0.2)


def main():
    if len(sys.argv) == 4 and sys.argv[2] == "--page":
        case, site = "page", sys.argv[3]
    elif len(sys.argv) == 2:
        case, site = "a11y", None
    elif len(sys.argv) > 3 and sys.argv[2] == "--languages":
        case, site = "languages", None
    else:
        print("usage: %s <tavrine> [--page <site>]" % sys.argv[0], file=sys.stderr)
        return 2
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        print("run inside dbus-run-session", file=sys.stderr)
        return 2
    accessibility = {"QT_ACCESSIBILITY": "1", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}
    runtime_dir = tempfile.mkdtemp(prefix="tavrine-atspi-")
    try:
        start_atspi_bus(runtime_dir)
        for tag in sys.argv[3:] if case == "languages" else []:
            with Session(sys.argv[1], case, program_env=dict(accessibility, LANGUAGE=tag)) as session:
                speaks_no_japanese(session, tag)
                session.expect_running()
        if case == "languages":
            print("PASS %s" % case)
            return 0
        with Session(sys.argv[1], case, program_env=accessibility) as session:
            if site:
                page_matches_desktop(session, site)
            else:
                lesson(session)
            session.expect_running()
    except CaseFailed as failure:
        print("FAIL %s: %s" % (case, failure))
        return 1
    finally:
        shutil.rmtree(runtime_dir, ignore_errors=True)
    print("PASS %s" % case)
    return 0


if __name__ == "__main__":
    sys.exit(main())
