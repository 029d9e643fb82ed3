#!/usr/bin/env bash
# Compares the speed of this tree's solver with a reference build of an
# earlier commit, in one run on this machine, and prints the ratios.
#
#   bench/compare_speed.sh [REF_COMMIT] [SET_SIZE] [ROUNDS]
#
# REF_COMMIT defaults to the straightforward solver kept in history as the
# reference. Both builds run the same benchmark source (this tree's
# bench/solver_bench.cpp) over the bundled problems and a fixed set of
# generated corner positions taken from the golden cases. The two builds run
# by turns, ROUNDS times (default 3), and each benchmark keeps its best time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
ref="${1:-$(cat "$root/bench/REFERENCE_COMMIT")}"
set_size="${2:-30}"
rounds="${3:-3}"
work="$(mktemp -d /tmp/keldra-speed-XXXXXX)"
trap 'rm -rf "$work"' EXIT

echo "reference $ref" >&2
mkdir -p "$work/ref-src" "$work/set"
git -C "$root" archive "$ref" | tar -x -C "$work/ref-src"
cp "$root/bench/solver_bench.cpp" "$root/bench/CMakeLists.txt" "$work/ref-src/bench/"

build() {  # SRC BUILD
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELDRA_GUI=OFF -DKELDRA_BENCH=ON >/dev/null
  cmake --build "$2" --target keldra_bench >/dev/null
}
build "$work/ref-src" "$work/ref-build"
build "$root" "$work/cur-build"

python3 "$root/bench/golden_set.py" "$root/tests/data/golden.txt" "$work/set" "$set_size"

export KELDRA_BENCH_DIRS="$root/problems:$work/set"
run() {  # BUILD OUT
  "$1/bench/keldra_bench" --benchmark_min_time=0.05 --benchmark_format=json --benchmark_out="$2" \
    --benchmark_out_format=json >/dev/null
}
refs=() curs=()
for r in $(seq "$rounds"); do
  run "$work/ref-build" "$work/ref$r.json"
  run "$work/cur-build" "$work/cur$r.json"
  refs+=("$work/ref$r.json") curs+=("$work/cur$r.json")
done
python3 "$root/bench/ratios.py" "$(IFS=,; echo "${refs[*]}")" "$(IFS=,; echo "${curs[*]}")"
