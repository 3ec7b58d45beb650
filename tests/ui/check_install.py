#!/usr/bin/env python3
"""check_install.py BUILD APP_ID: installs the build into a temporary prefix, validates the
launcher and metainfo with the desktop's own tools, checks the icons and file types, and starts
the installed program on a song with --screenshot."""
import os, subprocess, sys, tempfile, xml.etree.ElementTree as ET


def run(*args, env=None):
    done = subprocess.run(args, capture_output=True, text=True, env=env)
    return [f"{args[0]} ({done.returncode}): {done.stdout}{done.stderr}".strip()] if done.returncode else []


def check(build, app_id, prefix):
    share = os.path.join(prefix, "share") + "/"
    failures = run("cmake", "--install", build, "--prefix", prefix)
    failures += run("desktop-file-validate", f"{share}applications/{app_id}.desktop")
    failures += run("appstreamcli", "validate", "--no-net", f"{share}metainfo/{app_id}.metainfo.xml")
    for size in (48, 128, 256):
        with open(f"{share}icons/hicolor/{size}x{size}/apps/{app_id}.png", "rb") as f:
            if f.read(24)[16:24] != size.to_bytes(4, "big") * 2:
                failures.append(f"the {size} pixel icon has another size")
    ET.parse(f"{share}icons/hicolor/scalable/apps/{app_id}.svg")
    globs = {g.get("pattern") for g in ET.parse(f"{share}mime/packages/lutavo.xml").iter()}
    if not {"*.SNG", "*.sng", "*.LSN"} <= globs:
        failures.append(f"file types cover {globs}")
    shot, env = prefix + "/shot.png", dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=prefix)
    done = subprocess.run([prefix + "/bin/lutavo", "--screenshot", shot, f"{share}lutavo/songs/minuet_in_g.SNG"],
                          capture_output=True, text=True, env=env)
    if done.returncode or not os.path.exists(shot) or "missing" in done.stderr or "not found" in done.stderr:
        failures.append(f"the installed program ({done.returncode}): {done.stderr}")
    return failures


with tempfile.TemporaryDirectory() as prefix:
    failures = check(sys.argv[1], sys.argv[2], prefix)
print("\n".join(failures) or "installed launcher, icons, file types and metainfo check out")
sys.exit(1 if failures else 0)
