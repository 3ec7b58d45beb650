#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Play-along scoring on a live input: a private sound server whose null sink rec's monitor is the
input, the program's own sound going to another sink. The program's rendering of SONG is played
into rec as live_score presses PLAY: at least 95% of the notes hit; the same take a semitone sharp:
at most 10%. `check_live_score.py LIVE_SCORE LUTAVO DATA SONG [SHOT.png]`"""

import os, re, shutil, subprocess, sys, tempfile

SKIP, RATE = 77, 44100

sys.path.insert(0, os.path.dirname(__file__))
from sound_server import start_server  # noqa: E402


def raw_take(wav, raw, *effect):
    subprocess.run(["sox", wav, "-t", "raw", "-r", str(RATE), "-c", "1", "-b", "16", "-e", "signed-integer",
                    raw, *effect], check=True)


def score(live_score, data, song, take, seconds, env, shot=None):
    args = [live_score, data, song, take, "rec", str(seconds)] + ([shot] if shot else [])
    done = subprocess.run(args, capture_output=True, text=True, timeout=seconds + 60,
                          env=dict(env, QT_QPA_PLATFORM="offscreen", PULSE_SINK="out"))
    print(done.stdout.strip())
    said = re.search(r"hit (\d+) of (\d+),", done.stdout)
    if done.returncode != 0 or not said or "judged" not in done.stdout:
        sys.exit(f"live_score failed ({done.returncode}):\n{done.stderr}")
    return int(said.group(1)) / max(int(said.group(2)), 1)


def main():
    live_score, lutavo, data, song = sys.argv[1:5]
    shot = sys.argv[5] if len(sys.argv) > 5 else None
    if not all(shutil.which(t) for t in ("pulseaudio", "pactl", "sox")):
        print("skipped: no pulseaudio or sox")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime:
        wav, own, sharp = (os.path.join(runtime, name) for name in ("take.wav", "own.raw", "sharp.raw"))
        subprocess.run([lutavo, "--render-wav", song, wav], check=True, capture_output=True)
        raw_take(wav, own)
        raw_take(wav, sharp, "pitch", "100")
        seconds = float(subprocess.run(["soxi", "-D", wav], capture_output=True, text=True).stdout) + 2
        env = start_server(runtime, RATE)
        try:
            subprocess.run(["pactl", "load-module", "module-null-sink", f"sink_name=out rate={RATE}"],
                           env=env, check=True, capture_output=True)
            subprocess.run(["pactl", "set-default-source", "rec.monitor"], env=env, check=True)
            heard = score(live_score, data, song, own, seconds, env, shot)
            heard_sharp = score(live_score, data, song, sharp, seconds, env)
        finally:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
    print(f"own take {heard:.1%} hit, a semitone sharp {heard_sharp:.1%}")
    return 0 if heard >= 0.95 and heard_sharp <= 0.10 else 1


if __name__ == "__main__":
    sys.exit(main())
