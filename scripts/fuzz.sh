#!/usr/bin/env bash
# Builds the problem-file reader's fuzz target with libFuzzer and runs it.
#   scripts/fuzz.sh [SECONDS]   (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
out="$root/build-fuzz"
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root" "$root/tests/fuzz/problem_file_fuzz.cpp" "$root/BAN/problem_file.cpp" "$root/BAN/board.cpp" \
  -o "$out/problem_file_fuzz"
# New inputs go to build-fuzz/corpus; the seeds in tests/ are only read.
"$out/problem_file_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=5 -rss_limit_mb=1024 \
  -print_final_stats=1 "$out/corpus" "$root/tests/fuzz/corpus" 2>&1 | tail -n 15
