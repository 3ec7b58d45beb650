#!/usr/bin/env python3
"""Runs `lutavo --render-wav` on a song and checks the file with the wave module: 44.1 kHz
stereo 16-bit, as long as the song plus at most the release tail, and not silent."""

import array
import math
import os
import subprocess
import sys
import tempfile
import wave

from song_timing import song_length_ms

SKIP = 77
RELEASE_TAIL_MS = 1500
NO_FONT = "no General MIDI sound font"


def main():
    lutavo, song = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "song.wav")
        env = dict(os.environ, XDG_CONFIG_HOME=folder, HOME=folder)
        run = subprocess.run([lutavo, "--render-wav", song, out], env=env,
                             capture_output=True, text=True, check=False)
        if run.returncode != 0 and NO_FONT in run.stderr:
            print("skipped: " + run.stderr.strip())
            return SKIP
        if run.returncode != 0:
            print(f"render failed ({run.returncode}): {run.stderr}")
            return 1
        with wave.open(out, "rb") as w:
            params = w.getparams()
            frames = w.readframes(params.nframes)

    failures = []
    if (params.nchannels, params.sampwidth, params.framerate) != (2, 2, 44100):
        failures.append(f"format {params}")
    samples = array.array("h", frames)
    if sys.byteorder == "big":
        samples.byteswap()
    length_ms = params.nframes * 1000 / params.framerate
    song_ms = song_length_ms(song)
    if not song_ms <= length_ms <= song_ms + RELEASE_TAIL_MS + 1:
        failures.append(f"{length_ms:.1f} ms long for a song of {song_ms} ms")
    rms = math.sqrt(sum(s * s for s in samples) / max(len(samples), 1))
    if rms < 100:
        failures.append(f"RMS {rms:.1f}: silent")
    for failure in failures:
        print(failure)
    if not failures:
        print(f"{length_ms:.0f} ms for a song of {song_ms} ms, RMS {rms:.0f}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
