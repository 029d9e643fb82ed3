#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer and runs them, the time split evenly.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60; targets problem_file sgf)
#   problem_file: the problem-file reader; sgf: the SGF reader, fitting, the game
#   tree and both writers
# Extra libFuzzer options can come in FUZZ_OPTIONS (e.g. "-runs=10000000").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(problem_file sgf)
out="$root/build-fuzz"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root")
each=$(( seconds / ${#targets[@]} ))
for t in "${targets[@]}"; do
  case "$t" in
    problem_file)
      sources=("$root/BAN/problem_file.cpp" "$root/BAN/board.cpp" "$root/BAN/texts.cpp")
      seeds="$root/tests/fuzz/corpus" ;;
    sgf)
      sources=("$root/BAN/sgf/sgf_reader.cpp" "$root/BAN/sgf/sgf_fit.cpp" "$root/BAN/sgf/sgf_writer.cpp" "$root/BAN/sgf/sgf_tree.cpp"
               "$root/BAN/problem_file.cpp" "$root/BAN/board.cpp" "$root/BAN/rules.cpp" "$root/BAN/texts.cpp")
      seeds="$root/tests/fuzz/sgf_corpus" ;;
    *) echo "unknown fuzz target: $t" >&2; exit 2 ;;
  esac
  mkdir -p "$out/corpus-$t"
  clang++ "${flags[@]}" "$root/tests/fuzz/${t}_fuzz.cpp" "${sources[@]}" -o "$out/${t}_fuzz"
  echo "== fuzzing $t for $each s"
  # New inputs go to build-fuzz/corpus-TARGET; the seeds in tests/ are only read.
  # shellcheck disable=SC2086
  "$out/${t}_fuzz" -max_total_time="$each" -max_len=8192 -timeout=5 -rss_limit_mb=1024 \
    -print_final_stats=1 ${FUZZ_OPTIONS:-} "$out/corpus-$t" "$seeds" 2>&1 | tail -n 15
done
