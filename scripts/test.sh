#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build
# (engine, logic, CLI and window tests), then the engine and logic tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"

echo "== build"
BUILD_DIR="$root/build" "$root/scripts/build.sh"
echo "== tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== sanitizer build"
BUILD_DIR="$root/build-asan" BUILD_TYPE=Debug "$root/scripts/build.sh" \
  -DKELDRA_SANITIZE=ON -DKELDRA_GUI=OFF -DKELDRA_BENCH=OFF
echo "== sanitizer tests"
# every 10th golden case: the whole set takes minutes under the sanitizers
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 KELDRA_GOLDEN_STRIDE=10 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== fuzzing the problem-file and SGF readers, 80 s in all"
"$root/scripts/fuzz.sh" 80
