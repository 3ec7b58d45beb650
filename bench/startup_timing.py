#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What starting Lutavo costs against an empty Qt Widgets window, and what it costs idle.

Start-up: the whole process of `lutavo --screenshot FILE.png SONG` (start, open the song, paint
the window, save it, end) against the whole process of `empty_window` (bench/empty_window.cpp)
at the same size, run in turn so that both see the same machine: Lutavo, the empty window, then
the empty window, Lutavo, and so on. Per pair the ratio of the wall times; per process its wall
time, its processor time and its peak resident memory (the kernel's own count, taken when the
process is reaped). Medians are printed with the slowest and fastest, and the load average.

The sound's share: bench/sound_memory opens the live sound through its module in a process of
its own, step by step, with the sound font and without it (the synthesizer alone), and prints
what each step took and added to the memory.

Idle: Lutavo started with the song, left alone for a while, then its processor time over the
next IDLE seconds as a share of one core.

Both run on a private X server (Xvfb) unless --offscreen, and with a private sound server whose
only output is a null sink unless --no-sound-server, so that the synthesizer is loaded and its
stream open as on a desktop.

   bench/startup_timing.py BUILD_FOLDER [--pairs N] [--song SONG] [--idle SECONDS] [--offscreen]
                           [--no-sound-server] [--empty-window PATH]

(--empty-window takes the yardstick from another build, to measure a build that has none.)

`cmake --build build --target startup_timing` runs it with its defaults."""

import argparse, os, shutil, signal, statistics, struct, subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "audio"))
from sound_server import start_server  # noqa: E402

# A child's peak memory counts what it held before it started the program, a copy of this
# process: this process must stay well below what it measures (no numpy here).


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def run_measured(argv, env):
    """Runs argv to its end: (wall seconds, processor seconds, peak resident MiB, exit status)."""
    start = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.monotonic() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0, proc.returncode


def start_display(env):
    """A private Xvfb; returns (process, DISPLAY)."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(write,), env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def spread(values):
    return f"median {statistics.median(values):7.3f}  min {min(values):7.3f}  max {max(values):7.3f}"


def measure_startup(lutavo, empty, song, env, pairs, work):
    shot = os.path.join(work, "lutavo.png")
    lutavo_argv = [lutavo, "--screenshot", shot, song]
    # One start to warm the caches and learn the window's size.
    run_measured(lutavo_argv, env)
    width, height = png_size(shot)
    empty_argv = [empty, f"{width}x{height}", os.path.join(work, "empty.png")]
    runs = {"lutavo": [], "empty": []}
    ratios = []
    for pair in range(pairs):
        order = ["lutavo", "empty"] if pair % 2 == 0 else ["empty", "lutavo"]
        got = {}
        for name in order:
            got[name] = run_measured(lutavo_argv if name == "lutavo" else empty_argv, env)
            if got[name][3] != 0:
                raise RuntimeError(f"{name} ended with status {got[name][3]}")
            runs[name].append(got[name])
        ratios.append(got["lutavo"][0] / got["empty"][0])
    print(f"window {width}x{height}, {pairs} pairs, song {os.path.basename(song)}")
    for name in ("lutavo", "empty"):
        r = runs[name]
        print(f"{name:7s} wall s    {spread([x[0] for x in r])}")
        print(f"{name:7s} cpu s     {spread([x[1] for x in r])}")
        print(f"{name:7s} peak MiB  {spread([x[2] for x in r])}")
    print(f"wall ratio        {spread(ratios)}")
    cpu = [a[1] / b[1] for a, b in zip(runs["lutavo"], runs["empty"])]
    print(f"cpu ratio         {spread(cpu)}")


def measure_sound(build, env):
    memory = os.path.join(build, "bench", "sound_memory")
    if not os.path.exists(memory):
        print("the sound's share: no bench/sound_memory in this build")
        return
    module = os.path.join(build, "lutavo-sound.so")
    for font, title in ((None, "with the sound font"), ("/dev/null", "without a sound font")):
        run_env = dict(env, LUTAVO_SOUNDFONT=font) if font else env
        out = subprocess.run([memory, module], env=run_env, capture_output=True, text=True)
        print(f"the live sound alone, {title}:")
        print(out.stdout.rstrip() if out.returncode == 0 else f"  failed: {out.stderr.strip()}")


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def measure_idle(lutavo, song, env, seconds):
    proc = subprocess.Popen([lutavo, song], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(5)  # start-up, the sound font and the first clip over
        before, start = cpu_ticks(proc.pid), time.monotonic()
        time.sleep(seconds)
        used = (cpu_ticks(proc.pid) - before) / os.sysconf("SC_CLK_TCK")
        elapsed = time.monotonic() - start
        print(f"idle with the song open: {100 * used / elapsed:.2f}% of a core over {elapsed:.0f} s")
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait(timeout=10)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--pairs", type=int, default=10)
    parser.add_argument("--song", default=None)
    parser.add_argument("--idle", type=float, default=60)
    parser.add_argument("--offscreen", action="store_true")
    parser.add_argument("--no-sound-server", action="store_true")
    parser.add_argument("--empty-window", default=None)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    lutavo = os.path.join(build, "lutavo")
    empty = os.path.abspath(args.empty_window or os.path.join(build, "bench", "empty_window"))
    song = os.path.abspath(args.song or os.path.join(build, "data", "songs", "greensleeves.SNG"))

    work = tempfile.mkdtemp(prefix="lutavo-startup-")
    env = dict(os.environ, XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR=work, HOME=work)
    xvfb = None
    try:
        if args.offscreen:
            env["QT_QPA_PLATFORM"] = "offscreen"
        else:
            xvfb, env["DISPLAY"] = start_display(env)
            env.pop("QT_QPA_PLATFORM", None)
        if not args.no_sound_server:
            env = start_server(work, 48000) | {k: env[k] for k in ("DISPLAY", "QT_QPA_PLATFORM",
                                                            "XDG_CONFIG_HOME") if k in env}
        print(f"load average before: {os.getloadavg()}")
        measure_startup(lutavo, empty, song, env, args.pairs, work)
        measure_sound(build, env)
        if args.idle > 0:
            measure_idle(lutavo, song, env, args.idle)
        print(f"load average after: {os.getloadavg()}")
    finally:
        if not args.no_sound_server:
            subprocess.run(["pulseaudio", "--kill"], env=env, capture_output=True)
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
