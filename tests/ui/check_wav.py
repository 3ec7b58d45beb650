#!/usr/bin/env python3
"""Runs `lutavo --render-wav` on a song and checks the file with the wave module: 44.1 kHz
stereo 16-bit, as long as the song plus at most the release tail, and not silent. With
--metronome it renders the song again with the metronome turned on and checks that the two differ
exactly where the clicks fall: from the first note on, one click every metroticks ticks."""

import array
import math
import os
import subprocess
import sys
import tempfile
import wave

from song_timing import read_header_number, song_length_ms, tempo_interval

SKIP = 77
RELEASE_TAIL_MS = 1500
NO_FONT = "no General MIDI sound font"


class Skip(Exception):
    pass


def render(lutavo, song, folder, name):
    """(params, samples) of the song rendered into folder."""
    out = os.path.join(folder, name)
    env = dict(os.environ, XDG_CONFIG_HOME=folder, HOME=folder)
    run = subprocess.run([lutavo, "--render-wav", song, out], env=env,
                         capture_output=True, text=True, check=False)
    if run.returncode != 0 and NO_FONT in run.stderr:
        raise Skip(run.stderr.strip())
    if run.returncode != 0:
        raise RuntimeError(f"render failed ({run.returncode}): {run.stderr}")
    with wave.open(out, "rb") as w:
        params = w.getparams()
        samples = array.array("h", w.readframes(params.nframes))
    if sys.byteorder == "big":
        samples.byteswap()
    return params, samples


def check_sound(song, params, samples):
    failures = []
    if (params.nchannels, params.sampwidth, params.framerate) != (2, 2, 44100):
        failures.append(f"format {params}")
    length_ms = params.nframes * 1000 / params.framerate
    song_ms = song_length_ms(song)
    if not song_ms <= length_ms <= song_ms + RELEASE_TAIL_MS + 1:
        failures.append(f"{length_ms:.1f} ms long for a song of {song_ms} ms")
    rms = math.sqrt(sum(s * s for s in samples) / max(len(samples), 1))
    if rms < 100:
        failures.append(f"RMS {rms:.1f}: silent")
    if not failures:
        print(f"{length_ms:.0f} ms for a song of {song_ms} ms, RMS {rms:.0f}")
    return failures


def with_metronome(song, folder):
    """A copy of the song whose header turns the metronome on."""
    with open(song, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines.insert(1, b"metro=on")
    path = os.path.join(folder, "metronome" + os.path.splitext(song)[1])
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))
    return path


def click_starts_ms(plain, clicked):
    """Where the two renderings start to differ after agreeing for at least 10 ms."""
    starts, last = [], None
    for i in range(0, len(plain), 2):
        if plain[i] != clicked[i] or plain[i + 1] != clicked[i + 1]:
            frame = i // 2
            if last is None or frame - last > 441:
                starts.append(round(frame / 44.1))
            last = frame
    return starts


def check_clicks(lutavo, song, folder, plain):
    params, clicked = render(lutavo, with_metronome(song, folder), folder, "clicks.wav")
    if len(clicked) != len(plain):
        return [f"with the metronome {params.nframes} frames, without {len(plain) // 2}"]
    beat = read_header_number(song, "metroticks", 16) * tempo_interval(
        read_header_number(song, "tempo", 8))
    starts = click_starts_ms(plain, clicked)
    expected = list(range(0, song_length_ms(song) + 1, beat))
    # A page turn starts the beat afresh, so only the first page's beats are certain.
    first = expected[:8]
    if starts[: len(first)] != first:
        return [f"clicks at {starts[:8]} ms, expected {first}"]
    print(f"{len(starts)} clicks, the first at {starts[:4]} ms")
    return []


def main():
    lutavo, song = sys.argv[1], sys.argv[2]
    metronome = "--metronome" in sys.argv[3:]
    with tempfile.TemporaryDirectory() as folder:
        try:
            params, samples = render(lutavo, song, folder, "song.wav")
            failures = check_sound(song, params, samples)
            if metronome:
                failures += check_clicks(lutavo, song, folder, samples)
        except Skip as why:
            print(f"skipped: {why}")
            return SKIP
        except RuntimeError as why:
            failures = [str(why)]
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
