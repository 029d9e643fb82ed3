#!/usr/bin/env python3
"""Records golden outputs of keldra-cli over generated corner positions and
the bundled problems, into tests/data/golden.txt.

    python3 tests/golden/make_golden.py build/cli/keldra-cli [COUNT]

Record anew only when a change of behaviour is intended. Positions whose
commands do not all finish within the time limit are left out, so that the
comparison stays quick.
"""
import os
import random
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LIMIT_S = 0.25


def orient(grid, corner):
    out = [[0] * 14 for _ in range(14)]
    for x in range(1, 14):
        for y in range(1, 14):
            tx = 14 - x if corner in (1, 2) else x
            ty = 14 - y if corner in (2, 3) else y
            out[tx][ty] = grid[x][y]
    return out


def corner_problem(rng):
    g = [[0] * 14 for _ in range(14)]
    w, h = 3 + rng.randrange(4), 2 + rng.randrange(3)
    for x in range(1, w + 1):
        for y in range(1, h + 1):
            if x == w or y == h:
                g[x][y] = 2
    for x in range(1, w + 2):
        for y in range(1, h + 2):
            if x == w + 1 or y == h + 1:
                g[x][y] = 1
    for _ in range(rng.randrange(6)):
        x, y = 1 + rng.randrange(w + 2), 1 + rng.randrange(h + 2)
        r = rng.randrange(4)
        g[x][y] = {0: 0, 1: 2, 2: 1, 3: g[x][y]}[r]
    return orient(g, rng.randrange(4))


def scattered(rng):
    g = [[0] * 14 for _ in range(14)]
    for _ in range(3 + rng.randrange(10)):
        g[1 + rng.randrange(6)][1 + rng.randrange(6)] = 1 + rng.randrange(2)
    return orient(g, rng.randrange(4))


def plausible(g):
    """Every group has a liberty."""
    seen = set()
    for x in range(1, 14):
        for y in range(1, 14):
            if g[x][y] == 0 or (x, y) in seen:
                continue
            stack, group, libs = [(x, y)], {(x, y)}, 0
            while stack:
                px, py = stack.pop()
                for nx, ny in ((px - 1, py), (px + 1, py), (px, py - 1), (px, py + 1)):
                    if not (1 <= nx <= 13 and 1 <= ny <= 13):
                        continue
                    if g[nx][ny] == 0:
                        libs += 1
                    elif g[nx][ny] == g[x][y] and (nx, ny) not in group:
                        group.add((nx, ny))
                        stack.append((nx, ny))
            seen |= group
            if libs == 0:
                return False
    return True


def digits(g):
    return "".join(str(g[x][y]) for x in range(1, 14) for y in range(1, 14))


def run(cli, args):
    try:
        p = subprocess.run([cli] + args, capture_output=True, timeout=LIMIT_S * 8)
    except subprocess.TimeoutExpired:
        return None, LIMIT_S * 8
    return p.stdout.decode() + "status %d\n" % p.returncode, 0


def candidates(cli, path, colour):
    out, _ = run(cli, ["candidates", path, str(colour)])
    lines = out.splitlines()[1:-1]
    return [tuple(int(v) for v in l.split()[:2]) for l in lines]


def commands(rng, cli, path):
    cmds = [["candidates", "FILE", "1"], ["candidates", "FILE", "2"], ["reply", "FILE"], ["solve", "FILE"]]
    for colour in (1, 2):
        cands = candidates(cli, path, colour)
        for x, y in cands[:2]:
            ply = (7 + 2 * rng.randrange(3) if rng.randrange(3) == 0 else 1) if colour == 1 else 2
            cmds.append(["kill", "FILE", str(x), str(y), str(ply)])
        if colour == 1 and cands:
            x, y = rng.choice(cands)
            game = ["game", "FILE", "%d,%d" % (x, y)]
            game += ["%d,%d" % (1 + rng.randrange(7), 1 + rng.randrange(7)) for _ in range(3)]
            cmds.append(game)
    play = ["play", "FILE"]
    for _ in range(4 + rng.randrange(12)):
        if rng.randrange(4) == 0:
            play.append("%d,%d,%d" % (rng.randrange(15), rng.randrange(15), 1 + rng.randrange(2)))
        else:
            play.append("%d,%d,%d" % (1 + rng.randrange(7), 1 + rng.randrange(7), 1 + rng.randrange(2)))
    cmds.append(play)
    return cmds


def main():
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    rng = random.Random(20261208)
    positions = []
    pdir = os.path.join(ROOT, "problems")
    for name in sorted(os.listdir(pdir)) if os.path.isdir(pdir) else []:
        if name.endswith(".go"):
            with open(os.path.join(pdir, name), "rb") as f:
                positions.append(("problem", "".join(l.strip() for l in f.read().decode().splitlines())))
    while len(positions) < count:
        g = scattered(rng) if rng.randrange(4) == 0 else corner_problem(rng)
        if plausible(g):
            positions.append(("generated", digits(g)))
    cases = []
    kept = 0
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "p.go")
        for kind, d in positions:
            with open(path, "wb") as f:
                f.write("".join(c + "\r\n" for c in d).encode())
            results, quick = [], True
            for cmd in commands(rng, cli, path):
                import time
                t0 = time.monotonic()
                out, _ = run(cli, [path if w == "FILE" else w for w in cmd])
                if out is None or time.monotonic() - t0 > LIMIT_S:
                    quick = False
                    if kind != "problem":
                        break
                results.append((cmd, out))
            if not quick and kind != "problem":
                continue
            kept += 1
            for cmd, out in results:
                if out is not None:
                    cases.append("@case %s\n@position %s\n%s@end\n" % (" ".join(cmd), d, out))
    with open(os.path.join(ROOT, "tests", "data", "golden.txt"), "w", newline="\n") as f:
        f.writelines(cases)
    print("positions kept %d of %d, cases %d" % (kept, len(positions), len(cases)))


if __name__ == "__main__":
    main()
