#!/usr/bin/env python3
"""Prints, per benchmark, reference time / current time, and the geometric
means per kind (Solve, Reply, Candidates, KillNodes) for the bundled problems
and for the generated set.

    ratios.py REF.json CUR.json
"""
import json
import math
import sys
from collections import defaultdict


def times(path):
    with open(path) as f:
        data = json.load(f)
    return {b["name"]: b["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[b["time_unit"]]
            for b in data["benchmarks"]}


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
