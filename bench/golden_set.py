#!/usr/bin/env python3
"""Writes the first N distinct golden positions that black can kill as
problem files: the fixed generated set of the speed comparison.

    golden_set.py GOLDEN OUT_DIR N
"""
import os
import sys


def main():
    golden, out, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
    killed, seen = [], set()
    command = position = None
    with open(golden) as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("@case "):
                command = line[6:]
            elif line.startswith("@position "):
                position = line[10:]
            elif command == "solve FILE" and line == "message: 詰みました。黒の勝ち。":
                if position not in seen:
                    seen.add(position)
                    killed.append(position)
    for i, p in enumerate(killed[:n]):
        with open(os.path.join(out, "gen%03d.go" % i), "wb") as f:
            f.write("".join(c + "\r\n" for c in p).encode())


if __name__ == "__main__":
    main()
