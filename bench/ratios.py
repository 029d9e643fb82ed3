#!/usr/bin/env python3
"""Prints, per benchmark, reference time / current time, and the geometric
means per kind (Solve, Reply, Candidates, KillNodes) for the bundled problems
and for the generated set. Each side may be several runs, comma-separated:
a benchmark's time is its best run, which is the least disturbed by
whatever else the machine was doing.

    ratios.py REF.json[,REF2.json...] CUR.json[,CUR2.json...]
"""
import json
import math
import sys
from collections import defaultdict


def times(paths):
    best = {}
    for path in paths.split(","):
        with open(path) as f:
            data = json.load(f)
        for b in data["benchmarks"]:
            t = b["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[b["time_unit"]]
            best[b["name"]] = min(t, best.get(b["name"], t))
    return best


def main():
    ref, cur = times(sys.argv[1]), times(sys.argv[2])
    groups = defaultdict(list)
    print("%-32s %12s %12s %9s" % ("benchmark", "reference", "current", "ratio"))
    for name in sorted(ref):
        if name not in cur:
            continue
        ratio = ref[name] / cur[name] if cur[name] > 0 else float("inf")
        kind, problem = name.split("/", 1)
        group = "generated" if problem.startswith("gen") else "bundled"
        groups[(kind, group)].append(ratio)
        if group == "bundled":
            print("%-32s %10.3fms %10.3fms %8.1fx" % (name, ref[name] * 1e3, cur[name] * 1e3, ratio))
    print()
    print("geometric mean of the ratios:")
    for (kind, group), rs in sorted(groups.items()):
        gm = math.exp(sum(math.log(r) for r in rs) / len(rs))
        print("  %-12s %-10s %8.1fx  (min %.1fx, %d cases)" % (kind, group, gm, min(rs), len(rs)))


if __name__ == "__main__":
    main()
