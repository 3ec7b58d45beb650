#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The hearing on a live input: a private sound server whose null sink's monitor is the input.
`tuner LIVE_HEAR`: a steady tone a little flat and then a plucked low E are played into the sink
while live_hear listens; the tone reads within a cent, its needle steady, the pluck as E2, not an
octave. `wait LIVE_WAIT LUTAVO DATA SONG`: the program's rendering of the song's first four
notes is played into the sink while live_wait waits at each note: it moves on exactly four."""

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


def served(runtime, listen):
    """What listen(env) gives while a private server runs."""
    env = start_server(runtime, RATE)
    try:
        return listen(env)
    finally:
        subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)


def first_notes(song, out, count):
    """The song with every note after its first count struck notes left silent."""
    with open(song, encoding="latin-1", newline="") as f:
        lines = f.read().split("\n")
    body = [line.rstrip("\r") for line in lines].index("") + 1
    struck = 0
    for i in range(body, len(lines)):
        line = lines[i].rstrip("\r")
        if len(line) < 14 or int(line[:2]) >= 90:
            continue
        if struck >= count:
            lines[i] = line[:2] + "-1" * 6 + lines[i][len(line):]
        elif any(int(line[2 * s + 2:2 * s + 4]) >= 0 for s in range(6)):
            struck += 1
    with open(out, "w", encoding="latin-1", newline="") as f:
        f.write("\n".join(lines))


def check_wait(live_wait, lutavo, data, song):
    with tempfile.TemporaryDirectory() as runtime:
        part, take = os.path.join(runtime, os.path.basename(song)), os.path.join(runtime, "take.wav")
        first_notes(song, part, 4)
        subprocess.run([lutavo, "--render-wav", part, take], check=True, capture_output=True)
        # Silence first: an idle sink's monitor gives nothing until something plays, and the
        # first strike would come with the first samples the input hears.
        subprocess.run(["sox", take, take + ".wav", "pad", "0.5", "0"], check=True)
        take += ".wav"

        def listen(env):
            waiting = subprocess.Popen([live_wait, data, song, "9"], env=dict(env, QT_QPA_PLATFORM="offscreen"), stdout=subprocess.PIPE,
                                       text=True)
            started = waiting.stdout.readline().split()
            if started[-1] == "-1":
                sys.exit("live_wait did not start waiting")
            time.sleep(0.5)
            subprocess.run(["paplay", take], env=env, check=True)
            return started + waiting.communicate(timeout=30)[0].split()
        said = served(runtime, listen)
    print(" ".join(said))
    return 0 if said[-2:] == ["advanced", "4"] else 1


def main():
    if not all(shutil.which(t) for t in ("pulseaudio", "pactl", "paplay", "sox")):
        print("skipped: no pulseaudio, paplay or sox")
        return SKIP
    if sys.argv[1] == "wait":
        return check_wait(*sys.argv[2:6])
    with tempfile.TemporaryDirectory() as runtime:
        wav = os.path.join(runtime, "tones.wav")
        tones(wav)
        heard = served(runtime, lambda env: readings(env, sys.argv[2], wav))
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
