#!/usr/bin/env bash
# Installs what is missing, checks the layering, builds, and runs every test:
# the normal build (engine, logic, CLI and window tests), a Release build
# that fails on any warning, then the engine and
# logic tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the tests that share work between threads under ThreadSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"

echo "== layers"
"$root/scripts/check_layers.sh"

echo "== build"
BUILD_DIR="$root/build" "$root/scripts/build.sh"
echo "== release build, every warning an error (engine, CLI, tests; compiled only)"
BUILD_DIR="$root/build-release" BUILD_TYPE=Release "$root/scripts/build.sh" \
  -DKELDRA_WERROR=ON -DKELDRA_GUI=OFF -DKELDRA_BENCH=OFF
echo "== tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== sanitizer build"
BUILD_DIR="$root/build-asan" BUILD_TYPE=Debug "$root/scripts/build.sh" \
  -DKELDRA_SANITIZE=ON -DKELDRA_GUI=OFF -DKELDRA_BENCH=OFF
echo "== sanitizer tests"
# every 10th golden case and every 8th test position: the whole sets take
# minutes under the sanitizers; the duels with GNU Go, which spend their time
# in GNU Go and in long proofs, run in the normal build only
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 KELDRA_GOLDEN_STRIDE=10 KELDRA_POSITION_STRIDE=8 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" -E '^GnuGo'


echo "== thread sanitizer build"
BUILD_DIR="$root/build-tsan" "$root/scripts/build.sh" -DKELDRA_TSAN=ON -DKELDRA_GUI=OFF -DKELDRA_BENCH=OFF
echo "== thread sanitizer tests"
# the worker pool, the hints on it, searchers on two threads, 検証 on its
# worker, and the prover's threads on their shared table
TSAN_OPTIONS=halt_on_error=1 KELDRA_POSITION_STRIDE=8 \
  ctest --test-dir "$root/build-tsan" --output-on-failure -j "$jobs" \
  -R 'RootSearchPool|RootChoice|ParallelHints|SearchersOnTwoThreads|ProveCommand|ClassicalCorners|BundledProblemsKill|ProverTable'

echo "== fuzzing the problem-file and SGF readers, 80 s in all"
"$root/scripts/fuzz.sh" 80
