#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""`check_score.py LUTAVO SONG`: the program's own rendering of SONG, scored against SONG with
--score, is heard as played (at least 95% hit), after a silence too; the same take a semitone sharp is not (at most
10%); and a take of SONG with every other note left silent has about half the notes missed."""

import os, re, shutil, subprocess, sys, tempfile

SKIP = 77
FIELD = 2  # a note line: its length, then the six strings' frets, two characters each


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({done.returncode}):\n{done.stderr}")
    return done.stdout


def render(lutavo, song, wav):
    done = subprocess.run([lutavo, "--render-wav", song, wav], capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        print(done.stderr)
        sys.exit(SKIP if "sound font" in done.stderr else 1)


def verdicts(lutavo, song, take, *more):
    """(hit, of, missed) from the report's last line and its lines."""
    report = run(lutavo, "--score", song, take, *more).splitlines()
    total = re.fullmatch(r"Total: (\d+) of (\d+) notes hit \((\d+\.\d)%\)", report[-1])
    if not total:
        sys.exit(f"no total line in:\n{report}")
    missed = sum(int(m) for m in re.findall(r"(\d+) missed", "\n".join(report[:-1])))
    return int(total.group(1)), int(total.group(2)), missed


def silence_notes(song, out, silent):
    """The song with the strings of each struck note whose count (from 1) silent(count) picks left
    silent, held strings too."""
    with open(song, encoding="latin-1", newline="") as f:
        lines = f.read().split("\n")
    struck = 0
    for i in range([line.rstrip("\r") for line in lines].index("") + 1, len(lines)):
        line = lines[i].rstrip("\r")
        if len(line) < 7 * FIELD or int(line[:FIELD]) >= 90:
            continue
        if any(int(line[FIELD * (s + 1):FIELD * (s + 2)]) >= 0 for s in range(6)):
            struck += 1
        if struck and silent(struck):
            lines[i] = line[:FIELD] + "-1" * 6 + lines[i][len(line):]
    with open(out, "w", encoding="latin-1", newline="") as f:
        f.write("\n".join(lines))


def main():
    lutavo, song = sys.argv[1], sys.argv[2]
    if not shutil.which("sox"):
        print("skipped: no sox")
        return SKIP
    with tempfile.TemporaryDirectory() as tmp:
        take = os.path.join(tmp, "take.wav")
        render(lutavo, song, take)
        hit, of, _ = verdicts(lutavo, song, take)
        print(f"own take: {hit} of {of} hit")
        assert of > 0 and hit >= 0.95 * of, f"{hit} of {of} hit on the song's own take"
        late = os.path.join(tmp, "late.wav")
        run("sox", take, late, "pad", "1.7", "0")
        hit, of, _ = verdicts(lutavo, song, late)
        print(f"after 1.7 s of silence: {hit} of {of} hit")
        assert hit >= 0.95 * of, f"{hit} of {of} hit on the take after silence"
        hit, of, _ = verdicts(lutavo, song, take, "--range", "1-8")
        assert 0 < of <= 8 and hit == of, f"{hit} of {of} hit of the first eight notes"
        assert subprocess.run([lutavo, "--score", song, take, "--range", "999-1000"]).returncode == 1

        sharp = os.path.join(tmp, "sharp.wav")
        run("sox", take, sharp, "pitch", "100")
        hit, of, _ = verdicts(lutavo, song, sharp)
        print(f"a semitone sharp: {hit} of {of} hit")
        assert hit <= 0.10 * of, f"{hit} of {of} hit a semitone off"

        half = os.path.join(tmp, os.path.basename(song))
        silence_notes(song, half, lambda struck: struck % 2 == 0)
        render(lutavo, half, take)
        hit, of, missed = verdicts(lutavo, song, take)
        print(f"every other note silent: {hit} hit, {missed} missed of {of}")
        assert 0.4 * of <= missed <= 0.6 * of, f"{missed} of {of} missed with half the notes played"
        assert hit + missed >= 0.9 * of, f"only {hit} hit and {missed} missed of {of}"
    return 0


if __name__ == "__main__":
    sys.exit(main())
