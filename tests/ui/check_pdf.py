#!/usr/bin/env python3
"""Prints a song into a PDF (`check_pdf.py LUTAVO SONG`, --export-pdf) and reads it back with the
PDF reader's tools: as many sheets as the stacking rule gives for the song's pages, and on the
first sheet rasterised at 300 dpi every staff and tab line one to three pixels thick."""

import os, shutil, subprocess, sys, tempfile

SKIP, SHEET_TWIPS, DRAWN_PAGE_HEIGHT = 77, 12500, 3000


def song_pages(path):
    """The number of pages of a song with drawn pages: one more than its page ends (code 99)."""
    with open(path, encoding="latin-1") as f:
        lines = [line.rstrip("\r\n") for line in f]
    body = lines.index("") + 1 if "" in lines else len(lines)
    if not any(line.upper() == "PAGE=INTERNAL" for line in lines[:body]):
        raise SystemExit(f"{path}: not a song with drawn pages")
    return 1 + sum(1 for line in lines[body:] if line[:2] == "99")


def sheets_for(pages, height):
    """Page 1 takes height + 20 twips, later pages height - 130; a page that passes a sheet starts
    the next one and counts there."""
    sheets, used = 1, 0
    for k in range(1, pages + 1):
        line = height + 20 if k == 1 else height - 130
        used += line
        if used > SHEET_TWIPS:
            sheets, used = sheets + 1, line
    return sheets


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[pos : pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1 :]
    return width, height, [pixels[y * width : (y + 1) * width] for y in range(height)]


def line_thicknesses(rows, width):
    """Thickness of every band of rows holding a dark run across more than half the width."""
    def long_run(row):
        best = run = 0
        for v in row:
            run = run + 1 if v < 128 else 0
            best = max(best, run)
        return best > width // 2

    bands, current = [], 0
    for row in rows:
        if long_run(row):
            current += 1
        elif current:
            bands.append(current)
            current = 0
    return bands + ([current] if current else [])


def main():
    lutavo, song = sys.argv[1], sys.argv[2]
    if not (shutil.which("pdfinfo") and shutil.which("pdftoppm")):
        print("skipped: pdfinfo and pdftoppm (poppler-utils) are not installed")
        return SKIP
    with tempfile.TemporaryDirectory() as tmp:
        pdf = os.path.join(tmp, "song.pdf")
        subprocess.run([lutavo, "--export-pdf", song, pdf], check=True, timeout=60)
        info = subprocess.run(["pdfinfo", pdf], check=True, capture_output=True, text=True).stdout
        pages = int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))
        expected = sheets_for(song_pages(song), DRAWN_PAGE_HEIGHT)
        failures = [] if pages == expected else [f"{pages} sheets, expected {expected}"]
        prefix = os.path.join(tmp, "sheet")
        subprocess.run(["pdftoppm", "-r", "300", "-gray", "-f", "1", "-l", "1", pdf, prefix],
                       check=True)
        shot = next(os.path.join(tmp, n) for n in os.listdir(tmp) if n.endswith(".pgm"))
        width, _, rows = read_pgm(shot)
        bands = line_thicknesses(rows, width)
        # At least one page: five staff lines and six tab lines.
        if len(bands) < 11:
            failures.append(f"only {len(bands)} staff and tab lines found")
        thick = [b for b in bands if not 1 <= b <= 3]
        if thick:
            failures.append(f"lines not one to three pixels thick: {thick}")
    print("\n".join(failures) if failures else f"{song}: {pages} sheets, {len(bands)} lines")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
