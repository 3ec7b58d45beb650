#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays a song live with the metronome and a lead-in through a private sound server whose only
output is a null sink, records the sink, and checks the recording: every click on its beat, no
beat without its click, the first note on the beat after the lead-in, for two PLAYs in a row.
   check_live_sound.py LIVE_PLAY DATA_FOLDER SONG"""

import os, shutil, signal, subprocess, sys, tempfile, time

SKIP, RATE, LEAD_IN, BARS = 77, 44100, 4, 8
TOLERANCE_MS = 5.0

try:
    import numpy as np
except ImportError:
    print("skipped: python3-numpy is not installed")
    sys.exit(SKIP)

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "ui"))
from check_export import header_number, tempo_interval  # noqa: E402
from sound_server import start_server  # noqa: E402  (live_timing takes it from here too)


def record(env, live_play, data, song, seconds, raw):
    rec = subprocess.Popen(["parec", "--device=rec.monitor", "--format=float32le", f"--rate={RATE}",
                            "--channels=2", "--latency-msec=5", "--raw"],
                           env=env, stdout=open(raw, "wb"))
    time.sleep(0.5)
    played = subprocess.run([live_play, data, song, str(LEAD_IN), str(seconds)], env=dict(
        env, QT_QPA_PLATFORM="offscreen"), capture_output=True, text=True, timeout=120)
    time.sleep(0.5)
    rec.send_signal(signal.SIGINT)
    rec.wait(timeout=10)
    if played.returncode != 0:
        raise RuntimeError(f"live_play failed: {played.stderr}")
    # How the stream did (underruns, the pace its clock learned): what a failure is read with.
    print(" ".join(line for line in played.stdout.splitlines() if not line.startswith(("play", "stop"))))
    return np.fromfile(raw, dtype="<f4").reshape(-1, 2)[:, 0].astype(np.float64)


def tick_template(data):
    import wave
    with wave.open(os.path.join(data, "tick.wav"), "rb") as w:
        pcm = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2")
    return pcm.astype(np.float64) / 32768.0


def find_clicks(signal_, tick):
    """Sample positions where the click clip starts: the matched filter's peaks."""
    size = 1 << int(np.ceil(np.log2(len(signal_) + len(tick))))
    corr = np.fft.irfft(np.fft.rfft(signal_, size) * np.conj(np.fft.rfft(tick, size)), size)
    corr = corr[:len(signal_)]
    threshold = 0.6 * np.dot(tick, tick)
    clicks, at = [], 0
    while at < len(corr):
        if corr[at] > threshold:
            window = corr[at:at + len(tick)]
            peak = at + int(np.argmax(window))
            clicks.append(peak)
            at = peak + len(tick)
        else:
            at += 1
    return clicks


def aligned(signal_, tick, at):
    """The click as heard at sample at: moved by the fraction of a sample the matched filter's
    peak lies off it (the stream runs at another rate than the sink)."""
    around = np.correlate(signal_[at - 1:at + len(tick) + 1], tick, "valid")
    a, b, c = around
    fraction = 0.5 * (a - c) / (a - 2 * b + c) if a - 2 * b + c < 0 else 0.0
    size = 2 * len(tick)
    turn = np.exp(-2j * np.pi * np.fft.rfftfreq(size) * fraction)
    return np.fft.irfft(np.fft.rfft(tick, size) * turn, size)[:len(tick)]


def first_note(signal_, tick, clicks, after):
    """The first sample after `after` where the sound is not the clicks'."""
    rest = signal_.copy()
    for c in clicks:
        end = min(len(rest), c + len(tick))
        rest[c:end] -= aligned(signal_, tick, c)[:end - c]
    # The click heard went through the stream's rate and the server's rate conversion: its top
    # octave no longer cancels exactly. A note is found in what is left below that.
    rest = np.abs(np.convolve(rest, np.ones(5) / 5, "same"))
    # A click cut by a dropout leaves a loud remainder no longer than the click; a note still
    # sounds when a click would be over.
    span = len(tick) + RATE // 100
    loud = after + np.nonzero(rest[after:] > 0.02)[0]
    held = [at for at in loud if np.max(rest[at + span:at + span + RATE // 100], initial=0) > 0.02]
    return int(held[0]) if held else None


def check_play(number, clicks, beat_ms, signal_, tick):
    """The clicks of one PLAY on a grid of beats, and the first note on the beat after the
    lead-in. The grid's spacing is fitted: the sound server's sample clock and the system clock
    are two clocks (a null sink runs some 500 ppm fast), so the nominal beat only bounds it."""
    failures = []
    needed = LEAD_IN + 4 * BARS
    if len(clicks) < needed:
        return [f"play {number}: {len(clicks)} clicks, expected at least {needed}"]
    times = np.array(clicks) / RATE * 1000.0
    beats = np.round((times - times[0]) / beat_ms)
    if not np.array_equal(beats, np.arange(len(beats))):
        failures.append(f"play {number}: clicks missing or doubled: beats {beats[:40].tolist()}")
    period, start = np.polyfit(beats, times, 1)
    errors = times - (start + beats * period)
    worst = float(np.max(np.abs(errors)))
    print(f"play {number}: {len(clicks)} clicks, beat {period:.2f} ms (nominal {beat_ms:.1f}), "
          f"largest deviation {worst:.2f} ms, p99 {float(np.percentile(np.abs(errors), 99)):.2f} ms")
    if abs(period / beat_ms - 1) > 0.002:
        failures.append(f"play {number}: beats of {period:.2f} ms, not {beat_ms:.1f}")
    if worst > TOLERANCE_MS:
        failures.append(f"play {number}: a click is {worst:.2f} ms off its beat")
    expected = (start + LEAD_IN * period) * RATE / 1000.0
    note = first_note(signal_, tick, clicks, clicks[0] + int(0.5 * beat_ms * RATE / 1000))
    if note is None:
        failures.append(f"play {number}: no note sounds")
    else:
        off = (note - expected) * 1000.0 / RATE
        print(f"play {number}: first note {off:+.2f} ms from the beat after the lead-in")
        if abs(off) > TOLERANCE_MS:
            failures.append(f"play {number}: the first note is {off:+.2f} ms off its beat")
    return failures


def main():
    live_play, data, song = sys.argv[1:4]
    if not (shutil.which("pulseaudio") and shutil.which("parec") and shutil.which("pactl")):
        print("skipped: no pulseaudio and parec")
        return SKIP
    beat_ms = header_number(song, "metroticks", 16) * tempo_interval(header_number(song, "tempo", 8))
    seconds = (LEAD_IN + 4 * BARS + 0.5) * beat_ms / 1000.0
    with tempfile.TemporaryDirectory() as runtime:
        env = start_server(runtime, RATE)
        try:
            signal_ = record(env, live_play, data, song, seconds, os.path.join(runtime, "rec.raw"))
        finally:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
    tick = tick_template(data)
    clicks = find_clicks(signal_, tick)
    # The two plays are the two runs of clicks, more than two beats apart.
    gaps = [i for i in range(1, len(clicks)) if clicks[i] - clicks[i - 1] > 2 * beat_ms * RATE / 1000]
    runs = np.split(np.array(clicks), gaps) if clicks else []
    if len(runs) != 2:
        print(f"expected two plays, found {len(runs)} runs of clicks")
        return 1
    failures = []
    for number, run in enumerate(runs, 1):
        failures += check_play(number, list(run), beat_ms, signal_, tick)
    print("\n".join(failures) if failures else "every click and the first notes on their beats")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
