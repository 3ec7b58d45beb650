#!/usr/bin/env python3
"""Runs `lutavo --export-midi` on a song and reads the written file on its own terms: the note-on
times must be the song file's note lengths times the tempo's interval, counted from 0."""

import os
import subprocess
import sys
import tempfile

from song_timing import expected_onsets, song_length_ms


def read_variable(data, at):
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = value << 7 | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def parse_midi(data):
    """Returns (format, tracks, division, tempo, note-on ticks) of a one-track file."""
    if data[:4] != b"MThd" or int.from_bytes(data[4:8], "big") != 6:
        raise ValueError("no MThd chunk")
    fmt = int.from_bytes(data[8:10], "big")
    tracks = int.from_bytes(data[10:12], "big")
    division = int.from_bytes(data[12:14], "big")
    if data[14:18] != b"MTrk":
        raise ValueError("no MTrk chunk")
    length = int.from_bytes(data[18:22], "big")
    track = data[22 : 22 + length]
    if len(track) != length:
        raise ValueError("track chunk cut short")
    at, tick, tempo, status, onsets, ended = 0, 0, None, None, [], False
    while at < len(track):
        delta, at = read_variable(track, at)
        tick += delta
        if track[at] & 0x80:
            status = track[at]
            at += 1
        if status is None:
            raise ValueError("running status before any status")
        if status == 0xFF:
            kind = track[at]
            size, at = read_variable(track, at + 1)
            if kind == 0x51:
                tempo = int.from_bytes(track[at : at + 3], "big")
            if kind == 0x2F:
                ended = True
            at += size
            continue
        if status in (0xF0, 0xF7):
            size, at = read_variable(track, at)
            at += size
            continue
        kind = status & 0xF0
        size = 1 if kind in (0xC0, 0xD0) else 2
        if kind == 0x90 and track[at + 1] != 0:
            onsets.append(tick)
        at += size
    if not ended:
        raise ValueError("no end of track")
    return fmt, tracks, division, tempo, onsets


def main():
    lutavo, song = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "song.mid")
        env = dict(os.environ, XDG_CONFIG_HOME=folder, HOME=folder)
        run = subprocess.run([lutavo, "--export-midi", song, out], env=env,
                             capture_output=True, text=True, check=False)
        if run.returncode != 0:
            print(f"export failed ({run.returncode}): {run.stderr}")
            return 1
        if out not in run.stdout:
            print(f"the success line does not name the file: {run.stdout!r}")
            return 1
        with open(out, "rb") as f:
            fmt, tracks, division, tempo, onsets = parse_midi(f.read())

    failures = []
    if (fmt, tracks) != (0, 1):
        failures.append(f"format {fmt} with {tracks} tracks")
    if tempo is None or tempo != division * 1000:
        failures.append(f"tempo {tempo} at division {division} is not 1 ms a tick")
    expected = expected_onsets(song)
    if sorted(set(onsets)) != expected:
        failures.append(f"note-on times {sorted(set(onsets))[:12]}... expected {expected[:12]}...")
    if not expected:
        failures.append("the song has no notes: nothing was checked")
    for failure in failures:
        print(failure)
    if not failures:
        print(f"{len(expected)} note starts over {song_length_ms(song)} ms match")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
