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
from tavrine_e2e import CaseFailed, Session, die_with_this_script  # noqa: E402

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
        self.daemon = subprocess.Popen(
            ["pulseaudio", "-n", "-F", self.home + "/default.pa", "--daemonize=no",
             "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes"],
            env=self.env, stdout=self.log, stderr=self.log, preexec_fn=die_with_this_script)
        deadline = time.monotonic() + 20
        while subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode:
            if self.daemon.poll() is not None or time.monotonic() > deadline:
                self.log.seek(0)
                failure = CaseFailed("PulseAudio did not start:\n" + self.log.read())
                self.__exit__()
                raise failure
            time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        if self.daemon.poll() is None:
            self.daemon.kill()
            self.daemon.wait()
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)

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


def alignment(recorded, core, length=64):
    """Where the core's sound starts in the recording: the recording's first
    sounding samples found in the core's, value for value (the monitor
    starts delivering only as the sink starts playing)."""
    first = next((k for k, value in enumerate(recorded) if value != 0), len(recorded))
    heard = recorded[first:first + length]
    for k in range(len(core) - length):
        if all(abs(core[k + j] - heard[j]) < 1e-5 for j in range(length)):
            return first - k
    raise CaseFailed("what was heard is not the core's sound")


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


def stretches(trace, offset, half, away):
    """(seconds, sample, points) of each stretch of 2 * half + 1 trace points
    in the recording, `away` seconds or more from every earcon."""
    points, step = trace["points"], trace["stepsPerSecond"]
    for i in range(half, len(points) - half, 4):
        seconds = i / step
        centre = offset + round(seconds * RATE)
        if all(abs(seconds - e["seconds"]) >= away for e in trace["earcons"]):
            yield seconds, centre, points[i - half:i + half + 1]


def check_pitch(recorded, offset, trace):
    """The loudest pitch within three semitones of the core's, stretch by
    stretch, lies within one semitone of it."""
    checked = 0
    for seconds, centre, points in stretches(trace, offset, 8, 0.1):
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


def check_earcons(recorded, offset, trace):
    """Each earcon's pitch rises above half its pips' level where the core
    puts the earcon, within 20 ms, and nowhere else (a pip train once)."""
    for pitch in {e["pitch"] for e in trace["earcons"]} | {3000}:
        expected = [e["seconds"] for e in trace["earcons"] if e["pitch"] == pitch]
        heard, quiet_until = [], 0
        for centre in range(max(offset, 120), offset + round((trace["seconds"] + 0.2) * RATE), 48):
            if centre >= quiet_until and (magnitude(recorded, centre, 240, pitch) or 0) > 9:
                heard.append((centre - offset) / RATE)
                quiet_until = centre + RATE // 10
        if len(heard) != len(expected) or any(abs(h - e) > 0.02 for h, e in zip(heard, expected)):
            raise CaseFailed("earcons of %d Hz heard at %s s, the core plays them at %s s"
                             % (pitch, heard, expected))


def check_static(recorded, offset, trace):
    """Static (heard above every pitch of the tone and the earcons) over the
    stretches below the x axis, none over those above."""
    seen = set()
    for seconds, centre, points in stretches(trace, offset, 4, 0.15):
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
    offset = alignment(recorded, core) + len(core) - len(curve)
    check_pitch(recorded, offset, trace)
    check_earcons(recorded, offset, trace)
    check_static(recorded, offset, trace)


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
            session.expect_running()
    except CaseFailed as failure:
        print("FAIL sound: %s" % failure)
        return 1
    print("PASS sound")
    return 0


if __name__ == "__main__":
    sys.exit(main())
