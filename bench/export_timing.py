#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the command line's exports cost as whole processes: `lutavo --export-midi` and
`lutavo --render-wav` of the longest sample song (start, read the song, play it, write the file,
end), each run RUNS times in turn with `lutavo --version` (start and end, nothing else: the floor
of any run of the program). Per export the median wall and processor time with the fastest and
slowest, and for the render the seconds of sound written per second of wall and of processor
time (times real time). The load average is printed too: a busy machine stretches wall times.

   bench/export_timing.py BUILD_FOLDER [--runs N] [--song SONG]

`cmake --build build --target export_timing` runs it with its defaults."""

import argparse, os, re, shutil, statistics, subprocess, sys, tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from startup_timing import run_measured, spread  # noqa: E402


def written_seconds(lutavo, option, song, out, env):
    """The length the export reports for the file it wrote."""
    done = subprocess.run([lutavo, option, song, out], env=env, capture_output=True, text=True,
                          check=True)
    return float(re.search(r"\(([\d.]+) s\)", done.stdout).group(1))


def longest_song(lutavo, songs, work, env):
    lengths = {}
    for name in sorted(os.listdir(songs)):
        if name.endswith(".SNG"):
            path = os.path.join(songs, name)
            lengths[path] = written_seconds(lutavo, "--export-midi", path,
                                            os.path.join(work, "x.mid"), env)
    return max(lengths, key=lengths.get)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--song")
    args = parser.parse_args()
    lutavo = os.path.join(args.build, "lutavo")
    work = tempfile.mkdtemp(prefix="lutavo-export-")
    try:
        # The configuration the exports read is a fresh one, as on a first start.
        env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work)
        song = args.song or longest_song(lutavo, os.path.join(args.build, "data", "songs"), work,
                                         env)
        runs = {
            "--version": [lutavo, "--version"],
            "--export-midi": [lutavo, "--export-midi", song, os.path.join(work, "s.mid")],
            "--render-wav": [lutavo, "--render-wav", song, os.path.join(work, "s.wav")],
        }
        sound = written_seconds(lutavo, "--render-wav", song, runs["--render-wav"][3], env)
        walls = {name: [] for name in runs}
        cpus = {name: [] for name in runs}
        for _ in range(args.runs):
            for name, argv in runs.items():
                wall, cpu, _, status = run_measured(argv, env)
                if status != 0:
                    sys.exit(f"{' '.join(argv)} failed ({status})")
                walls[name].append(wall * 1000)
                cpus[name].append(cpu * 1000)
        print(f"{os.path.basename(song)}: {sound:.1f} s of sound; load {os.getloadavg()[0]:.1f}")
        for name in runs:
            print(f"{name:14} wall {spread(walls[name])} ms   processor {spread(cpus[name])} ms")
        wall, cpu = statistics.median(walls["--render-wav"]), statistics.median(cpus["--render-wav"])
        print(f"render: {sound * 1000 / wall:.0f}x real time by the wall clock, "
              f"{sound * 1000 / cpu:.0f}x by processor time")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
