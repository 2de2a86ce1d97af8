#!/usr/bin/env python3
"""Hears the built tavrine binary play the plot, as a pupil does.

Usage: TAVRINE_CONTROLS=<build>/tests/controls.json
       tavrine_sound.py <path to tavrine> <path to write_sound>

The program (on Xvfb, tavrine_e2e.Session) plays into the null sink of a
PulseAudio daemon of the test's own, recorded with parec, after Alt+T and H
(and Shift+H) for y = x^3 and y = x^3 - 3x; the pitch, within a semitone,
the earcons, within 20 ms, and the static, exactly where y < 0, are checked
against what the core plays (write_sound).
"""

import json
import math
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from tavrine_e2e import (BLUE, SCROLLBAR2, CaseFailed, Session, arrow,  # noqa: E402
                         die_with_this_script, line_shows, tangent_point, tangent_rows)

RATE = 48000


class PulseServer:
    """A PulseAudio daemon of the test's own, with one 48 kHz float null sink."""

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="tavrine-pulse-")
        socket = os.path.join(self.home, "native")
        with open(os.path.join(self.home, "default.pa"), "w") as out:
            out.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n"
                      "load-module module-null-sink sink_name=lesson format=float32le rate=%d "
                      "channels=2\nset-default-sink lesson\n" % (socket, RATE))
        self.env = dict(os.environ, HOME=self.home, XDG_RUNTIME_DIR=self.home,
                        PULSE_RUNTIME_PATH=self.home + "/run", PULSE_SERVER="unix:" + socket)
        self.log = open(os.path.join(self.home, "log"), "w+")
        self.daemon = self.clock = None
        try:
            self.start()
        except CaseFailed:
            self.__exit__()
            raise
        return self

    def start(self):
        """Starts the daemon; waits until it answers (20 s at most)."""
        self.daemon = subprocess.Popen(
            ["pulseaudio", "-n", "-F", self.home + "/default.pa", "--daemonize=no",
             "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
             "--high-priority=yes", "--realtime=yes"],
            env=self.env, stdout=self.log, stderr=self.log, preexec_fn=die_with_this_script)
        deadline = time.monotonic() + 20
        while subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode:
            if self.daemon.poll() is not None or time.monotonic() > deadline:
                self.log.seek(0)
                raise CaseFailed("PulseAudio did not start:\n" + self.log.read())
            time.sleep(0.1)
        # A null sink left alone renders seconds ahead at a time, and a
        # stream opened meanwhile waits as long to be read; a reader of its
        # monitor with a short latency clocks it as a sound card is clocked.
        self.clock = subprocess.Popen(
            ["parec", "--device=lesson.monitor", "--raw", "--latency-msec=10"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=self.log, preexec_fn=die_with_this_script)

    def stop(self):
        for process in (self.clock, self.daemon):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()

    def __exit__(self, *exc):
        self.stop()
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def streams(self):
        """The playback streams the daemon has (pactl's short list)."""
        return subprocess.run(["pactl", "list", "short", "sink-inputs"], env=self.env,
                              capture_output=True, text=True).stdout.split("\n")[:-1]

    def record(self, play, seconds):
        """Left plus right of what the sink plays while play() runs and
        `seconds` after (parec, raw float stereo)."""
        path = os.path.join(self.home, "recorded.f32")
        with open(path, "wb") as out:
            recorder = subprocess.Popen(
                ["parec", "--device=lesson.monitor", "--format=float32le", "--rate=%d" % RATE,
                 "--channels=2", "--raw", "--latency-msec=10"],
                env=self.env, stdout=out, stderr=self.log, preexec_fn=die_with_this_script)
        try:
            time.sleep(0.5)
            play()
            time.sleep(seconds)
        finally:
            recorder.send_signal(signal.SIGINT)
            recorder.wait(timeout=10)
        return read_mono(path)


def read_mono(path):  # left plus right of a raw float stereo file
    with open(path, "rb") as f:
        data = f.read()
    values = struct.unpack("<%df" % (len(data) // 8 * 2), data[:len(data) // 8 * 8])
    return [values[k] + values[k + 1] for k in range(0, len(values), 2)]


class Alignment:
    """Where each stretch of the core's sound lies in the recording, found
    value for value (the null sink passes the float samples through as
    they are). The sound starts where the recording's first sounding
    samples are found in the core's (the monitor delivers only as the sink
    plays); every 50 ms of the core after that is looked for near where
    the stretch before it ended. Samples the recorder lost on a busy machine
    move the stretches after them earlier, and a stretch the null sink
    rendered again after a rewind, which its monitor records twice, moves
    them later; both are allowed. Silence put into the sound (the program's
    playback stalled) moves them later too, and more than 50 ms of it
    fails."""

    STEP, LENGTH, GAP = RATE // 20, 64, RATE // 20
    NEAREST_FIRST = sorted(range(-RATE // 2, RATE // 2 + 1), key=abs)

    def __init__(self, recorded, core):
        self.recorded, self.core = recorded, core
        first = next((k for k, value in enumerate(recorded) if value != 0), len(recorded))
        start = next((k for k in range(len(core) - self.LENGTH)
                      if self.matches(first, k)), None)
        if start is None:
            raise CaseFailed("what was heard is not the core's sound")
        self.anchors = [(start, first - start)]  # (core sample, recording - core)
        for at in range(start + self.STEP, len(core) - self.LENGTH, self.STEP):
            if not any(core[at:at + self.LENGTH]):
                continue  # silence is found anywhere
            offset = self.anchors[-1][1]
            # A stretch whose first samples straddle a place where the
            # recording skips (the recorder lost samples) or pauses is found
            # by the samples after that place.
            found = None
            for probe in range(at, min(at + self.STEP, len(core) - self.LENGTH), self.LENGTH):
                found = next((probe + offset + d for d in self.NEAREST_FIRST
                              if self.matches(probe + offset + d, probe)), None)
                if found is not None:
                    at = probe
                    break
            if found is None:
                near = recorded[max(0, at + offset - RATE // 2):at + offset + RATE // 2]
                raise CaseFailed("the core's sound at %.3f s is not in the recording (%.0f ms "
                                 "of silence around it)" % (at / RATE, longest_silence(near) * 1000 / RATE))
            # Silence the sound gained since the stretch before, wherever in
            # between it fell.
            before, before_offset = self.anchors[-1]
            silence = (longest_silence(recorded[before + before_offset + self.LENGTH:found])
                       - longest_silence(core[before + self.LENGTH:at]))
            if silence > self.GAP:
                raise CaseFailed("a gap of %.0f ms in the sound at %.3f s"
                                 % (silence * 1000 / RATE, at / RATE))
            self.anchors.append((at, found - at))

    def matches(self, heard, at):
        recorded, core = self.recorded, self.core
        if heard < 0 or heard + self.LENGTH > len(recorded) or abs(recorded[heard] - core[at]) >= 1e-5:
            return False
        return all(abs(recorded[heard + j] - core[at + j]) < 1e-5 for j in range(self.LENGTH))

    def heard(self, at):
        """The recording's sample of the core's sample `at`."""
        return at + [offset for start, offset in self.anchors[:1] + [
            a for a in self.anchors[1:] if a[0] <= at]][-1]

    def core_of(self, heard):
        """The core's sample heard at the recording's sample `heard`."""
        return heard - [offset for start, offset in self.anchors[:1] + [
            a for a in self.anchors[1:] if a[0] + a[1] <= heard]][-1]


def longest_silence(samples):
    """The longest run of silent samples."""
    longest = run = 0
    for value in samples:
        run = run + 1 if value == 0 else 0
        longest = max(longest, run)
    return longest


def magnitude(samples, centre, length, frequency):
    """|DFT| at frequency of a Hann-windowed stretch centred on sample
    centre; None outside the recording."""
    start = centre - length // 2
    if start < 0 or start + length > len(samples):
        return None
    coeff = 2 * math.cos(2 * math.pi * frequency / RATE)
    s1 = s2 = 0.0
    for k in range(length):
        s0 = samples[start + k] * (0.5 - 0.5 * math.cos(2 * math.pi * k / length)) \
            + coeff * s1 - s2
        s2, s1 = s1, s0
    return math.sqrt(max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2))


def stretches(trace, heard, half, away):
    """(seconds, sample, points) of each stretch of 2 * half + 1 trace points
    in the recording (heard(seconds)), `away` seconds or more from every
    earcon."""
    points, step = trace["points"], trace["stepsPerSecond"]
    for i in range(half, len(points) - half, 4):
        seconds = i / step
        centre = heard(seconds)
        if all(abs(seconds - e["seconds"]) >= away for e in trace["earcons"]):
            yield seconds, centre, points[i - half:i + half + 1]


def check_pitch(recorded, heard, trace):
    """The loudest pitch within three semitones of the core's, stretch by
    stretch, lies within one semitone of it."""
    checked = 0
    for seconds, centre, points in stretches(trace, heard, 8, 0.1):
        expected = points[8][0]
        if min(p[0] for p in points) == 0 or magnitude(recorded, centre, 960, 1) is None:
            continue
        loudest, at = max((magnitude(recorded, centre, 960, expected * 2 ** (k / 48)), k / 4)
                          for k in range(-12, 13))
        if loudest < 5 or abs(at) > 1:
            raise CaseFailed("at %.3f s the tone is %s the core's %.0f Hz" % (
                seconds, "%.2f semitones off" % at if loudest >= 5 else "not", expected))
        checked += 1
    if checked < 10:
        raise CaseFailed("only %d stretches of tone to compare" % checked)


def check_earcons(recorded, heard, seconds_of, trace):
    """Each earcon's pitch rises above half its pips' level where the core
    puts the earcon, within 20 ms, and nowhere else (a pip train once)."""
    for pitch in {e["pitch"] for e in trace["earcons"]} | {3000}:
        expected = [e["seconds"] for e in trace["earcons"] if e["pitch"] == pitch]
        found, quiet_until = [], 0
        for centre in range(max(heard(0), 120), heard(trace["seconds"]) + RATE // 5, 48):
            if centre >= quiet_until and (magnitude(recorded, centre, 240, pitch) or 0) > 9:
                found.append(seconds_of(centre))
                quiet_until = centre + RATE // 10
        if len(found) != len(expected) or any(abs(h - e) > 0.02 for h, e in zip(found, expected)):
            raise CaseFailed("earcons of %d Hz heard at %s s, the core plays them at %s s"
                             % (pitch, found, expected))


def check_static(recorded, heard, trace):
    """Static (heard above every pitch of the tone and the earcons) over the
    stretches below the x axis, none over those above."""
    seen = set()
    for seconds, centre, points in stretches(trace, heard, 4, 0.15):
        below = {p[1] for p in points}
        if len(below) != 1 or magnitude(recorded, centre, 480, 1) is None:
            continue
        level = sum(magnitude(recorded, centre, 480, f) for f in range(7000, 15000, 1000)) / 8
        if (level < 0.1) if below == {1} else (level > 0.03):
            raise CaseFailed("static of %.3f at %.3f s, where y %s 0"
                             % (level, seconds, "<" if below == {1} else ">="))
        seen |= below
    if seen != {0, 1}:
        raise CaseFailed("no stretch both above and below the axis to compare")


def hear(session, pulse, core_dir, keys):
    """The sound of the keys recorded; its curve checked against the core's
    trace (after the tangent and the pause, for Shift+H)."""
    with open(os.path.join(core_dir, "trace.json")) as f:
        trace = json.load(f)
    both = keys == "shift+h"
    recorded = pulse.record(lambda: session.type_keys(keys), trace["seconds"] * (1 + both) + 1.5)
    curve = read_mono(os.path.join(core_dir, "curve.f32"))
    core = read_mono(os.path.join(core_dir, "tangent_then_curve.f32")) if both else curve
    start = len(core) - len(curve)
    try:
        aligned = Alignment(recorded, core)
    except CaseFailed as failure:
        raise CaseFailed("%s of %s: %s" % (keys, os.path.basename(core_dir), failure))
    heard = lambda seconds: aligned.heard(start + round(seconds * RATE))
    seconds_of = lambda sample: (aligned.core_of(sample) - start) / RATE
    check_pitch(recorded, heard, trace)
    check_earcons(recorded, heard, seconds_of, trace)
    check_static(recorded, heard, trace)


def stops_at_escape(session, pulse):
    """H, and Escape a second later: the rest of the curve is not heard.
    The stop drops what the output holds ahead, so the curve is heard for
    no longer than the keys were apart, give or take the keys' own way to
    the window on a busy machine."""
    pressed = []

    def keys():
        for key in ("h", None, "Escape"):
            if key is None:
                time.sleep(1)
            else:
                session.type_keys(key)
                pressed.append(time.monotonic())

    recorded = pulse.record(keys, 3.5)
    sounding = [k for k, value in enumerate(recorded) if value != 0]
    if not sounding:
        raise CaseFailed("H played nothing")
    heard, apart = (sounding[-1] - sounding[0]) / RATE, pressed[1] - pressed[0]
    print("curve heard for %.3f s, H and Escape %.3f s apart" % (heard, apart))
    if heard > apart + 0.25:
        raise CaseFailed("the curve played on %.3f s after Escape" % (heard - apart))


def server_comes_back(session, pulse, core_dir):
    """The sound server stopped in the middle of the lesson and started
    again: the window answers every key meanwhile (each step of the tangent
    point, which the sound on would play), and then plays again without a
    restart: H is heard as the core plays it."""
    pulse.stop()

    def tangent_at(position):  # y = x^3 - 3x at view scale 20
        x0, y0 = tangent_point(position, 20, 0.0, lambda x: x * x * x - 3 * x)
        return tangent_rows(x0, y0, 3 * x0 * x0 - 3, 20, (20, 120, 540, 640))

    session.click(arrow(SCROLLBAR2, "right"))  # the slider takes the keys
    steps = [(None, 51), ("Right", 52), ("h", 52), ("Right", 53), ("Left", 52), ("Left", 51),
             ("Left", 50)]
    for key, position in steps:
        if key is not None:
            session.type_keys(key)
        rows = tangent_at(position)
        session.wait_until("the tangent at position %d after %s with no sound server"
                           % (position, key or "a click"), lambda s: line_shows(s, BLUE, rows))
    pulse.start()
    # Qt looks for a lost sound server every 3 s; the program opens its
    # output as soon as Qt has it again.
    deadline = time.monotonic() + 30
    while not pulse.streams():
        session.expect_running()
        if time.monotonic() > deadline:
            raise CaseFailed("no output opened within 30 s of the sound server's return")
        time.sleep(0.2)
    hear(session, pulse, core_dir, "h")


def main():
    if len(sys.argv) != 3:
        print("usage: %s <tavrine> <write_sound>" % sys.argv[0], file=sys.stderr)
        return 2
    program, write_sound = sys.argv[1], sys.argv[2]
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        with PulseServer() as pulse, Session(
                program, "sound", program_env={"PULSE_SERVER": pulse.env["PULSE_SERVER"]}) \
                as session:
            subprocess.run([write_sound, pulse.home, "cube:1,0,0,0", "cubic:1,0,-3,0"], check=True)
            session.type_keys("alt+t")
            hear(session, pulse, pulse.home + "/cube", "h")
            session.keypad("c-3K")  # c = -3 confirmed: y = x^3 - 3x
            for keys in ("h", "shift+h"):
                hear(session, pulse, pulse.home + "/cubic", keys)
            stops_at_escape(session, pulse)
            server_comes_back(session, pulse, pulse.home + "/cubic")
            session.expect_running()
    except CaseFailed as failure:
        print("FAIL sound: %s" % failure)
        return 1
    print("PASS sound")
    return 0


if __name__ == "__main__":
    sys.exit(main())
