#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs an export on a song and checks it against timings read from the song's text: `midi LUTAVO
SONG` (--export-midi: note-ons at the note lengths times the tempo's interval, 1 ms a tick), `wav
LUTAVO SONG [--metronome]` (--render-wav: format, length, not silent, clicks on the beats) or `pdf
LUTAVO SONG` (--export-pdf: vectors and embedded fonts only, its sheets on A4 and Letter, its title
as text, its lines crisp at 300 dpi), `music-font LUTAVO HEADER` (the music font's characters the
header names are the glyphs meant), `same LUTAVO SONG
SUMS` (both exports hold exactly the bytes whose SHA-256 the file SUMS keeps), `musicxml LUTAVO
SONG` (--export-musicxml then --import give back the song's notes, tuning and capo) or
`bad-outputs LUTAVO SONG` (every export refusing outputs it must not or cannot write)."""

import array, glob, hashlib, itertools, math, os, re, resource, shutil, signal, subprocess, sys, tempfile, wave

SKIP, RELEASE_TAIL_MS, NO_FONT = 77, 1500, "no General MIDI sound font"
FIRST_CONTROL_CODE, MUTED = 90, -4  # 90..99 are markers; a damped string is struck too


class Skip(Exception): ...


def tempo_interval(tempo):
    return 2 * min(max(tempo, 1), 30) + 20


def number_prefix(text):
    """The leading signed whole number of a field, 0 when there is none."""
    found = re.match(r"\s*(-?\d+)", text)
    return int(found.group(1)) if found else 0


def read_song(path):
    """({header key: text}, [(length, frets)]) of the song file."""
    with open(path, encoding="latin-1") as f:
        lines = [line.rstrip("\r\n") for line in f]
    body = lines.index("") + 1 if "" in lines else len(lines)
    header = {}
    for line in lines[:body]:
        if "=" in line:
            header.setdefault(*line.split("=", 1))
    notes = [(number_prefix(l[:2]), [number_prefix(l[2 + 2 * s : 4 + 2 * s]) for s in range(6)])
             for l in lines[body:] if l]
    return header, notes


def header_number(path, key, default):
    return number_prefix(read_song(path)[0].get(key, str(default)))


def expected_onsets(path):
    """Times in ms of every note line that strikes a string, counted from the first note."""
    interval, ticks, onsets = tempo_interval(header_number(path, "tempo", 8)), 0, []
    for code, frets in read_song(path)[1]:
        if code >= FIRST_CONTROL_CODE:
            continue
        if any(fret >= 0 or fret == MUTED for fret in frets):
            onsets.append(ticks * interval)
        ticks += code
    return onsets


def song_length_ms(path):
    ticks = sum(code for code, _ in read_song(path)[1] if code < FIRST_CONTROL_CODE)
    return ticks * tempo_interval(header_number(path, "tempo", 8))


def run(lutavo, option, song, out, *more):
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.dirname(out), HOME=os.path.dirname(out))
    done = subprocess.run([lutavo, option, song, out, *more], env=env, capture_output=True,
                          text=True)
    if done.returncode != 0:
        failed = Skip if NO_FONT in done.stderr else RuntimeError
        raise failed(f"{option} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def read_variable(data, at):
    value = 0
    while True:
        value, at = value << 7 | (data[at] & 0x7F), at + 1
        if data[at - 1] < 0x80:
            return value, at


def read_track(track):
    """(first tempo, notes as (tick, on, channel, key), whether it ends) of one track's bytes."""
    at, tick, tempo, status, notes, ended = 0, 0, None, None, [], False
    while at < len(track):
        delta, at = read_variable(track, at)
        tick += delta
        event = track[at] if track[at] & 0x80 else status  # meta and system bytes do not run on
        if event is None:
            raise ValueError("running status before any status")
        at += 1 if track[at] & 0x80 else 0
        if event == 0xFF:
            kind = track[at]
            size, at = read_variable(track, at + 1)
            if kind == 0x51 and tempo is None:
                tempo = int.from_bytes(track[at : at + 3], "big")
            ended |= kind == 0x2F
            at += size
        elif event in (0xF0, 0xF7):
            size, at = read_variable(track, at)
            at += size
        else:
            status = event
            if status & 0xF0 in (0x80, 0x90):
                on = status & 0xF0 == 0x90 and track[at + 1] != 0
                notes.append((tick, on, status & 0x0F, track[at]))
            at += 1 if status & 0xF0 in (0xC0, 0xD0) else 2
    return tempo, notes, ended


def parse_midi(data):
    """(format, tracks, division, tempo, notes as (tick, on, channel, key)) of a one-track file."""
    if data[:4] != b"MThd" or int.from_bytes(data[4:8], "big") != 6 or data[14:18] != b"MTrk":
        raise ValueError("no MThd and MTrk chunks")
    fmt, tracks, division = (int.from_bytes(data[i : i + 2], "big") for i in (8, 10, 12))
    length = int.from_bytes(data[18:22], "big")
    track = data[22 : 22 + length]
    if len(track) != length:
        raise ValueError("track chunk cut short")
    tempo, notes, ended = read_track(track)
    if not ended:
        raise ValueError("no end of track")
    return fmt, tracks, division, tempo, notes


def pair_notes(notes):
    """Each note-off ends the oldest sounding note-on of its key, as common readers pair them:
    (lengths, offs of silent keys)."""
    sounding, lengths, stray = {}, [], 0
    for tick, on, channel, key in notes:
        starts = sounding.setdefault((channel, key), [])
        if on:
            starts.append(tick)
        elif starts:
            lengths.append(tick - starts.pop(0))
        else:
            stray += 1
    return lengths, stray


def check_bad_outputs(lutavo, song, folder):
    """No export writes over its own song, however the output names it; one that cannot write its
    file whole says why, exits non-zero and leaves the old file as it was (a file limited to 100
    bytes stands for a full disk)."""
    own, old = os.path.join(folder, "own.SNG"), os.path.join(folder, "old.out")
    shutil.copy(song, own)
    os.symlink(own, os.path.join(folder, "link.out"))
    os.link(own, os.path.join(folder, "hard.out"))
    os.mkdir(os.path.join(folder, "sub"))
    open(old, "wb").write(b"old")
    full = lambda: (signal.signal(signal.SIGXFSZ, signal.SIG_IGN),
                    resource.setrlimit(resource.RLIMIT_FSIZE, (100, 100)))
    cases = [(out, "is the song itself", None) for out in ("own.SNG", "sub/../own.SNG", "link.out", "hard.out")]
    cases += [("/dev/full", "not a regular file", None), ("/proc/x.out", "", None), (old, "too large", full)]
    failures = []
    for option, (out, why, limit) in itertools.product(("--export-midi", "--render-wav", "--export-pdf"), cases):
        done = subprocess.run([lutavo, option, own, os.path.join(folder, out)], capture_output=True,
                              text=True, preexec_fn=limit, env=dict(os.environ, HOME=folder))
        if done.returncode == 0 or "Wrote" in done.stdout or why not in done.stderr:
            failures.append(f"{option} onto {out}: {done.returncode} {done.stdout}{done.stderr}")
    if open(own, "rb").read() != open(song, "rb").read() or open(old, "rb").read() != b"old":
        failures.append("a file was written over")
    return failures


def check_midi(lutavo, song, folder):
    failures, out = [], os.path.join(folder, "song.mid")
    if out not in run(lutavo, "--export-midi", song, out):
        return failures + ["the success line does not name the file"]
    with open(out, "rb") as f:
        notes = parse_midi(f.read())[4]
    onsets = [tick for tick, on, _, _ in notes if on]
    expected, found = expected_onsets(song), sorted(set(onsets))
    lengths, stray = pair_notes(notes)
    clicks = sum(frets.count(MUTED) for code, frets in read_song(song)[1] if code < FIRST_CONTROL_CODE)
    if stray or lengths.count(0) != clicks or len(lengths) != len(onsets):
        failures.append(f"{stray} offs of silent keys, {lengths.count(0)} empty for {clicks} muted "
                        f"strings, {len(onsets) - len(lengths)} unended")
    if found != expected:
        failures.append(f"note-on times {found[:12]}... expected {expected[:12]}...")
    if not expected:
        failures.append("the song has no notes: nothing was checked")
    return failures


def render(lutavo, song, folder, name):
    out = os.path.join(folder, name)
    run(lutavo, "--render-wav", song, out)
    with wave.open(out, "rb") as w:
        params, samples = w.getparams(), array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    return params, samples


def check_wav(lutavo, song, folder, metronome):
    params, plain = render(lutavo, song, folder, "song.wav")
    failures = []
    if (params.nchannels, params.sampwidth, params.framerate) != (2, 2, 44100):
        failures.append(f"format {params}")
    length_ms, song_ms = params.nframes * 1000 / params.framerate, song_length_ms(song)
    if not song_ms <= length_ms <= song_ms + RELEASE_TAIL_MS + 1:
        failures.append(f"{length_ms:.1f} ms long for a song of {song_ms} ms")
    if math.sqrt(sum(s * s for s in plain) / max(len(plain), 1)) < 100:
        failures.append("silent")
    if metronome:  # the song again with metro=on: the two renderings first differ on its beats
        clicked_song = os.path.join(folder, "metronome" + os.path.splitext(song)[1])
        with open(song, "rb") as f, open(clicked_song, "wb") as out:
            out.write(f.read().replace(b"\r\n", b"\r\nmetro=on\r\n", 1))
        clicked = render(lutavo, clicked_song, folder, "clicks.wav")[1]
        diff = [i // 2 for i in range(min(len(plain), len(clicked))) if plain[i] != clicked[i]]
        starts = [round(f / 44.1) for n, f in enumerate(diff) if n == 0 or f - diff[n - 1] > 441]
        tempo = tempo_interval(header_number(song, "tempo", 8))
        beat = header_number(song, "metroticks", 16) * tempo
        if starts[:4] != [0, beat, 2 * beat, 3 * beat]:
            failures.append(f"clicks at {starts[:4]} ms, beats of {beat} ms")
    return failures


def tool_output(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def check_pdf(lutavo, song, folder):
    """Vectors and embedded fonts only, as many sheets as the lines fill on A4 and on Letter, the
    title as text, the staff and tab lines crisp at 300 dpi."""
    for tool in ("pdfinfo", "pdftoppm", "pdfimages", "pdffonts", "pdftotext"):
        if not shutil.which(tool):
            raise Skip(f"{tool} is not installed")
    header, notes = read_song(song)
    lines = 1 + sum(code == 99 for code, _ in notes)
    failures, out = [], os.path.join(folder, "song.pdf")
    # Lines on the first sheet (under the title) and on each sheet after it.
    for paper, first, rest in (("letter", 4, 5), ("a4", 5, 6)):
        said = run(lutavo, "--export-pdf", song, out, "--paper", paper)
        info = tool_output("pdfinfo", out)
        found = int(re.search(r"Pages:\s+(\d+)", info).group(1))
        sheets = 1 + -(-max(0, lines - first) // rest)
        if found != sheets or f"({paper})" not in info.lower():
            failures.append(f"{found} sheets on {paper}, expected {sheets} of {lines} lines")
        if f"({found} sheet{'' if found == 1 else 's'})" not in said:
            failures.append(f"reported {said.strip()!r} for {found} sheets")
    if tool_output("pdfimages", "-list", out).splitlines()[2:]:
        failures.append("the PDF holds pictures")
    fonts = [l.split() for l in tool_output("pdffonts", out).splitlines()[2:]]
    for family in ("Emmentaler", "DejaVuSerif", "DejaVuSans"):
        if not any(f[0].startswith(family) and "yes" in f[-5:-3] for f in fonts):
            failures.append(f"no embedded {family} font among {fonts}")
    if header.get("title", "") not in tool_output("pdftotext", "-l", "1", out, "-"):
        failures.append(f"the title {header.get('title')!r} is not in the first sheet's text")
    if lines <= 4 and os.path.getsize(out) >= 150_000:
        failures.append(f"{os.path.getsize(out)} bytes for {lines} lines")
    pgm = subprocess.run(["pdftoppm", "-r", "300", "-gray", "-l", "1", out], capture_output=True,
                         check=True).stdout
    _, width, height, _, pixels = pgm.split(maxsplit=4)
    width, dark = int(width), bytes(0 if v < 128 else 1 for v in range(256))
    crossed = (b"\x00" * (width // 2) in pixels[y * width : (y + 1) * width].translate(dark)
               for y in range(int(height)))  # rows crossed by a dark run: staff and tab lines
    bands = [len(b) for b in "".join(" 1"[c] for c in crossed).split()]
    if len(bands) < 11 or not all(1 <= b <= 3 for b in bands):
        failures.append(f"staff and tab lines {bands}: not eleven or more, 1 to 3 pixels thick")
    return failures


def check_music_font(header):
    """The music font's characters the printed sheet uses name the glyphs they are meant for."""
    try:
        from fontTools.ttLib import TTFont
    except ImportError:  # a Python of its own beside the system's: the Debian package's modules
        sys.path.append("/usr/lib/python3/dist-packages")
        try:
            from fontTools.ttLib import TTFont
        except ImportError:
            raise Skip("python3-fonttools is not installed")
    fonts = sorted(glob.glob("/usr/share/lilypond/*/fonts/otf/emmentaler-20.otf"))
    if not fonts:
        raise Skip("lilypond-fonts is not installed")
    names = TTFont(fonts[-1]).getBestCmap()
    with open(header) as f:
        source = f.read()
    meant = {"kWholeHead": ["noteheads.s0"], "kHalfHead": ["noteheads.s1"],
             "kBlackHead": ["noteheads.s2"], "kCrossHead": ["noteheads.s2cross"],
             "kTrebleClef": ["clefs.G"], "kSharp": ["accidentals.sharp"],
             "kFlat": ["accidentals.flat"], "kNatural": ["accidentals.natural"],
             "kDot": ["dots.dot"], "kRests": [f"rests.{r}" for r in "012345"],
             "kFlagsUp": ["flags.u3", "flags.u4", "flags.u5"],
             "kFlagsDown": ["flags.d3", "flags.d4", "flags.d5"]}
    failures = []
    for name, glyphs in meant.items():
        found = re.search(name + r"(?:\[\d\])? = \{?([^;}]*)", source)
        codes = [int(c, 16) for c in re.findall(r"0x([0-9A-Fa-f]+)", found.group(1))] if found else []
        if [names.get(c) for c in codes] != glyphs:
            failures.append(f"{name}: {[names.get(c) for c in codes]}, meant {glyphs}")
    return failures


def read_sums(path):
    """{name: value} of the lines `name value` (font and synthesizer lines carry two values)."""
    with open(path) as f:
        return {w[0]: w[1:] for w in (l.split() for l in f if l.strip() and l[0] != "#")}


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def rendering_reproducible(sums):
    """The sound font and synthesizer the WAV sums were taken with are the ones installed."""
    name, digest = sums["font"]
    font = os.path.join("/usr/share/sounds/sf2", name)
    version = subprocess.run(["pkg-config", "--modversion", "fluidsynth"], capture_output=True,
                             text=True).stdout.strip() if shutil.which("pkg-config") else ""
    if os.path.isfile(font) and sha256(font) == digest and version == sums["synthesizer"][0]:
        os.environ["LUTAVO_SOUNDFONT"] = font
        return True
    return False


def check_same(lutavo, song, folder, sums_path):
    sums, name = read_sums(sums_path), os.path.basename(song)
    kinds = [("--export-midi", ".mid")]
    if rendering_reproducible(sums):
        kinds.append(("--render-wav", ".wav"))
    failures = []
    for option, ending in kinds:
        out = os.path.join(folder, name + ending)
        run(lutavo, option, song, out)
        if [sha256(out)] != sums.get(name + ending):
            failures.append(f"{option} wrote other bytes than before ({sha256(out)[:16]}...)")
    if len(kinds) == 1 and not failures:
        raise Skip(f"the MIDI file is the same; the WAV was not compared (another sound font)")
    return failures


def held_as_frets(notes):
    """The notes with each hold (-2) written as the held fret plus 24, as a saved song has it."""
    ringing, out = [None] * 6, []
    for code, frets in notes:
        if code >= FIRST_CONTROL_CODE:
            out.append((code, frets))
            continue
        frets = [24 + ringing[s] if f == -2 and ringing[s] is not None else f
                 for s, f in enumerate(frets)]
        ringing = [f % 24 if 0 <= f < 48 else None for f in frets]
        out.append((code, frets))
    return out


def check_musicxml(lutavo, song, folder):
    """The command line's score export read back by its import; a file that is not the score its
    name says is refused, and no song is written for it."""
    score, back = os.path.join(folder, "score.musicxml"), os.path.join(folder, "back.SNG")
    run(lutavo, "--export-musicxml", song, score)
    run(lutavo, "--import", score, back)
    failures = []
    notes, notes_back = read_song(song)[1], read_song(back)[1]
    if held_as_frets(notes_back) != held_as_frets(notes):
        failures.append(f"{len(notes)} note lines came back as {len(notes_back)}, not all alike")
    fake, refused = os.path.join(folder, "fake.gp5"), os.path.join(folder, "refused.SNG")
    with open(fake, "w") as f:
        f.write("a letter, not a tablature file")
    try:
        run(lutavo, "--import", fake, refused)
        failures.append("a text named .gp5 was imported")
    except RuntimeError as why:
        if "fake.gp5" not in str(why):
            failures.append(f"the refusal does not name the file: {why}")
    if os.path.exists(refused):
        failures.append("a refused import wrote a song")
    return failures


def main():
    kind, lutavo, song = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        checks = {"midi": lambda: check_midi(lutavo, song, folder),
                  "pdf": lambda: check_pdf(lutavo, song, folder),
                  "music-font": lambda: check_music_font(song),
                  "musicxml": lambda: check_musicxml(lutavo, song, folder),
                  "same": lambda: check_same(lutavo, song, folder, sys.argv[4]),
                  "bad-outputs": lambda: check_bad_outputs(lutavo, song, folder),
                  "wav": lambda: check_wav(lutavo, song, folder, "--metronome" in sys.argv[4:])}
        try:
            failures = checks[kind]()
        except Skip as why:
            print(f"skipped: {why}")
            return SKIP
        except (RuntimeError, ValueError) as why:
            failures = [str(why)]
    if not failures and kind == "music-font":
        print(f"{song}: every glyph is the one meant")
    else:
        print("\n".join(failures) if failures else f"{song}: {len(expected_onsets(song))} notes match")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
