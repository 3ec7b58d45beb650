#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tuner's ear on a live input: a private sound server whose null sink's monitor is the
input; a steady tone a little flat and then a plucked low E are played into the sink while
live_hear listens. The tone reads within a cent, its needle steady; the pluck reads as E2, not
an octave. `check_live_tuner.py LIVE_HEAR`"""

import math, os, shutil, statistics, subprocess, sys, tempfile, time

SKIP, RATE = 77, 44100
FLAT_A = 110 * 2 ** (-12 / 1200)
LOW_E = 82.41

sys.path.insert(0, os.path.dirname(__file__))
from sound_server import start_server  # noqa: E402


def cents(heard, truth):
    return 1200 * math.log2(heard / truth)


def tones(path):
    """The flat A for 1.5 s, half a second of silence, then the low E plucked."""
    subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "1", path,
                    "synth", "1.5", "sine", f"{FLAT_A:.4f}", "vol", "0.5", ":",
                    "synth", "0.5", "sine", "1", "vol", "0", ":",
                    "synth", "2", "pluck", f"{LOW_E}", "vol", "0.7"], check=True)


def readings(env, live_hear, wav):
    """[(ms, level, hz)] as live_hear prints them while the tones play."""
    ear = subprocess.Popen([live_hear, "6"], env=env, stdout=subprocess.PIPE, text=True)
    if ear.stdout.readline().strip() != "listening":
        sys.exit("live_hear could not listen to the server's input")
    time.sleep(0.3)
    subprocess.run(["paplay", wav], env=env, check=True)
    out, _ = ear.communicate(timeout=20)
    return [tuple(float(v) for v in line.split()) for line in out.splitlines()]


def steady_run(heard, near, reach_cents=100):
    """The readings within reach of the pitch near, in the longest unbroken run."""
    best, run = [], []
    for _, _, hz in heard:
        if hz > 0 and abs(cents(hz, near)) < reach_cents:
            run.append(hz)
        else:
            best, run = max(best, run, key=len), []
    return max(best, run, key=len)


def main():
    live_hear = sys.argv[1]
    if not all(shutil.which(t) for t in ("pulseaudio", "pactl", "paplay", "sox")):
        print("skipped: no pulseaudio, paplay or sox")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime:
        wav = os.path.join(runtime, "tones.wav")
        tones(wav)
        env = start_server(runtime, RATE)
        try:
            heard = readings(env, live_hear, wav)
        finally:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
    failures = []
    flat = steady_run(heard, FLAT_A)
    # The needle over the middle of the tone, away from its start and end.
    middle = flat[len(flat) // 4: 3 * len(flat) // 4]
    if len(flat) < 50:
        failures.append(f"the flat A was read {len(flat)} times, not for more than a second")
    else:
        off = cents(statistics.median(middle), FLAT_A)
        wander = cents(max(middle), min(middle))
        print(f"flat A: {len(flat)} readings, {off:+.2f} cents from the tone, needle within {wander:.2f}")
        if abs(off) > 1 or wander > 1:
            failures.append(f"the flat A read {off:+.2f} cents off, wandering {wander:.2f}")
    low = steady_run(heard, LOW_E, reach_cents=50)
    octave = steady_run(heard, 2 * LOW_E, reach_cents=50)
    print(f"plucked E2: {len(low)} readings at E2, {len(octave)} an octave up")
    if len(low) < 20 or len(octave) > len(low) // 4:
        failures.append("the plucked low E was not read as E2")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
