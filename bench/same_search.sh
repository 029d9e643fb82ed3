#!/usr/bin/env bash
# Checks that this tree's prover searches exactly what a reference commit's
# does: one thread, a node limit and no time limit, so that the search is
# deterministic; every problem's verdict and node count and every first
# move's status, nodes and refutation must match. Prints the processor-time
# positions a second of both builds, and exits 1 on any difference.
#
#   bench/same_search.sh [REF_COMMIT] [NODES] [PROBLEM FILE]...
#
# REF_COMMIT defaults to where this branch left main, NODES (per problem) to 300000. The problems
# are the bundled and composed ones of the prover benchmark, then the given
# files (.go, or an SGF file's first game tree). Both builds run this tree's
# benchmark source.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
ref="${1:-$(git -C "$root" merge-base main HEAD)}"
nodes="${2:-300000}"
shift $(( $# < 2 ? $# : 2 ))
work="$(mktemp -d /tmp/keldra-same-XXXXXX)"
trap 'rm -rf "$work"' EXIT

echo "reference $ref, $nodes nodes a problem" >&2
mkdir -p "$work/ref-src"
git -C "$root" archive "$ref" | tar -x -C "$work/ref-src"
cp "$root/bench/prover_bench.cpp" "$root/bench/CMakeLists.txt" "$work/ref-src/bench/"

build() {  # SRC BUILD
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELDRA_GUI=OFF -DKELDRA_BENCH=ON "${launcher[@]}" >/dev/null
  cmake --build "$2" -j2 --target keldra_prover_bench >/dev/null
}
build "$work/ref-src" "$work/ref-build"
build "$root" "$work/cur-build"

files=()
for f in "$@"; do files+=(--file "$f"); done
run() {  # BUILD OUT
  "$1/bench/keldra_prover_bench" --threads 1 --seconds 0 --nodes "$nodes" --moves "${files[@]}" >"$2"
}
run "$work/ref-build" "$work/ref.txt"
run "$work/cur-build" "$work/cur.txt"

# The milliseconds column and the timing lines differ from run to run.
searched() { awk '/^problems /{exit} NF >= 4 && $2 ~ /^[0-9.]+$/ {$2 = ""} {print}' "$1"; }
echo "reference: $(grep '^processor time' "$work/ref.txt")"
echo "this tree: $(grep '^processor time' "$work/cur.txt")"
if diff <(searched "$work/ref.txt") <(searched "$work/cur.txt") >"$work/diff.txt"; then
  echo "same search: $(grep -c '' <(searched "$work/cur.txt")) lines match"
else
  echo "the searches differ:"
  cat "$work/diff.txt"
  exit 1
fi
