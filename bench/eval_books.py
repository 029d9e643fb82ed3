#!/usr/bin/env python3
"""Measures the verified solver on published black-to-kill problems.

Each collection is a folder of SGF files (its subfolders included). For every
problem the script runs `keldra-cli prove FILE --seconds S`, reads the book's
correct first moves from the file, places them on the fitted 13x13 board and
prints a table per collection: the book move among the kill or ko moves, of
those a clean kill, the verdicts ko, alive/seki and unknown, the files the
program refuses to load, the median and 95th-percentile time of the whole
proof, and the same of the time until the book's move was proved a kill or ko
kill (`proved-at`; the whole proof's time where it never was).

    eval_books.py [options] FOLDER...          # each folder one collection
    eval_books.py [options] --archive DIR      # each subfolder of DIR one collection
    eval_books.py [options] --sets LIST --root DIR   # exactly the files of LIST
    eval_books.py [options] ... --baseline DETAILS     # and compare the verdicts with a run's --details
    eval_books.py [options] ... --trees DIR            # and keep the proof tree of every problem the
                                                       # prover calls ko, alive or seki (prove --tree)

Only problems in which black kills are measured: a root comment that says so
(黑先白死, "to kill"); without one, a correct answer that does not say black
lives (黑活) and white's stones spanning the smaller rectangle, each carried
to an edge it stops three lines or fewer short of. --limit N takes N of them spread evenly over the collection;
--write-sets LIST keeps the chosen files (collection folder, a tab, the file
relative to it) so that a later run measures the same set.
"""
import argparse
import concurrent.futures
import os
import re
import shlex
import statistics
import subprocess
import sys
import time

# Books held back to judge the solver on: never read, never run.
HELD_OUT = {
    "tsumego classic - gokyo shumyo",
    "hashimoto utaro 179 skillful life and death",
    "maeda tsumego tsumego masterpieces",
}

CORRECT_WORDS = ["正解", "正确", "正解图", "Correct", "CORRECT", "correct", "RIGHT", "Right"]
ENCODINGS = ["utf-8", "gb18030", "shift_jis", "big5"]


def is_held_out(path):
    parts = os.path.normpath(path).split(os.sep)
    return any(p.strip().lower() in HELD_OUT for p in parts)


# --- SGF, read as bytes: a game tree is (nodes, children), a node a dict of lists.

def parse_sgf(data):
    pos = 0
    n = len(data)

    def skip_ws():
        nonlocal pos
        while pos < n and data[pos] in b" \t\r\n":
            pos += 1

    def parse_tree():
        nonlocal pos
        pos += 1  # '('
        nodes, children = [], []
        while True:
            skip_ws()
            if pos >= n:
                break
            c = data[pos]
            if c == ord(";"):
                pos += 1
                nodes.append(parse_node())
            elif c == ord("("):
                children.append(parse_tree())
            elif c == ord(")"):
                pos += 1
                break
            else:
                pos += 1
        return (nodes, children)

    def parse_node():
        nonlocal pos
        props = {}
        ident = b""
        while True:
            skip_ws()
            if pos >= n:
                return props
            c = data[pos]
            if c in b";()":
                return props
            if c == ord("["):
                pos += 1
                start = pos
                while pos < n and data[pos] != ord("]"):
                    pos += 2 if data[pos] == ord("\\") else 1
                props.setdefault(ident.decode("latin-1"), []).append(data[start:pos])
                pos += 1
            elif 65 <= c <= 90:
                ident = b""
                while pos < n and 65 <= data[pos] <= 90:
                    ident += bytes([data[pos]])
                    pos += 1
            else:
                pos += 1

    start = data.find(b"(")
    if start < 0:
        return None
    pos = start
    return parse_tree()


def text_of(value):
    for enc in ENCODINGS:
        try:
            return value.decode(enc)
        except UnicodeDecodeError:
            pass
    return value.decode("latin-1")


def point_of(value):
    v = value.strip().lower()
    if len(v) != 2 or not all(97 <= b <= 122 for b in v):
        return None  # a pass or a malformed point
    return (v[0] - 96, v[1] - 96)


def main_line(tree):
    nodes, children = tree
    out = list(nodes)
    while children:
        nodes, children = children[0]
        out.extend(nodes)
    return out


def first_move_colour(tree):
    root = tree[0][0] if tree[0] else {}
    if "PL" in root:
        return "W" if root["PL"][0].strip().upper().startswith(b"W") else "B"
    for node in main_line(tree):
        if "B" in node:
            return "B"
        if "W" in node:
            return "W"
    return "B"


def subtree_says_correct(tree):
    nodes, children = tree
    for node in nodes:
        for key in ("C", "N", "GC"):
            for v in node.get(key, []):
                t = text_of(v)
                if "incorrect" in t.lower():
                    continue
                if any(w in t for w in CORRECT_WORDS):
                    return True
    return any(subtree_says_correct(c) for c in children)


def first_moves_below(tree, colour):
    """(point, tree) for each first move of `colour` reached from the root's
    variations: nodes without a move are walked through."""
    out = []

    def walk(t, skip):
        nodes, children = t
        for i, node in enumerate(nodes[skip:], skip):
            if colour in node:
                out.append((point_of(node[colour][0]), (nodes[i:], children)))
                return
            if "B" in node or "W" in node:
                return
        for c in children:
            walk(c, 0)

    walk(tree, 1)
    return out


def book_moves(tree, colour):
    """The book's correct first moves (file coordinates): the variations that
    say they are correct, else the main line's first move."""
    moves = first_moves_below(tree, colour)
    correct = {p for p, t in moves if p and subtree_says_correct(t)}
    if correct:
        return correct
    for node in main_line(tree)[1:]:
        if colour in node:
            p = point_of(node[colour][0])
            return {p} if p else set()
        if "B" in node or "W" in node:
            break
    return set()


def setup_stones(tree):
    root = tree[0][0] if tree[0] else {}
    stones = {}
    for key, colour in (("AB", "B"), ("AW", "W")):
        for v in root.get(key, []):
            v = v.strip().lower()
            if b":" in v:  # a compressed rectangle
                a, b = v.split(b":")
                pa, pb = point_of(a), point_of(b)
                if pa and pb:
                    for x in range(min(pa[0], pb[0]), max(pa[0], pb[0]) + 1):
                        for y in range(min(pa[1], pb[1]), max(pa[1], pb[1]) + 1):
                            stones[(x, y)] = colour
                continue
            p = point_of(v)
            if p:
                stones[p] = colour
    return stones


def board_size(tree):
    root = tree[0][0] if tree[0] else {}
    try:
        return int(root.get("SZ", [b"19"])[0].split(b":")[0])
    except ValueError:
        return 19


def problem_kind(tree):
    """'kill', 'live', 'ko' or 'other' for the side that plays first."""
    root = tree[0][0] if tree[0] else {}
    text = " ".join(text_of(v) for k in ("C", "GN", "N") for v in root.get(k, []))
    m = re.search(r"[黑白]先(.?)(活|死|劫)", text)
    if m:
        if m.group(2) == "劫":
            return "ko"
        return "live" if m.group(2) == "活" and m.group(1) == "" else "kill"
    low = text.lower()
    if "to kill" in low:
        return "kill"
    if "to live" in low:
        return "live"
    if "to play" in low or "?" in low:
        # A graded book's question: a kill or capture, and nothing else asked.
        other = (r"\bsave|seki|\bko\b|territory|legal|dame|score|link|separate|cut off|alive or dead|"
                 r"good or bad|profit|move one step|sacrifice|prisoner")
        if re.search(r"\bkill|\bcaptur", low) and not re.search(other, low):
            return "kill"
        return "other"
    # The correct answer's own words: the side to play lives, or nothing dies.
    first = first_move_colour(tree)
    answer = " ".join(all_texts(t) for p, t in first_moves_below(tree, first) if subtree_says_correct(t))
    mover, other = ("黑", "白") if first == "B" else ("白", "黑")
    lives = re.search(mover + "净?活", answer) is not None
    dies = re.search(other + "棋?净?死|杀", answer) is not None or re.search(r"\bkill|dies|dead", answer.lower()) is not None
    if lives and not dies:
        return "live"
    return enclosed_side(tree)


def all_texts(tree):
    nodes, children = tree
    out = [text_of(v) for node in nodes for key in ("C", "N") for v in node.get(key, [])]
    return " ".join(out + [all_texts(c) for c in children])


def enclosed_side(tree):
    """'kill' when white's stones are the ones enclosed, else 'live': the
    side in danger spans the smaller rectangle, each rectangle carried to an
    edge it stops three lines or fewer short of."""
    size = board_size(tree)
    first = first_move_colour(tree)
    points = {"B": [], "W": []}
    for p, c in setup_stones(tree).items():
        points[c].append(p)
    if not points["B"] or not points["W"]:
        return "unclear"

    def area(ps):
        lo = [min(p[i] for p in ps) for i in (0, 1)]
        hi = [max(p[i] for p in ps) for i in (0, 1)]
        lo = [1 if v - 1 <= 3 else v for v in lo]
        hi = [size if size - v <= 3 else v for v in hi]
        return (hi[0] - lo[0] + 1) * (hi[1] - lo[1] + 1)

    other = "W" if first == "B" else "B"
    mover_area, other_area = area(points[first]), area(points[other])
    if mover_area != other_area:
        return "kill" if other_area < mover_area else "live"
    depth = {c: statistics.mean(min(x - 1, y - 1, size - x, size - y) for x, y in ps) for c, ps in points.items()}
    return "kill" if depth[other] < depth[first] else "live"


# --- keldra-cli

def read_board(cli, path):
    try:
        r = subprocess.run([cli, "board", path], capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        return None
    if r.returncode != 0:
        return None
    stones = {}
    y = 0
    for line in r.stdout.decode("utf-8", "replace").splitlines():
        if line.startswith("board: "):
            y += 1
            for x, c in enumerate(line[7:20], 1):
                if c in "XO":
                    stones[(x, y)] = "B" if c == "X" else "W"
    return stones


def fitting_offset(file_stones, board_stones, swapped):
    """(dx, dy) that carries the file's stones onto the fitted board."""
    if not file_stones:
        return None
    swap = {"B": "W", "W": "B"}
    want = {p: (swap[c] if swapped else c) for p, c in file_stones.items()}
    (x0, y0), c0 = next(iter(want.items()))
    for (bx, by), bc in board_stones.items():
        if bc != c0:
            continue
        dx, dy = bx - x0, by - y0
        moved = {(x + dx, y + dy): c for (x, y), c in want.items()}
        if moved == board_stones:
            return dx, dy
    return None


def prove(cli, path, seconds, extra):
    command = [cli, "prove", path, "--seconds", str(seconds)] + extra
    started = time.monotonic()
    try:
        r = subprocess.run(command, capture_output=True, timeout=seconds * 4 + 60)
    except subprocess.TimeoutExpired:
        return {"rc": 0, "time": time.monotonic() - started, "verdict": ["unknown"]}
    wall = time.monotonic() - started
    out = {"rc": r.returncode, "time": wall}
    m = re.search(rb"elapsed (\d+) ms", r.stderr)
    if m:
        out["time"] = int(m.group(1)) / 1000.0
    for line in r.stdout.decode("utf-8", "replace").splitlines():
        key, _, rest = line.partition(":")
        if key in ("verdict", "kill", "ko", "open", "proved-at"):
            out[key] = rest.split()
    return out


def parse_point(text):
    x, _, y = text.partition(",")
    try:
        return (int(x), int(y))
    except ValueError:
        return None


def measure(cli, path, seconds, extra, trees=None, name=""):
    row = {"file": path}
    with open(path, "rb") as f:
        tree = parse_sgf(f.read())
    board = read_board(cli, path)
    if tree is None or board is None:
        row["outcome"] = "refused"
        return row
    colour = first_move_colour(tree)
    offset = fitting_offset(setup_stones(tree), board, colour == "W")
    book = book_moves(tree, colour)
    if offset:
        row["book"] = {(x + offset[0], y + offset[1]) for x, y in book}
    else:
        row["book"] = set()
    tree_out = None
    if trees:
        rel = re.sub(r"[^A-Za-z0-9._-]+", "_", name + "-" + os.path.basename(path))
        tree_out = os.path.join(trees, rel)
        extra = extra + ["--tree", tree_out]
    r = prove(cli, path, seconds, extra)
    if tree_out and os.path.exists(tree_out) and (r["rc"] != 0 or not (r.get("verdict") or ["unknown"])[0] in ("ko", "alive", "seki")):
        os.remove(tree_out)  # only the book's kills that the prover does not call a clean kill keep their tree
    if r["rc"] != 0:
        row["outcome"] = "refused"
        return row
    row["time"] = r["time"]
    row["verdict"] = (r.get("verdict") or ["unknown"])[0]
    kills = {parse_point(p) for p in r.get("kill", [])}
    kos = {parse_point(p) for p in r.get("ko", [])}
    row["book_kill"] = bool(row["book"] & kills)
    row["book_killko"] = bool(row["book"] & (kills | kos))
    row["open"] = len(r.get("open", []))
    # When the book's move was proved a kill or ko kill; the whole run's time
    # where it never was: how long a player waits for the answer.
    at = {}
    for item in r.get("proved-at", []):
        x, y, ms = (item.split(",") + ["", "", ""])[:3]
        if x.isdigit() and y.isdigit() and ms.isdigit():
            at[(int(x), int(y))] = int(ms) / 1000.0
    found = [at[p] for p in row["book"] if p in at and p in (kills | kos)]
    row["book_time"] = min(found) if found else r["time"]
    row["outcome"] = "proved"
    return row


# --- collections

def natural_key(path):
    return [int(t) if t.isdigit() else t.lower() for t in re.split(r"(\d+)", path)]


def sgf_files(folder):
    out = []
    for dirpath, dirnames, filenames in os.walk(folder):
        dirnames[:] = [d for d in dirnames if not is_held_out(d)]
        for name in filenames:
            if name.lower().endswith(".sgf"):
                out.append(os.path.relpath(os.path.join(dirpath, name), folder))
    return sorted(out, key=natural_key)


def kill_problems(folder):
    out = []
    for rel in sgf_files(folder):
        try:
            with open(os.path.join(folder, rel), "rb") as f:
                tree = parse_sgf(f.read())
        except OSError:
            continue
        if tree is not None and problem_kind(tree) == "kill":
            out.append(rel)
    return out


def spread(items, limit):
    if not limit or len(items) <= limit:
        return items
    return [items[i * len(items) // limit] for i in range(limit)]


def percentile(values, q):
    if not values:
        return 0.0
    s = sorted(values)
    return s[min(len(s) - 1, int(round(q * (len(s) - 1))))]


def pct(a, b):
    return "%d (%d %%)" % (a, round(100.0 * a / b)) if b else "0"


def table_row(name, rows):
    n = len(rows)
    proved = [r for r in rows if r["outcome"] == "proved"]
    times = [r["time"] for r in proved]
    book_times = [r.get("book_time", r["time"]) for r in proved]
    killko = sum(r["book_killko"] for r in proved)
    return "| %s | %d | %s | %d | %d | %d | %s | %d | %.2f s | %.2f s | %.2f s | %.2f s |" % (
        name, n, pct(killko, n), sum(r["book_kill"] for r in proved),
        sum(r["verdict"] == "ko" for r in proved),
        sum(r["verdict"] in ("alive", "seki") for r in proved),
        pct(sum(r["verdict"] == "unknown" for r in proved), n),
        n - len(proved), statistics.median(times) if times else 0.0, percentile(times, 0.95),
        statistics.median(book_times) if book_times else 0.0, percentile(book_times, 0.95))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("folders", nargs="*", help="collection folders")
    ap.add_argument("--archive", help="a folder whose subfolders are collections")
    ap.add_argument("--sets", help="a file list written by --write-sets")
    ap.add_argument("--root", default=".", help="where the collection folders of --sets lie")
    ap.add_argument("--write-sets", help="keep the chosen files here")
    ap.add_argument("--cli", default="build-rel/cli/keldra-cli")
    ap.add_argument("--seconds", type=float, default=10.0)
    ap.add_argument("--limit", type=int, default=0, help="problems per collection, spread evenly")
    ap.add_argument("--jobs", type=int, default=1)
    ap.add_argument("--prover-args", default="", help="more arguments for prove")
    ap.add_argument("--details", help="one line per problem to this file")
    ap.add_argument("--baseline", help="a --details file of an earlier run: compare the verdicts")
    ap.add_argument("--trees", help="a folder for the proof trees of the problems the prover calls ko, alive or seki")
    args = ap.parse_args()

    collections = []  # (name, folder, [relative files])
    if args.sets:
        grouped = {}
        with open(args.sets, encoding="utf-8") as f:
            for line in f:
                line = line.rstrip("\n")
                if not line or line.startswith("#"):
                    continue
                name, _, rel = line.partition("\t")
                grouped.setdefault(name, []).append(rel)
        for name, files in grouped.items():
            collections.append((name, os.path.join(args.root, name), files))
    else:
        folders = list(args.folders)
        if args.archive:
            folders += sorted(os.path.join(args.archive, d) for d in os.listdir(args.archive)
                              if os.path.isdir(os.path.join(args.archive, d)))
        for folder in folders:
            name = os.path.basename(os.path.normpath(folder))
            collections.append((name, folder, None))

    kept, sets_out = [], []
    for name, folder, files in collections:
        if is_held_out(folder) or any(is_held_out(f) for f in files or []):
            print("skipped (held out): %s" % name, file=sys.stderr)
            continue
        if files is None:
            files = spread(kill_problems(folder), args.limit)
        kept.append((name, folder, files))
        sets_out += ["%s\t%s" % (name, f) for f in files]
    if args.write_sets:
        with open(args.write_sets, "w", encoding="utf-8") as f:
            f.write("# collection folder<TAB>file within it\n")
            f.write("\n".join(sets_out) + "\n")

    extra = shlex.split(args.prover_args)
    if args.trees:
        os.makedirs(args.trees, exist_ok=True)
    details = open(args.details, "w", encoding="utf-8") if args.details else None
    print("| collection | n | book move among kill/ko | of those, a clean kill | verdict ko |"
          " alive/seki | unknown | refused | median time | 95th pct | book move, median | 95th pct |")
    print("|---|---|---|---|---|---|---|---|---|---|---|---|")
    everything = []
    for name, folder, files in kept:
        paths = [os.path.join(folder, f) for f in files]
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            rows = list(pool.map(lambda p: measure(args.cli, p, args.seconds, extra, args.trees, name), paths))
        for r in rows:
            if details:
                details.write("%s\t%s\t%s\t%s\t%s\t%.2f\t%s\t%.2f\n" % (
                    name, os.path.relpath(r["file"], folder), r["outcome"], r.get("verdict", "-"),
                    "kill" if r.get("book_kill") else ("ko" if r.get("book_killko") else "no"),
                    r.get("time", 0.0), " ".join("%d,%d" % p for p in sorted(r.get("book", []))),
                    r.get("book_time", r.get("time", 0.0))))
                details.flush()
        everything += rows
        print(table_row(name, rows), flush=True)
    if len(kept) > 1:
        print(table_row("all", everything))
    if args.baseline:
        compare(args.baseline, kept, everything)


def compare(baseline, kept, rows):
    """Prints how many problems keep their verdict against an earlier run's
    details, and every one that changed."""
    before = {}
    with open(baseline, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 5:
                before[(fields[0], fields[1])] = (fields[3], fields[4])
    folders = {folder: name for name, folder, _ in kept}
    same = total = 0
    changed = []
    for r in rows:
        folder = next((f for f in folders if os.path.commonpath([f, r["file"]]) == os.path.normpath(f)), None)
        if folder is None:
            continue
        key = (folders[folder], os.path.relpath(r["file"], folder))
        if key not in before:
            continue
        now = (r.get("verdict", "-"), "kill" if r.get("book_kill") else ("ko" if r.get("book_killko") else "no"))
        total += 1
        if now[0] == before[key][0]:
            same += 1
        else:
            changed.append("%s/%s: %s -> %s (book move %s -> %s)" % (key[0], key[1], before[key][0], now[0], before[key][1], now[1]))
    print("\nsame verdict as %s: %d of %d (%d %%)" % (baseline, same, total, round(100.0 * same / total) if total else 0))
    for c in changed:
        print("  " + c)


if __name__ == "__main__":
    main()
