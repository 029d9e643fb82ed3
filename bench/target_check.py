#!/usr/bin/env python3
"""Compares the prover's default target with the group a book's answer is about.

For every problem of a file list (as eval_books.py --sets takes it) the script
reads the fitted board (`keldra-cli board`), the target's first stone
(`keldra-cli prove FILE --seconds 0.05`, the `target:` line: the target is
chosen before the proof starts) and the book's correct first moves, carried
onto the fitted board. A book move is about a white group when it stands
within two lines (Manhattan distance) of one of its stones, or in an empty
space of at most twelve points that borders the group. A problem differs when
no book move is about the target's group; the groups the book moves are
about instead are named by their first stone.

    target_check.py --sets LIST --root DIR [--cli CLI] [--show N]

Groups here are white's strings joined where they share two or more
liberties: a rougher join than the prover's own. Where the target's group
lies inside black's rectangle, every white group inside it is taken as part
of the target (the default target is every enclosed group).
"""
import argparse
import os
import re
import runpy
import subprocess
import types

HERE = os.path.dirname(os.path.abspath(__file__))


def load_harness(path):
    return types.SimpleNamespace(**runpy.run_path(path))


def neighbours(p):
    x, y = p
    for q in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
        if 1 <= q[0] <= 13 and 1 <= q[1] <= 13:
            yield q


def fill(start, board, colour):
    """The 4-connected points of `colour` (None: empty) from `start`."""
    seen, todo = {start}, [start]
    while todo:
        p = todo.pop()
        for q in neighbours(p):
            if q not in seen and board.get(q) == colour:
                seen.add(q)
                todo.append(q)
    return seen


def white_groups(board):
    strings = []
    done = set()
    for p, c in sorted(board.items()):
        if c == "W" and p not in done:
            s = fill(p, board, "W")
            done |= s
            strings.append(s)
    libs = [{q for p in s for q in neighbours(p) if q not in board} for s in strings]
    parent = list(range(len(strings)))

    def root(i):
        while parent[i] != i:
            i = parent[i]
        return i

    for i in range(len(strings)):
        for j in range(i + 1, len(strings)):
            if len(libs[i] & libs[j]) >= 2:
                parent[root(j)] = root(i)
    groups = {}
    for i, s in enumerate(strings):
        groups.setdefault(root(i), set()).update(s)
    return list(groups.values())


def about(move, group, board):
    if any(abs(move[0] - p[0]) + abs(move[1] - p[1]) <= 2 for p in group):
        return True
    if move in board:
        return False
    space = fill(move, board, None)
    return len(space) <= 12 and any(q in group for p in space for q in neighbours(p))


def black_rectangle(board):
    """Black's bounding rectangle, each side carried to an edge it stops
    three lines or fewer short of."""
    ps = [p for p, c in board.items() if c == "B"]
    if not ps:
        return None
    lo = [min(p[i] for p in ps) for i in (0, 1)]
    hi = [max(p[i] for p in ps) for i in (0, 1)]
    return ([1 if v - 1 <= 3 else v for v in lo], [13 if 13 - v <= 3 else v for v in hi])


def inside(p, rect):
    return all(rect[0][i] <= p[i] <= rect[1][i] for i in (0, 1))


def target_of(cli, path):
    r = subprocess.run([cli, "prove", path, "--seconds", "0.05"], capture_output=True, timeout=120)
    if r.returncode != 0:
        return None
    m = re.search(rb"^target: (\d+),(\d+)$", r.stdout, re.M)
    return (int(m.group(1)), int(m.group(2))) if m else None


def picture(board, target, book):
    rows = []
    for y in range(1, 14):
        row = ""
        for x in range(1, 14):
            c = board.get((x, y))
            if (x, y) in book:
                row += "*"
            elif c == "B":
                row += "X"
            elif c == "W":
                row += "T" if (x, y) in target else "O"
            else:
                row += "."
        rows.append("    " + row)
    return "\n".join(rows)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--sets", required=True)
    ap.add_argument("--root", required=True)
    ap.add_argument("--cli", default="build-rel/cli/keldra-cli")
    ap.add_argument("--harness", default=os.path.join(HERE, "eval_books.py"))
    ap.add_argument("--show", type=int, default=0, help="draw the first N problems that differ")
    args = ap.parse_args()
    eb = load_harness(args.harness)

    checked = differ = 0
    shown = 0
    with open(args.sets, encoding="utf-8") as f:
        entries = [l.rstrip("\n").split("\t", 1) for l in f if l.strip() and not l.startswith("#")]
    for name, rel in entries:
        path = os.path.join(args.root, name, rel)
        if eb.is_held_out(path):
            continue
        with open(path, "rb") as f:
            tree = eb.parse_sgf(f.read())
        board = eb.read_board(args.cli, path)
        if tree is None or board is None:
            continue
        colour = eb.first_move_colour(tree)
        offset = eb.fitting_offset(eb.setup_stones(tree), board, colour == "W")
        book = {(x + offset[0], y + offset[1]) for x, y in eb.book_moves(tree, colour)} if offset else set()
        target = target_of(args.cli, path)
        if not book or target is None:
            continue
        checked += 1
        groups = white_groups(board)
        tgroup = next((g for g in groups if target in g), {target})
        # Several enclosed groups make one target; the line names its first
        # stone only. Taken here: every group inside black's rectangle.
        rect = black_rectangle(board)
        if rect and all(inside(p, rect) for p in tgroup):
            for g in groups:
                if all(inside(p, rect) for p in g):
                    tgroup = tgroup | g
        if any(about(m, tgroup, board) for m in book):
            continue
        differ += 1
        others = sorted(min(g) for g in groups if not (g & tgroup) and any(about(m, g, board) for m in book))
        print("%s\t%s\ttarget %d,%d\tbook %s\tabout %s" % (
            name, rel, target[0], target[1], " ".join("%d,%d" % m for m in sorted(book)),
            " ".join("%d,%d" % p for p in others) or "-"))
        if shown < args.show:
            shown += 1
            print(picture(board, tgroup, book))
    print("differ: %d of %d" % (differ, checked))


if __name__ == "__main__":
    main()
