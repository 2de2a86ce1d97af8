#!/usr/bin/env python3
"""Hears the built tavrine binary play the plot, as a pupil does.

Usage: TAVRINE_CONTROLS=<build>/tests/controls.json
       tavrine_sound.py <path to tavrine> <path to write_sound>

A private PulseAudio daemon with one null sink is started for the test, and
the program on its own Xvfb (tavrine_e2e.Session) plays into it. For y = x^3
and for a confirmed y = x^3 - 3x the test presses Alt+T and H, records the
sink's monitor with parec, and checks the recording against what the core
says it plays (write_sound): the pitch of each stretch within a semitone, the
earcons' onsets within 20 ms, and the static exactly where y < 0.
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
SINK = "tavrine_test"


class PulseServer:
    """A PulseAudio daemon of the test's own, with one 48 kHz float null sink."""

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="tavrine-pulse-")
        os.chmod(self.home, 0o700)
        self.socket = os.path.join(self.home, "native")
        config = os.path.join(self.home, "default.pa")
        with open(config, "w") as out:
            out.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n"
                      "load-module module-null-sink sink_name=%s format=float32le "
                      "rate=%d channels=2\n"
                      "set-default-sink %s\n" % (self.socket, SINK, RATE, SINK))
        self.env = dict(os.environ, HOME=self.home, XDG_RUNTIME_DIR=self.home,
                        PULSE_RUNTIME_PATH=os.path.join(self.home, "run"),
                        PULSE_SERVER="unix:" + self.socket)
        self.log = open(os.path.join(self.home, "log"), "w+")
        self.daemon = subprocess.Popen(
            ["pulseaudio", "-n", "-F", config, "--daemonize=no", "--exit-idle-time=-1",
             "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr"],
            env=self.env, stdout=self.log, stderr=self.log, preexec_fn=die_with_this_script)
        deadline = time.monotonic() + 20
        while subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode:
            if self.daemon.poll() is not None or time.monotonic() > deadline:
                self.log.seek(0)
                self.stop()
                raise CaseFailed("PulseAudio did not start:\n" + self.log.read())
            time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def stop(self):
        if self.daemon.poll() is None:
            self.daemon.kill()
            self.daemon.wait()
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def record(self, path):
        """parec from the sink's monitor into path, raw float stereo."""
        out = open(path, "wb")
        recorder = subprocess.Popen(
            ["parec", "--device=%s.monitor" % SINK, "--format=float32le", "--rate=%d" % RATE,
             "--channels=2", "--raw", "--latency-msec=10"],
            env=self.env, stdout=out, stderr=self.log, preexec_fn=die_with_this_script)
        out.close()
        return recorder


# ---------------------------------------------------------------- the sound


def read_mono(path):
    """Left plus right of a raw float stereo file."""
    with open(path, "rb") as f:
        data = f.read()
    values = struct.unpack("<%df" % (len(data) // 4), data[:len(data) // 8 * 8])
    return [values[k] + values[k + 1] for k in range(0, len(values), 2)]


def alignment(recorded, core, length=64):
    """How many samples the core's sound lies later in the recording: where
    the recording's first sounding samples stand in the core's, value for
    value. The sink's monitor starts delivering only as the sound starts, so
    the recording's beginning may miss a few milliseconds of it."""
    first = next((k for k, value in enumerate(recorded) if value != 0), None)
    if first is None or first + length > len(recorded):
        raise CaseFailed("nothing was heard")
    heard = recorded[first:first + length]
    for k in range(len(core) - length):
        if abs(core[k] - heard[0]) < 1e-5 and all(
                abs(core[k + j] - heard[j]) < 1e-5 for j in range(length)):
            return first - k
    raise CaseFailed("the sound heard is not the core's")


def magnitude(samples, centre, length, frequency):
    """|DFT| at frequency of a Hann-windowed stretch centred on sample centre."""
    start = centre - length // 2
    if start < 0 or start + length > len(samples):
        return None
    coeff = 2 * math.cos(2 * math.pi * frequency / RATE)
    s1 = s2 = 0.0
    for k in range(length):
        w = 0.5 - 0.5 * math.cos(2 * math.pi * k / length)
        s0 = samples[start + k] * w + coeff * s1 - s2
        s2, s1 = s1, s0
    return math.sqrt(max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2))


def semitones(a, b):
    return 12 * math.log2(a / b)


def check_pitch(recorded, offset, trace, step):
    """The loudest pitch within three semitones of the core's, stretch by
    stretch, lies within one semitone of it."""
    points = trace["points"]
    near_earcon = [e["seconds"] for e in trace["earcons"]]
    checked = 0
    for i in range(8, len(points) - 8, 4):
        stretch = points[i - 8:i + 9]
        if any(p[0] == 0 for p in stretch):
            continue
        seconds = i / step
        if any(abs(seconds - e) < 0.1 for e in near_earcon):
            continue
        expected = points[i][0]
        centre = offset + round(seconds * RATE)
        if magnitude(recorded, centre, 960, expected) is None:
            continue
        scan = [(magnitude(recorded, centre, 960, expected * 2 ** (k / 48)), k / 4)
                for k in range(-12, 13)]
        loudest, at = max(scan)
        if loudest < 5:
            raise CaseFailed("no tone at %.3f s, where the core plays %.0f Hz" % (seconds, expected))
        if abs(at) > 1:
            raise CaseFailed("at %.3f s the tone is %.2f semitones off the core's %.0f Hz"
                             % (seconds, at, expected))
        checked += 1
    if checked < 10:
        raise CaseFailed("only %d stretches of tone to compare" % checked)
    return checked


def onsets(recorded, frequency, first, last):
    """Where the band of an earcon's pitch rises above half its pips' level,
    in seconds from sample `first`; a pip train counts once."""
    found = []
    quiet_until = -1
    for centre in range(max(first, 120), last, 48):
        if centre < quiet_until:
            continue
        if (magnitude(recorded, centre, 240, frequency) or 0) > 0.3 * 240 / 4 / 2:
            found.append((centre - first) / RATE)
            quiet_until = centre + RATE // 10
    return found


def check_earcons(recorded, offset, trace):
    end = offset + round((trace["seconds"] + 0.2) * RATE)
    for pitch in sorted({e["pitch"] for e in trace["earcons"]} | {3000}):
        expected = [e["seconds"] for e in trace["earcons"] if e["pitch"] == pitch]
        heard = onsets(recorded, pitch, offset, end)
        if len(heard) != len(expected) or any(abs(h - e) > 0.02
                                              for h, e in zip(heard, expected)):
            raise CaseFailed("earcons of %d Hz heard at %s s, the core plays them at %s s"
                             % (pitch, ["%.3f" % t for t in heard],
                                ["%.3f" % t for t in expected]))


def check_static(recorded, offset, trace, step):
    """Static (heard above every pitch of the tone and the earcons) over the
    stretches below the x axis, none over those above."""
    points = trace["points"]
    earcons = [e["seconds"] for e in trace["earcons"]]
    below = above = 0
    for i in range(4, len(points) - 4, 4):
        flags = {p[1] for p in points[i - 4:i + 5]}
        seconds = i / step
        if len(flags) != 1 or any(abs(seconds - e) < 0.15 for e in earcons):
            continue
        centre = offset + round(seconds * RATE)
        if magnitude(recorded, centre, 480, 8000) is None:
            continue
        bands = range(7000, 15000, 1000)
        level = sum(magnitude(recorded, centre, 480, f) for f in bands) / len(bands)
        if flags == {1} and level < 0.1:
            raise CaseFailed("no static at %.3f s, where y < 0" % seconds)
        if flags == {0} and level > 0.03:
            raise CaseFailed("static at %.3f s, where y >= 0" % seconds)
        below += flags == {1}
        above += flags == {0}
    if not below or not above:
        raise CaseFailed("the trace has no stretch both above and below the axis to compare")


def hear(session, pulse, core_dir, name):
    """Alt+T once, then H; the recording checked against the core's trace."""
    with open(os.path.join(core_dir, "trace.json")) as f:
        trace = json.load(f)
    path = os.path.join(pulse.home, name + ".f32")
    recorder = pulse.record(path)
    try:
        time.sleep(0.5)
        session.type_keys("h")
        time.sleep(trace["seconds"] + 1.0)
    finally:
        recorder.send_signal(signal.SIGINT)
        recorder.wait(timeout=10)
    recorded = read_mono(path)
    offset = alignment(recorded, read_mono(os.path.join(core_dir, "curve.f32")))
    step = trace["stepsPerSecond"]
    checked = check_pitch(recorded, offset, trace, step)
    check_earcons(recorded, offset, trace)
    check_static(recorded, offset, trace, step)
    print("%s: %d stretches of pitch, %d earcons as the core plays them"
          % (name, checked, len(trace["earcons"])))


def core_sound(write_sound, tokens, directory):
    os.makedirs(directory, exist_ok=True)
    subprocess.run([write_sound, tokens, os.path.join(directory, "trace.json"), directory],
                   check=True)
    return directory


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
            cube = core_sound(write_sound, "start", os.path.join(pulse.home, "cube"))
            session.type_keys("alt+t")
            hear(session, pulse, cube, "y=x^3")
            # c = -3 on the keypad, confirmed.
            session.keypad("c-3K")
            cubic = core_sound(write_sound, "c - 3 K", os.path.join(pulse.home, "cubic"))
            hear(session, pulse, cubic, "y=x^3-3x")
            session.expect_running()
    except CaseFailed as failure:
        print("FAIL sound: %s" % failure)
        return 1
    print("PASS sound")
    return 0


if __name__ == "__main__":
    sys.exit(main())
