#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A notation program hears every exported sample song as Lutavo plays it.

For each sample song: Lutavo writes it as MusicXML (--export-musicxml), the notation program
turns that into MIDI (musescore3 -o OUT.mid, headless), and Lutavo writes its own MIDI of the
song (--export-midi). Both lists of notes are compared in quarter notes, not in seconds: the
program keeps the tempo to the microsecond of a quarter, and counting in quarters leaves that
rounding out (its tempo is checked on its own, within 0.1%). Pitches must be equal, note for
note, and onsets within 0.7 of a tick (a 64th of a quarter): a triplet of eighths is 5, 5 and 6
ticks in a song but three equal thirds in a score. Muted strings are left out on both sides: the
score has them as x-headed notes at the open string's pitch, Lutavo sounds them as a click
16 semitones below it.

Usage: check_notation_midi.py LUTAVO SONG_FOLDER WORK_FOLDER
Exits 77 (skipped) when musescore3 is not installed.
"""
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "ui"))
from check_export import header_number, read_track, tempo_interval  # noqa: E402

TOLERANCE = 0.7 / 16  # quarters
CLICK_BELOW = 16


def midi_onsets(path):
    """(division, first tempo in microseconds a quarter, [(tick, note)] of the note-ons) of every
    track of a file."""
    data = open(path, 'rb').read()
    division, tempo, onsets, pos = int.from_bytes(data[12:14], 'big'), None, [], 14
    while pos + 8 <= len(data):
        length = int.from_bytes(data[pos + 4:pos + 8], 'big')
        track_tempo, notes, _ = read_track(data[pos + 8:pos + 8 + length])
        tempo = track_tempo if tempo is None else tempo
        onsets += [(tick, key) for tick, on, _, key in notes if on]
        pos += 8 + length
    return division, tempo, onsets


def in_quarters(onsets, ticks_a_quarter, muted, below=0):
    """(quarter, note) of the onsets in order, without the muted strings (sounded `below`)."""
    notes = sorted((t / ticks_a_quarter, n) for t, n in onsets)
    return [(q, n) for q, n in notes if (round(q, 4), n + below) not in muted]


def muted_notes(musicxml):
    """(onset in quarters, MIDI note) of the x-headed notes of the score's first staff."""
    steps = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}
    root = ET.parse(musicxml).getroot()
    found, start, divisions = set(), 0.0, 1
    for measure in root.iter('measure'):
        divisions = int(measure.findtext('attributes/divisions') or divisions)
        time = onset = length = 0.0
        for e in measure:
            if e.tag == 'backup':
                time -= int(e.findtext('duration')) / divisions
            elif e.tag == 'note':
                if e.find('chord') is None:
                    onset = time
                    time += int(e.findtext('duration')) / divisions
                pitch = e.find('pitch')
                if e.findtext('notehead') == 'x' and e.findtext('staff') == '1':
                    note = (int(pitch.findtext('octave')) + 1) * 12 + steps[pitch.findtext('step')]
                    found.add((round(start + onset, 4), note + int(pitch.findtext('alter') or 0)))
            length = max(length, time)
        start += length
    return found


def check(lutavo, song, work):
    name = os.path.splitext(os.path.basename(song))[0]
    score = os.path.join(work, name + '.musicxml')
    ours, theirs = os.path.join(work, name + '.lutavo.mid'), os.path.join(work, name + '.score.mid')
    subprocess.run([lutavo, '--export-musicxml', song, score], check=True, capture_output=True)
    subprocess.run([lutavo, '--export-midi', song, ours], check=True, capture_output=True)
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    subprocess.run(['musescore3', '-o', theirs, score], check=True, capture_output=True, env=env,
                   timeout=120)
    quarter_ms = 16 * tempo_interval(header_number(song, 'tempo', 8))
    muted = muted_notes(score)
    expected = in_quarters(midi_onsets(ours)[2], quarter_ms, muted, CLICK_BELOW)
    division, tempo, onsets = midi_onsets(theirs)
    heard = in_quarters(onsets, division, muted)
    problems = []
    if tempo is None or abs(tempo - quarter_ms * 1000) > quarter_ms:
        problems.append(f'tempo {tempo} us a quarter, Lutavo plays {quarter_ms * 1000}')
    if len(heard) != len(expected):
        problems.append(f'{len(heard)} notes heard, Lutavo plays {len(expected)}')
    worst = 0.0
    for (q1, n1), (q2, n2) in zip(expected, heard):
        worst = max(worst, abs(q1 - q2))
        if n1 != n2 or abs(q1 - q2) > TOLERANCE:
            problems.append(f'note {n1} at quarter {q1:.3f} is heard as {n2} at {q2:.3f}')
            break
    print(f'{name}: {len(expected)} notes, onsets within {worst:.4f} of a quarter'
          + ('' if not problems else ': ' + '; '.join(problems)))
    return not problems


def main():
    lutavo, songs, work = sys.argv[1:4]
    if shutil.which('musescore3') is None:
        print('musescore3 is not installed: skipped')
        return 77
    os.makedirs(work, exist_ok=True)
    results = [check(lutavo, os.path.join(songs, s), work)
               for s in sorted(os.listdir(songs)) if s.upper().endswith('.SNG')]
    print(f'{results.count(True)} passed, {results.count(False)} failed')
    return 0 if all(results) else 1


if __name__ == '__main__':
    sys.exit(main())
