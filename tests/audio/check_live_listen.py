#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window listening on a live input: a private sound server whose null sink rec's monitor is
the input, the program's own sound going to another sink, out. The program's rendering of SONG
is played into rec.
`check_live_listen.py wait LIVE_LISTEN LUTAVO DATA SONG`: only the song's first four notes, while
wait mode waits at each note: it moves on exactly four.
`check_live_listen.py score LIVE_LISTEN LUTAVO DATA SONG [SHOT.png]`: the whole song as the window
plays it, scored: at least 95% of the notes hit; the same a semitone sharp: at most 10%."""

import os, re, shutil, subprocess, sys, tempfile, time

SKIP, RATE = 77, 44100

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "ui"))
from sound_server import start_server  # noqa: E402
from check_score import silence_notes  # noqa: E402


def raw_take(wav, raw, *effect):
    subprocess.run(["sox", wav, "-t", "raw", "-r", str(RATE), "-c", "1", "-b", "16", "-e", "signed-integer",
                    raw, *effect], check=True)


def window_env(env):
    return dict(env, QT_QPA_PLATFORM="offscreen", PULSE_SINK="out")


def wait_at_four(env, runtime, live, lutavo, data, song):
    part, take = os.path.join(runtime, os.path.basename(song)), os.path.join(runtime, "take.wav")
    silence_notes(song, part, lambda struck: struck > 4)
    subprocess.run([lutavo, "--render-wav", part, take], check=True, capture_output=True)
    raw_take(take, take + ".raw", "pad", "0.5", "0")
    waiting = subprocess.Popen([live, data, song, "wait", "9"], stdout=subprocess.PIPE, text=True,
                               env=window_env(env))
    said = waiting.stdout.readline().split()
    time.sleep(0.5)
    subprocess.run(["pacat", "-d", "rec", "--raw", "--format=s16le", f"--rate={RATE}", "--channels=1",
                    take + ".raw"], env=env, check=True)
    said += waiting.communicate(timeout=30)[0].split()
    return said[1] != "-1" and said[-2:] == ["advanced", "4"]


def score_play(env, runtime, live, lutavo, data, song, shot=None):
    wav, own, sharp = (os.path.join(runtime, name) for name in ("take.wav", "own.raw", "sharp.raw"))
    subprocess.run([lutavo, "--render-wav", song, wav], check=True, capture_output=True)
    raw_take(wav, own)
    raw_take(wav, sharp, "pitch", "100")
    seconds = float(subprocess.run(["soxi", "-D", wav], capture_output=True, text=True).stdout) + 2
    heard = []
    for take, more in ((own, [shot] if shot else []), (sharp, [])):
        said = subprocess.run([live, data, song, "score", take, "rec", str(seconds)] + more, text=True,
                              capture_output=True, timeout=seconds + 60, env=window_env(env)).stdout
        print(said.strip())
        total = re.search(r"Total: (\d+) of (\d+) notes hit", said)
        if not total or "judged" not in said:
            sys.exit("the play was not scored whole")
        heard.append(int(total.group(1)) / max(int(total.group(2)), 1))
    print(f"own take {heard[0]:.1%} hit, a semitone sharp {heard[1]:.1%}")
    return heard[0] >= 0.95 and heard[1] <= 0.10


def main():
    mode, args = sys.argv[1], sys.argv[2:]
    if not all(shutil.which(t) for t in ("pulseaudio", "pactl", "pacat", "sox")):
        print("skipped: no pulseaudio or sox")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime:
        env = start_server(runtime, RATE)
        try:
            subprocess.run(["pactl", "load-module", "module-null-sink", f"sink_name=out rate={RATE}"],
                           env=env, check=True, capture_output=True)
            subprocess.run(["pactl", "set-default-source", "rec.monitor"], env=env, check=True)
            ok = (wait_at_four if mode == "wait" else score_play)(env, runtime, *args)
        finally:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
