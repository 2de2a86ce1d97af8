#!/usr/bin/env python3
"""Drives the built tavrine binary on a display of its own, as a pupil does.

Usage: TAVRINE_CONTROLS=<build>/tests/controls.json tavrine_e2e.py <path to tavrine> <case>

Each case starts its own Xvfb on a free display number and the program on it,
with nothing but the display to find it by, finds the window, gives it the
keyboard focus with xdotool, clicks and types at the controls' places in the
window's fixed layout, and reads what the screen shows from screenshots of the
window (xwd). Xvfb and the program are stopped when the case ends, also when
it fails, and die with this script if it is killed.

Screen positions below are client coordinates of the window's layout; without
a window manager the window sits at (0, 0) with no frame.
"""

import ctypes
import ctypes.util
import json
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

# ---------------------------------------------------------------- the layout

# The window's places, as the control table gives them (controls.json, which
# the build writes from it; TAVRINE_CONTROLS names it).
with open(os.environ["TAVRINE_CONTROLS"], encoding="utf-8") as table:
    ROWS = {row["id"]: row for row in json.load(table)}
# The program's sentences by name, which the build writes beside it.
with open(os.path.join(os.path.dirname(os.environ["TAVRINE_CONTROLS"]), "texts.json"),
          encoding="utf-8") as texts:
    TEXTS = json.load(texts)


def filled(text, *values):
    """A text with its places {1}.. filled, as the program fills them."""
    for n, value in enumerate(values, 1):
        text = text.replace("{%d}" % n, str(value))
    return text


def sentence(name, *values):
    """One sentence of the plot's reading, closed as the reading closes it."""
    return filled(TEXTS[name], *values) + TEXTS["sentenceEnd"]


def name_of(control, shown=None):
    """A control's accessible name; a live control's goes on with what it shows."""
    if shown is None:
        return ROWS[control]["name"]
    return filled(TEXTS["nameAndValue"], ROWS[control]["plainName"], shown)


def place(control):
    """(left, top, width, height) of a control in the window's client area."""
    left, top, width, height = ROWS[control]["place"]
    parent = ROWS[control]["parent"]
    if parent:
        left, top = left + ROWS[parent]["place"][0], top + ROWS[parent]["place"][1]
    return (left, top, width, height)


def centre(control):
    left, top, width, height = place(control)
    return (left + width // 2, top + height // 2)


PLOT = place("PaintBox1")[:2]
PLOT_SIZE = place("PaintBox1")[2]
KEYPAD = {key: centre(control) for key, control in (
    [(str(d), "Btn0%d" % d) for d in range(10)] + [("-", "BtnMinus"), ("K", "BtnKettei")])}
SELECTORS = {key: centre(control) for key, control in zip(
    "abcde", ("SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD", "SbnSiki"))}
LBL_SIKI = place("LblSiki")
BTN_SESSEN_SU = centre("BBtnSessenSu")
BBTN_HOJOSEN_RECT = place("BBtnHojosen")
BTN_HOJOSEN = centre("BBtnHojosen")
BTN_SYURYO = centre("BtnSyuryo")
SCROLLBAR1 = place("ScrollBar1")  # zoom
SCROLLBAR2 = place("ScrollBar2")  # tangent point


def arrow(bar, side):
    """A point on the bar's left or right arrow button."""
    left, top, width, height = bar
    x = left + 5 if side == "left" else left + width - 6
    return (x, top + height // 2)


# ---------------------------------------------------------------- colours

SILVER = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
LIME = (0, 255, 0)
BLUE = (0, 0, 255)
PURPLE = (128, 0, 128)
TEAL = (0, 128, 128)
GREEN = (0, 128, 0)
MONEY_GREEN = (192, 220, 192)

# ---------------------------------------------------------------- arithmetic


def single(value):
    """value rounded to single precision, as the lesson stores points."""
    return struct.unpack("f", struct.pack("f", value))[0]


def roundoff(value):
    return int(value + 0.5) if value >= 0 else -int(-value + 0.5)


def to_plot_pixel(x, y, scale):
    """Curve coordinates to a pixel of the plot area at view scale `scale`."""
    px = single(PLOT_SIZE * x / scale + PLOT_SIZE / 2)
    py = single(PLOT_SIZE * -y / scale + PLOT_SIZE / 2)
    return roundoff(px), roundoff(py)


def grid_lines(scale):
    """Columns (and rows) of the grid lines inside the plot area."""
    lines = {}
    for i in range(-scale, scale + 1):
        column = to_plot_pixel(i, 0, scale)[0]
        if 0 <= column < PLOT_SIZE:
            lines[i] = column
    return lines


def step_divisor(scale):
    return 50 + 50 * ((scale + 3) // 4) if scale <= 28 else 450


def tangent_point(position, scale, inflection_x, curve):
    x = single((position - 50) * scale / step_divisor(scale) + inflection_x)
    return x, single(curve(x))


# ---------------------------------------------------------------- failures


class CaseFailed(Exception):
    pass


# ---------------------------------------------------------------- screenshots


class Shot:
    """A screenshot of the window, read from xwd's output."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        (header_size, _version, pixmap_format, _depth, self.width, self.height, _xoffset,
         byte_order, _unit, _bit_order, _pad, bits_per_pixel, self.stride, _class,
         red_mask, green_mask, blue_mask, _bits_rgb, _entries, colours) = fields[:20]
        if pixmap_format != 2 or bits_per_pixel != 32:
            raise CaseFailed("unexpected xwd format %d with %d bits per pixel"
                             % (pixmap_format, bits_per_pixel))
        start = header_size + 12 * colours
        self.data = data[start:start + self.stride * self.height]

        def byte_of(mask):
            shift = mask.bit_length() - 8
            return shift // 8 if byte_order == 0 else 3 - shift // 8

        self.channels = (byte_of(red_mask), byte_of(green_mask), byte_of(blue_mask))

    def pixel(self, x, y):
        """The colour at window client pixel (x, y)."""
        base = y * self.stride + 4 * x
        r, g, b = self.channels
        return (self.data[base + r], self.data[base + g], self.data[base + b])

    def plot(self, x, y):
        """The colour at pixel (x, y) of the plot area."""
        return self.pixel(PLOT[0] + x, PLOT[1] + y)

    def plot_near(self, x, y, colour, reach=1):
        return any(self.plot(x + dx, y + dy) == colour
                   for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))

    def plot_pixels(self, colour, box):
        """Plot pixels of `colour` inside box (left, top, right, bottom), inclusive."""
        left, top, right, bottom = box
        return [(x, y) for y in range(max(top, 0), min(bottom, PLOT_SIZE - 1) + 1)
                for x in range(max(left, 0), min(right, PLOT_SIZE - 1) + 1)
                if self.plot(x, y) == colour]

    def text_extent(self, rect):
        """Left and right column of the reddish text pixels inside rect."""
        left, top, width, height = rect
        columns = [x for x in range(left, left + width) for y in range(top, top + height)
                   if self.is_reddish(self.pixel(x, y))]
        return (min(columns), max(columns)) if columns else None

    @staticmethod
    def is_reddish(colour):
        r, g, b = colour
        return r > 150 and g < 110 and b < 110

    def save(self, path):
        with open(path, "wb") as out:
            out.write(b"P6 %d %d 255\n" % (self.width, self.height))
            out.write(bytes(c for y in range(self.height) for x in range(self.width)
                            for c in self.pixel(x, y)))


# ---------------------------------------------------------------- the session


def die_with_this_script():
    """Run in each child: it gets SIGKILL when the script itself ends."""
    libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
    libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class Session:
    """Xvfb on a free display with the program on it, and its window."""

    def __init__(self, program, case, program_env=None, screen=(1280, 1024), args=()):
        self.program = program
        self.args = list(args)
        self.case = case
        self.program_env = program_env or {}
        self.screen = screen
        self.xvfb = None
        self.app = None
        self.window = None
        self.pointer = None
        self.last_shot = None

    # -- start and stop

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="tavrine-e2e-")
        os.chmod(self.home, 0o700)
        self.log = open(os.path.join(self.home, "log"), "w+")
        try:
            self.start_display()
            self.start_program()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None and self.last_shot is not None:
            path = os.path.abspath("e2e_%s_failure.ppm" % self.case)
            self.last_shot.save(path)
            print("last screenshot: %s" % path)
        self.stop()
        return False

    def start_display(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % self.screen,
             # No auto-repeat: xdotool's press and release of a key may be
             # held apart on a busy machine, and a repeated H or arrow key
             # is another key for the program.
             "-nolisten", "tcp", "-noreset", "-r"],
            pass_fds=(write_end,), stdout=self.log, stderr=self.log,
            preexec_fn=die_with_this_script)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                raise CaseFailed("Xvfb did not start:\n" + self.log_text())
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        # Only the display: no setting of the program's own is passed on, and
        # none of the test run's Qt settings (such as its offscreen platform).
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith("QT_")}
        self.env["DISPLAY"] = self.display
        self.env["XDG_RUNTIME_DIR"] = self.home
        # A home of its own, empty, to find whatever the program writes there.
        self.user_home = os.path.join(self.home, "user")
        os.mkdir(self.user_home)
        self.env["HOME"] = self.user_home
        for folder in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"):
            self.env.pop(folder, None)
        self.env.update(self.program_env)

    def start_program(self):
        self.app = subprocess.Popen([self.program, *self.args], env=self.env, stdout=self.log,
                                    stderr=self.log, preexec_fn=die_with_this_script)
        self.window = self.find_window()
        self.tool("windowfocus", "--sync", str(self.window))
        focused = self.tool("getwindowfocus").strip()
        if focused != str(self.window):
            raise CaseFailed("the focus is on window %s, not %s" % (focused, self.window))

    def stop(self):
        for process in (self.app, self.xvfb):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def expect_no_files_written(self):
        """The lesson lives in memory: a file is written only when the pupil
        saves one, and no case here does."""
        written = [os.path.relpath(os.path.join(folder, name), self.user_home)
                   for folder, _, names in os.walk(self.user_home) for name in names]
        if written:
            raise CaseFailed("the program wrote %s" % ", ".join(sorted(written)))

    def log_text(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read()

    # -- X tools

    def tool(self, *args, program="xdotool"):
        result = subprocess.run([program, *args], env=self.env, capture_output=True,
                                text=True, timeout=30)
        if result.returncode != 0:
            raise CaseFailed("%s %s failed: %s" % (program, " ".join(args), result.stderr))
        return result.stdout

    def find_window(self):
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if self.app.poll() is not None:
                raise CaseFailed("the program ended with status %d before showing its "
                                 "window:\n%s" % (self.app.returncode, self.log_text()))
            found = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", "^Tavrine$"],
                env=self.env, capture_output=True, text=True, timeout=30).stdout.split()
            if found:
                window = int(found[0])
                geometry = self.tool("getwindowgeometry", str(window))
                if "Position: 0,0" not in geometry or "Geometry: 1024x768" not in geometry:
                    raise CaseFailed("the window is not at (0, 0) in 1024 x 768:\n" + geometry)
                return window
            time.sleep(0.1)
        raise CaseFailed("no window named Tavrine appeared")

    def shot(self):
        data = subprocess.run(["xwd", "-id", str(self.window), "-silent"], env=self.env,
                              capture_output=True, timeout=30, check=True).stdout
        self.last_shot = Shot(data)
        return self.last_shot

    # -- what a pupil does

    def click(self, spot, button=1):
        # xdotool's --sync waits for the pointer to move, so it is left out
        # when the pointer already stands there.
        if spot != self.pointer:
            self.tool("mousemove", "--window", str(self.window), "--sync", *map(str, spot))
            self.pointer = spot
        self.tool("click", str(button))

    def drag(self, path):
        """Presses the left button at the first spot, moves through the
        others and lets go at the last."""
        for k, spot in enumerate(path):
            self.tool("mousemove", "--window", str(self.window), "--sync", *map(str, spot))
            self.pointer = spot
            if k == 0:
                self.tool("mousedown", "1")
        self.tool("mouseup", "1")

    def type_keys(self, *keys):
        self.tool("key", "--delay", "30", *keys)

    def keypad(self, keys):
        """Clicks keypad keys and selectors: a..e select, K is "決定"."""
        for key in keys:
            self.click(SELECTORS[key] if key in SELECTORS else KEYPAD[key])

    # -- what a pupil sees

    def wait_until(self, what, holds, timeout=15):
        """Takes screenshots until holds(shot) is true; fails after `timeout`."""
        deadline = time.monotonic() + timeout
        while True:
            self.expect_running()
            shot = self.shot()
            if holds(shot):
                return shot
            if time.monotonic() > deadline:
                raise CaseFailed("the screen never showed " + what)
            time.sleep(0.1)

    def expect_running(self):
        if self.app.poll() is not None:
            raise CaseFailed("the program ended with status %d:\n%s"
                             % (self.app.returncode, self.log_text()))

    def expect_exit(self, how):
        try:
            status = self.app.wait(timeout=15)
        except subprocess.TimeoutExpired:
            raise CaseFailed("the program still runs after " + how)
        if status != 0:
            raise CaseFailed("the program ended with status %d after %s:\n%s"
                             % (status, how, self.log_text()))

    def ask_to_close(self):
        """Sends the close request a window manager sends for the close box."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

        class Event(ctypes.Union):
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        connection = x11.XOpenDisplay(self.display.encode())
        if not connection:
            raise CaseFailed("cannot open display " + self.display)
        try:
            event = Event()
            event.xclient.type = 33  # ClientMessage
            event.xclient.window = self.window
            event.xclient.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
            event.xclient.format = 32
            event.xclient.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
            event.xclient.data[1] = 0  # CurrentTime
            if not x11.XSendEvent(connection, self.window, 0, 0, ctypes.byref(event)):
                raise CaseFailed("the close request could not be sent")
            x11.XFlush(connection)
        finally:
            x11.XCloseDisplay(connection)


# ---------------------------------------------------------------- checks


def cube(x):
    return x * x * x


def blue_on_x_axis(shot):
    return all(shot.plot(x, 330) == BLUE for x in (5, 100, 200, 300, 360, 460, 560, 655))


def lime_dot_at(shot, centre_pixel):
    """The 5-pixel lime dot sits on centre_pixel (a line may cross it)."""
    cx, cy = centre_pixel
    lime = shot.plot_pixels(LIME, (cx - 6, cy - 6, cx + 6, cy + 6))
    if len(lime) < 8:
        return False
    mean_x = sum(x for x, _ in lime) / len(lime)
    mean_y = sum(y for _, y in lime) / len(lime)
    return abs(mean_x - cx) <= 1.0 and abs(mean_y - cy) <= 1.0


def grid_at_scale(shot, scale):
    """Silver grid columns and rows on the lines of `scale`, white between them.

    Looked at where the curve y = x^3 and the tangent on the x axis are not:
    columns left of the y axis in the upper half, right of it in the lower
    half, and rows likewise."""
    lines = grid_lines(scale)
    for i, line in lines.items():
        if i == 0:
            continue
        between = line + (lines.get(i + 1, PLOT_SIZE) - line) // 2
        # A row (or column) halfway between two lines of the same quadrant.
        free = 330 - 3 * 660 // scale - 5 if i < 0 else 330 + 3 * 660 // scale + 5
        free = next(r for r in range(free, free + 30)
                    if all(abs(r - other) > 2 for other in lines.values()))
        if shot.plot(line, free) != SILVER or shot.plot(free, line) != SILVER:
            return False
        if between != line and (shot.plot(between, free) != WHITE
                                or shot.plot(free, between) != WHITE):
            return False
    return True


def tangent_rows(x0, y0, slope, scale, columns):
    """Rows of the tangent through (x0, y0) at the given plot columns."""
    rows = {}
    for column in columns:
        x = (column - 330) * scale / PLOT_SIZE
        rows[column] = roundoff(330 - PLOT_SIZE * (y0 + slope * (x - x0)) / scale)
    return rows


def line_shows(shot, colour, rows):
    return all(shot.plot_near(column, row, colour, reach=2) for column, row in rows.items()
               if 2 <= row < PLOT_SIZE - 2)


# ---------------------------------------------------------------- the cases


def starting_lesson(session):
    """The lesson a pupil finds: y = x^3 at view scale 20."""
    shot = session.wait_until("the tangent on the x axis", blue_on_x_axis)
    checks = {
        "the grid at view scale 20": grid_at_scale(shot, 20),
        "the y axis in black": all(shot.plot(330, y) == BLACK for y in (150, 250, 420, 520)),
        "the red curve through (1, 1), (-1, -1) and (2, 8)": all(
            shot.plot_near(*to_plot_pixel(x, cube(x), 20), RED) for x in (1, -1, 2)),
        "the lime dot on the centre of the plot": lime_dot_at(shot, (330, 330)),
        "lime nowhere else": not shot.plot_pixels(LIME, (0, 0, 659, 320)),
    }
    failed = [what for what, holds in checks.items() if not holds]
    if failed:
        raise CaseFailed("the starting lesson lacks " + ", ".join(failed))
    extent = shot.text_extent(LBL_SIKI)
    if extent is None or extent[0] > LBL_SIKI[0] + 6:
        raise CaseFailed("no equation text at the left of its label: %r" % (extent,))


def coefficient_entry(session):
    """b = -3 typed on the keypad and confirmed: y = x^3 - 3x^2."""
    before = session.wait_until("the tangent on the x axis", blue_on_x_axis)
    text_before = before.text_extent(LBL_SIKI)
    session.keypad("b-3K")
    dot = to_plot_pixel(1, -2, 20)
    if dot != (363, 396):
        raise CaseFailed("the inflection point maps to %r" % (dot,))
    shot = session.wait_until("the lime dot at the pixel of (1, -2)",
                              lambda s: lime_dot_at(s, dot))
    if shot.plot_pixels(LIME, (320, 320, 340, 340)):
        raise CaseFailed("the lime dot is still on the centre")
    # The tangent at the inflection point (1, -2) has the slope -3.
    if not line_shows(shot, BLUE, tangent_rows(1, -2, -3, 20, (300, 330, 390, 420))):
        raise CaseFailed("the tangent at (1, -2) is not where it should be")
    text_after = shot.text_extent(LBL_SIKI)
    # "y=x^3" became "y=x^3-3x^2": the same start, about twice as long.
    width_before = text_before[1] - text_before[0]
    width_after = text_after[1] - text_after[0]
    if text_after[0] != text_before[0] or not 1.5 * width_before < width_after < 2.6 * width_before:
        raise CaseFailed("the equation text spans %r, before %r" % (text_after, text_before))


def zoom_step(session):
    """One step of the zoom slider from 51 to 52: view scale 19, and back."""
    session.wait_until("the grid at view scale 20", lambda s: grid_at_scale(s, 20))
    session.click(arrow(SCROLLBAR1, "right"))
    session.wait_until("the grid at view scale 19 after a click",
                       lambda s: grid_at_scale(s, 19))
    # The click gave the slider the keyboard focus: arrow keys step it too.
    session.type_keys("Left")
    session.wait_until("the grid back at view scale 20 after Left",
                       lambda s: grid_at_scale(s, 20))
    session.type_keys("Right")
    session.wait_until("the grid at view scale 19 after Right",
                       lambda s: grid_at_scale(s, 19))


def tangent_slider(session):
    """The tangent point slider moves the blue tangent off the x axis."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)

    def tangent_at(position):
        x0, y0 = tangent_point(position, 20, 0.0, cube)
        return tangent_rows(x0, y0, 3 * x0 * x0, 20, (20, 120, 540, 640))

    for _ in range(3):
        session.click(arrow(SCROLLBAR2, "right"))
    rows = tangent_at(53)
    shot = session.wait_until("the tangent at position 53 after three clicks",
                              lambda s: line_shows(s, BLUE, rows))
    if blue_on_x_axis(shot):
        raise CaseFailed("the tangent is still on the x axis")
    session.type_keys("Right", "Right", "Right")
    rows = tangent_at(56)
    session.wait_until("the tangent at position 56 after three Right keys",
                       lambda s: line_shows(s, BLUE, rows))
    session.type_keys("Left")
    rows = tangent_at(55)
    shot = session.wait_until("the tangent at position 55 after Left",
                              lambda s: line_shows(s, BLUE, rows))
    if not lime_dot_at(shot, (330, 330)):
        raise CaseFailed("the inflection point moved with the tangent")


def tangent_drag(session):
    """The tangent point grabbed on the curve and dragged to x = 2."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    at = lambda column, row: (PLOT[0] + column, PLOT[1] + row)
    # Grabbed a few pixels off the point on the centre pixel, dragged along
    # to column 396, where x = 2: slider position 80, the point (2, 8).
    session.drag([at(334, 327), at(350, 300), at(375, 200), at(396, 150)])
    x0, y0 = tangent_point(80, 20, 0.0, cube)
    rows = tangent_rows(x0, y0, 3 * x0 * x0, 20, tuple(range(240, 421, 15)))
    shot = session.wait_until("the tangent at (2, 8) after the drag",
                              lambda s: line_shows(s, BLUE, rows))
    if blue_on_x_axis(shot):
        raise CaseFailed("the tangent is still on the x axis")
    # A press away from the point changes nothing.
    session.drag([at(100, 100), at(200, 500)])
    time.sleep(0.3)
    if not line_shows(session.shot(), BLUE, rows):
        raise CaseFailed("a drag away from the point moved the tangent")


def toggles(session):
    """The second tangent and the chord switched on and off."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    # Tangent point (2, 8): one click, then 29 Right keys to position 80.
    session.click(arrow(SCROLLBAR2, "right"))
    session.type_keys(*["Right"] * 29)
    x0, y0 = tangent_point(80, 20, 0.0, cube)
    if (x0, y0) != (2.0, 8.0):
        raise CaseFailed("position 80 computes as (%r, %r)" % (x0, y0))
    columns = tuple(range(240, 421, 15))
    blue = tangent_rows(2, 8, 12, 20, columns)
    purple = tangent_rows(-2, -8, 12, 20, columns)
    chord = {column: roundoff(330 - 4 * (column - 330)) for column in (280, 300, 360, 380)}
    chord_button = (BBTN_HOJOSEN_RECT[0] + 20, BBTN_HOJOSEN_RECT[1] + 4)
    shot = session.wait_until("the tangent at (2, 8)", lambda s: line_shows(s, BLUE, blue))
    if shot.plot_pixels(PURPLE, (0, 0, 659, 659)):
        raise CaseFailed("purple shows before the second tangent is switched on")
    if shot.pixel(*chord_button) != MONEY_GREEN:
        raise CaseFailed("the chord button shows before the second tangent is on")

    session.click(BTN_SESSEN_SU)
    session.wait_until("the chord button", lambda s: s.pixel(*chord_button) != MONEY_GREEN)
    # A zoom step from 51 to 50 keeps view scale 20 and repaints the plot.
    session.click(arrow(SCROLLBAR1, "left"))
    session.wait_until("the purple tangent at (-2, -8) beside the blue one",
                       lambda s: line_shows(s, PURPLE, purple) and line_shows(s, BLUE, blue))

    session.click(BTN_HOJOSEN)
    session.click(arrow(SCROLLBAR1, "right"))
    session.wait_until("the green chord through the inflection point",
                       lambda s: line_shows(s, GREEN, chord))

    session.click(BTN_SESSEN_SU)
    session.click(arrow(SCROLLBAR1, "left"))
    shot = session.wait_until(
        "one tangent again, without chord and chord button",
        lambda s: (s.pixel(*chord_button) == MONEY_GREEN and line_shows(s, BLUE, blue)
                   and not s.plot_pixels(PURPLE, (0, 0, 659, 659))
                   and not s.plot_pixels(GREEN, (250, 0, 410, 659))))


class Presented:
    """Where the layout's places land in presentation mode on a screen of
    width x height: the 1024 x 768 lesson scaled to fill the screen's height,
    centred."""

    def __init__(self, width, height):
        self.factor = min(width / 1024, height / 768)
        self.left = (width - 1024 * self.factor) / 2
        self.top = (height - 768 * self.factor) / 2

    def place(self, spot):
        """A spot of the layout (window client coordinates at 1024 x 768)."""
        return (int(self.left + spot[0] * self.factor), int(self.top + spot[1] * self.factor))

    def plot(self, x, y):
        """The middle of pixel (x, y) of the plot: the plot is drawn from the
        plot area's scaled corner, each of its pixels `factor` wide."""
        corner = self.place(PLOT)
        return (int(corner[0] + (x + 0.5) * self.factor),
                int(corner[1] + (y + 0.5) * self.factor))

    def near(self, shot, spot, colour, reach):
        x, y = spot
        return any(shot.pixel(x + dx, y + dy) == colour
                   for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))


def presentation(session):
    """F11 on a projector's screen: the whole lesson fills its height, centred,
    and is used at the scaled places; F11 again gives the window back."""
    width, height = session.screen
    at = Presented(width, height)
    reach = int(at.factor * 2) + 1
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    session.type_keys("F11")
    shot = session.wait_until("the window on the whole screen, the plot scaled",
                              lambda s: (s.width, s.height) == (width, height)
                              and s.pixel(*at.plot(330, 200)) == BLACK)
    # The plot's outline at its scaled place, with the background above it
    # and beside it; the same margin on both sides.
    corner = at.place(PLOT)
    if shot.pixel(corner[0] + reach, corner[1] + reach) != SILVER and \
            shot.pixel(corner[0] + reach, corner[1] + reach) != WHITE:
        raise CaseFailed("no plot at %r" % (corner,))
    for spot in ((corner[0] - 2, height // 2), (width - corner[0] + 2, height // 2),
                 (width // 2, 2)):
        if shot.pixel(*spot) != MONEY_GREEN:
            raise CaseFailed("not the window's background at %r: %r" % (spot, shot.pixel(*spot)))
    bottom = at.place((BTN_SYURYO[0], 628 + 49 + 30))[1]
    if not at.top <= 0 <= bottom <= height:
        raise CaseFailed("the lesson does not fill the screen's height")

    # b = -3 on the scaled keypad: y = x^3 - 3x^2, inflection point (1, -2),
    # slope there -3.
    for key in ("b", "-", "3", "K"):
        session.click(at.place(SELECTORS[key] if key in SELECTORS else KEYPAD[key]))
    rows = tangent_rows(1, -2, -3, 20, (60, 200, 450, 600))
    shot = session.wait_until(
        "the new cubic's dot, curve and tangent at their scaled places",
        lambda s: at.near(s, at.plot(363, 396), LIME, reach)
        and at.near(s, at.plot(330, 330), RED, reach)
        and all(at.near(s, at.plot(c, r), BLUE, reach) for c, r in rows.items()
                if 0 <= r < PLOT_SIZE))
    if at.near(shot, at.plot(330, 330), LIME, reach):
        raise CaseFailed("the dot is still at the origin")

    session.type_keys("F11")
    session.wait_until("the 1024 x 768 window with the same lesson",
                       lambda s: (s.width, s.height) == (1024, 768)
                       and lime_dot_at(s, (363, 396)))
    geometry = session.tool("getwindowgeometry", str(session.window))
    if "Position: 0,0" not in geometry or "Geometry: 1024x768" not in geometry:
        raise CaseFailed("the window did not come back to (0, 0) in 1024 x 768:\n" + geometry)


PAGE = "https://school.example/tavrine/"


def qr_at_a_third(session, shot):
    """The text of the QR code in a screenshot scaled down to a third, as a
    camera at the back of the classroom sees the projector; None if none
    reads."""
    path = os.path.join(session.home, "share.ppm")
    shot.save(path)
    third = os.path.join(session.home, "third.png")
    subprocess.run(["convert", path, "-resize", "33.333%", third], check=True, timeout=60)
    read = subprocess.run(["zbarimg", "--raw", "-q", third], capture_output=True, text=True,
                          timeout=60)
    return read.stdout.strip() if read.returncode == 0 else None


def opened_on_the_page(fragment, keyed):
    """The link opened on the page (TAVRINE_SITE, in Debian's chromium) shows
    what the native lesson shows after the keyed events (TAVRINE_REPLAY), in
    the replay's words: all that a link carries, not which selector is
    latched nor what was said, which belong to the last key pressed."""
    if "TAVRINE_SITE" not in os.environ:
        return
    web_tests = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web", "tests")
    page = subprocess.run(["node", os.path.join(web_tests, "opened_link.mjs"), fragment],
                          capture_output=True, text=True, timeout=300, check=True).stdout
    native = subprocess.run([os.environ["TAVRINE_REPLAY"]], input="".join(e + "\n" for e in keyed),
                            capture_output=True, text=True, timeout=60, check=True).stdout
    carried = lambda fields: [f for k, f in enumerate(fields) if k not in (5, 6, 18)]
    page, native = page.strip().split("\t"), native.splitlines()[-1].split("\t")[:-1]
    if carried(page) != carried(native):
        raise CaseFailed("the page opened at %s shows\n%s\nthe desktop's lesson\n%s"
                         % (fragment, page, native))


def share(session):
    """A lesson keyed in, then S: its link as a QR code that reads at a third
    of the window's size and of a projector's screen, and opens the same
    lesson on the page; Escape closes the view before it ends presentation
    mode."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    session.keypad(("b", "-", "3", "K"))
    session.click(BTN_SESSEN_SU)
    session.wait_until("y = x^3 - 3x^2's dot", lambda s: lime_dot_at(s, (363, 396)))
    link = PAGE + "#a=1&b=-3&c=0&d=0&tangents=2"
    session.type_keys("s")
    session.wait_until("the share view's QR code of " + link,
                       lambda s: qr_at_a_third(session, s) == link)
    opened_on_the_page(link.split("#")[1], ["click SbnKeisuB", "click BtnMinus", "click Btn03",
                                            "click BtnKettei", "click BBtnSessenSu"])
    session.type_keys("s")
    session.wait_until("the lesson again after S", lambda s: lime_dot_at(s, (363, 396)))

    width, height = SCREENS["presentation_1920x1080"]
    session.type_keys("F11", "s")
    session.wait_until("the QR code on the whole projector's screen",
                       lambda s: (s.width, s.height) == (width, height)
                       and qr_at_a_third(session, s) == link)
    at = Presented(width, height)
    session.type_keys("Escape")
    session.wait_until("the lesson still presented after Escape",
                       lambda s: (s.width, s.height) == (width, height)
                       and at.near(s, at.plot(363, 396), LIME, int(at.factor * 2) + 1))
    session.type_keys("Escape")
    session.wait_until("the window after a second Escape",
                       lambda s: (s.width, s.height) == (1024, 768))


def copy_plot(session):
    """A lesson keyed in, then Ctrl+C: the desktop's clipboard offers the plot
    as PNG and SVG and the equations as text, as a word processor or a note
    asks for them (xclip), and the lesson goes on."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    session.keypad(("b", "-", "3", "K"))
    session.wait_until("y = x^3 - 3x^2's dot", lambda s: lime_dot_at(s, (363, 396)))
    session.type_keys("ctrl+c")

    def offers(_shot):
        try:
            return session.tool("-selection", "clipboard", "-t", "TARGETS", "-o",
                                program="xclip").split()
        except CaseFailed:
            return []
    session.wait_until("the clipboard's offers", lambda s: "image/svg+xml" in offers(s))
    for kind in ("image/png", "image/svg+xml", "text/plain"):
        if kind not in offers(None):
            raise CaseFailed("the clipboard does not offer %s: %s" % (kind, offers(None)))
    text = session.tool("-selection", "clipboard", "-t", "text/plain", "-o", program="xclip")
    if text.splitlines()[0] != "y=x^3-3x^2":
        raise CaseFailed("the clipboard's text starts with %r" % text.splitlines()[0])
    png = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"],
                         env=session.env, capture_output=True, timeout=30).stdout
    if not png.startswith(b"\x89PNG"):
        raise CaseFailed("the clipboard's image/png is no PNG")
    session.keypad(("c", "5", "K"))
    session.wait_until("y = x^3 - 3x^2 + 5x's dot", lambda s: not lime_dot_at(s, (363, 396)))


def quit_button(session):
    """"終　了" ends the program with status 0."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    session.click(BTN_SYURYO)
    session.expect_exit('a click on "終　了"')


def close_window(session):
    """Closing the window ends the program with status 0."""
    session.wait_until("the tangent on the x axis", blue_on_x_axis)
    protocols = session.tool("-id", str(session.window), "WM_PROTOCOLS", program="xprop")
    if "WM_DELETE_WINDOW" not in protocols:
        raise CaseFailed("the window does not take close requests: " + protocols)
    session.ask_to_close()
    session.expect_exit("the close request")


CASES = {case.__name__: case for case in (starting_lesson, coefficient_entry, zoom_step,
                                          tangent_slider, tangent_drag, toggles, share,
                                          copy_plot, quit_button, close_window)}
# Presentation mode on the screens of classroom projectors.
SCREENS = {"presentation_1920x1080": (1920, 1080), "presentation_2560x1440": (2560, 1440)}
CASES.update({name: presentation for name in SCREENS})


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in CASES:
        print("usage: %s <tavrine> <%s>" % (sys.argv[0], "|".join(CASES)), file=sys.stderr)
        return 2
    program, case = sys.argv[1], sys.argv[2]
    # A test run that is stopped still stops Xvfb and the program.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        with Session(program, case, screen=SCREENS.get(case, (1920, 1080) if case == "share"
                                                       else (1280, 1024)),
                     args=("--page-url", PAGE) if case == "share" else ()) as session:
            CASES[case](session)
            if case not in ("quit_button", "close_window"):
                session.expect_running()
            session.expect_no_files_written()
    except CaseFailed as failure:
        print("FAIL %s: %s" % (case, failure))
        return 1
    print("PASS %s" % case)
    return 0


if __name__ == "__main__":
    sys.exit(main())
