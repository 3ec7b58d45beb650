#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""check_install.py BUILD APP_ID: the build installed into a temporary prefix as a desktop needs it."""
import glob, gzip, os, re, subprocess, sys, tempfile, xml.etree.ElementTree as ET


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True)
    return [f"{args[0]} ({done.returncode}): {done.stdout}{done.stderr}".strip()] if done.returncode else []


def check(build, app_id, prefix):
    share = os.path.join(prefix, "share") + "/"
    failures = run("cmake", "--install", build, "--prefix", prefix)
    failures += run("desktop-file-validate", f"{share}applications/{app_id}.desktop")
    failures += run("appstreamcli", "validate", "--no-net", f"{share}metainfo/{app_id}.metainfo.xml")
    for size in (48, 128, 256):  # the width and height in the PNG header
        with open(f"{share}icons/hicolor/{size}x{size}/apps/{app_id}.png", "rb") as f:
            failures += [f"no {size} pixel icon"] if f.read(24)[16:] != size.to_bytes(4, "big") * 2 else []
    ET.parse(f"{share}icons/hicolor/scalable/apps/{app_id}.svg")
    globs = {g.get("pattern") for g in ET.parse(f"{share}mime/packages/lutavo.xml").iter()}
    types = {"*.SNG", "*.sng", "*.LSN", "*.gp5", "*.musicxml", "*.mxl"}
    failures += [] if types <= globs else [f"file types cover {globs}"]
    usage = subprocess.run([prefix + "/bin/lutavo", "--help"], capture_output=True, text=True).stdout
    with gzip.open(f"{share}man/man1/lutavo.1.gz", "rt") as f:
        page = f.read().replace("\\-", "-")
    options = re.findall(r"^  (--[a-z-]+)", usage, re.M) or ["(--help lists no option)"]
    failures += [f"the manual page lacks {o}" for o in options if f"\\fB{o}\\fR" not in page]
    documented = "\n.SH NAME\nlutavo - " in page and os.path.exists(f"{share}doc/lutavo/copyright")
    failures += [] if documented else ["no NAME in the manual page or no copyright file"]
    shot, env = prefix + "/shot.png", dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=prefix)
    done = subprocess.run([prefix + "/bin/lutavo", "--screenshot", shot, f"{share}lutavo/songs/minuet_in_g.SNG"],
                          capture_output=True, text=True, env=env)
    if done.returncode or not os.path.exists(shot) or "missing" in done.stderr or "not found" in done.stderr \
            or "lutavo-sound.so" in done.stderr:
        failures.append(f"the installed program ({done.returncode}): {done.stderr}")
    # Without its sound module the program still starts, silent, and says why.
    for module in glob.glob(f"{prefix}/lib*/**/lutavo-sound.so", recursive=True):
        os.remove(module)
    os.remove(shot)
    done = subprocess.run([prefix + "/bin/lutavo", "--screenshot", shot, f"{share}lutavo/songs/minuet_in_g.SNG"],
                          capture_output=True, text=True, env=env)
    if done.returncode or not os.path.exists(shot) or "lutavo-sound.so" not in done.stderr \
            or not done.stderr.rstrip().endswith("playing silently"):
        failures.append(f"the installed program without its sound ({done.returncode}): {done.stderr}")
    return failures


with tempfile.TemporaryDirectory() as prefix:
    failures = check(sys.argv[1], sys.argv[2], prefix)
print("\n".join(failures) or "installed launcher, icons, file types, metainfo and manual check out")
sys.exit(1 if failures else 0)
