#!/usr/bin/env python3
"""Turns pictures of 13x13 positions into problem files.

    make_problem.py                  write every bundled problem (pictures.txt) beside this script
    make_problem.py PICTURE OUT.go   write one problem from a file holding one picture

A picture is 13 rows of 13 characters, row 1 at the top (Y = 1), column 1 at
the left (X = 1): '.' empty, 'X' black, 'O' white. Blanks inside a row are
ignored. A problem file holds 169 lines, one stone code each (0 empty,
1 black, 2 white), column by column: line n is X = (n - 1) div 13 + 1,
Y = (n - 1) mod 13 + 1. Every line ends with CR LF.

pictures.txt holds the bundled problems: a line "== NN-name" opens a
problem and the 13 rows of its picture follow; other lines ('#' comments,
blank lines) are skipped.
"""
import pathlib
import sys

SIDE = 13
CODES = {".": 0, "X": 1, "O": 2}


def parse_rows(lines):
    """The 13 rows of a picture as lists of codes; raises ValueError on a bad picture."""
    rows = []
    for line in lines:
        row = line.replace(" ", "").strip()
        if not row or row.startswith("#"):
            continue
        if len(row) != SIDE or any(c not in CODES for c in row):
            raise ValueError(f"bad row {line!r}: need {SIDE} of '.', 'X', 'O'")
        rows.append([CODES[c] for c in row])
    if len(rows) != SIDE:
        raise ValueError(f"a picture has {SIDE} rows, found {len(rows)}")
    return rows


def file_bytes(rows):
    """The problem file for a picture: column by column, CR LF after every line."""
    lines = [str(rows[y][x]) for x in range(SIDE) for y in range(SIDE)]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def bundled_pictures(path):
    """(name, rows) for every problem in pictures.txt, in file order."""
    problems, name, body = [], None, []
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("== "):
            if name is not None:
                problems.append((name, parse_rows(body)))
            name, body = line[3:].strip(), []
        elif name is not None:
            body.append(line)
    if name is not None:
        problems.append((name, parse_rows(body)))
    return problems


def main(argv):
    here = pathlib.Path(__file__).resolve().parent
    if len(argv) == 3:
        rows = parse_rows(pathlib.Path(argv[1]).read_text(encoding="utf-8").splitlines())
        pathlib.Path(argv[2]).write_bytes(file_bytes(rows))
        return 0
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    for name, rows in bundled_pictures(here / "pictures.txt"):
        (here / f"{name}.go").write_bytes(file_bytes(rows))
        print(f"{name}.go")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
