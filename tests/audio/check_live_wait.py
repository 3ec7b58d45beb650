#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Wait mode on a live input: a private sound server whose null sink's monitor is the input. The
program's rendering of the song's first four notes is played into the sink while live_wait waits
at each note: it moves on exactly four. `check_live_wait.py LIVE_WAIT LUTAVO DATA SONG`"""

import os, shutil, subprocess, sys, tempfile, time

SKIP, RATE = 77, 44100

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "ui"))
from sound_server import start_server  # noqa: E402
from check_score import silence_notes  # noqa: E402


def main():
    live_wait, lutavo, data, song = sys.argv[1:5]
    if not all(shutil.which(t) for t in ("pulseaudio", "pactl", "paplay", "sox")):
        print("skipped: no pulseaudio, paplay or sox")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime:
        part, take = os.path.join(runtime, os.path.basename(song)), os.path.join(runtime, "take.wav")
        silence_notes(song, part, lambda struck: struck > 4)
        subprocess.run([lutavo, "--render-wav", part, take], check=True, capture_output=True)
        # Silence first: an idle sink's monitor gives nothing until something plays, and the
        # first strike would come with the first samples the input hears.
        subprocess.run(["sox", take, take + ".wav", "pad", "0.5", "0"], check=True)
        env = start_server(runtime, RATE)
        try:
            waiting = subprocess.Popen([live_wait, data, song, "9"], stdout=subprocess.PIPE, text=True,
                                       env=dict(env, QT_QPA_PLATFORM="offscreen"))
            said = waiting.stdout.readline().split()
            time.sleep(0.5)
            subprocess.run(["paplay", take + ".wav"], env=env, check=True)
            said += waiting.communicate(timeout=30)[0].split()
        finally:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
    print(" ".join(said))
    return 0 if said[1] != "-1" and said[-2:] == ["advanced", "4"] else 1


if __name__ == "__main__":
    sys.exit(main())
