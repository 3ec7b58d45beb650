"""Timing of a song file read straight from its text, for the export checks."""

FIRST_CONTROL_CODE = 90  # 90..99 are markers, not note lengths
STRINGS = 6
MUTED = -4  # a damped string: struck, so it sounds a note too


def tempo_interval(tempo):
    return 2 * min(max(tempo, 1), 30) + 20


def number_prefix(text):
    """The leading signed whole number of a field, 0 when there is none."""
    text = text.strip()
    digits = ""
    for i, ch in enumerate(text):
        if ch.isdigit() or (ch == "-" and i == 0):
            digits += ch
        else:
            break
    try:
        return int(digits)
    except ValueError:
        return 0


def read_header_number(path, key, default):
    """A number of the song's header, before the first empty line."""
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line:
                break
            if line.startswith(key + "="):
                return number_prefix(line[len(key) + 1:])
    return default


def read_song(path):
    """(tempo, [(length, frets)]) of the song's note lines."""
    with open(path, encoding="latin-1") as f:
        lines = [line.rstrip("\r\n") for line in f]
    tempo = read_header_number(path, "tempo", 8)
    body = lines.index("") + 1 if "" in lines else len(lines)
    notes = []
    for line in lines[body:]:
        if not line:
            continue
        code = number_prefix(line[:2])
        frets = [number_prefix(line[2 + 2 * s : 4 + 2 * s]) for s in range(STRINGS)]
        notes.append((code, frets))
    return tempo, notes


def expected_onsets(path):
    """Times in ms of every note line that strikes a string, counted from the first note."""
    tempo, notes = read_song(path)
    interval = tempo_interval(tempo)
    ticks, onsets = 0, []
    for code, frets in notes:
        if code >= FIRST_CONTROL_CODE:
            continue
        if any(fret >= 0 or fret == MUTED for fret in frets):
            onsets.append(ticks * interval)
        ticks += code
    return onsets


def song_length_ms(path):
    tempo, notes = read_song(path)
    ticks = sum(code for code, _ in notes if code < FIRST_CONTROL_CODE)
    return ticks * tempo_interval(tempo)
