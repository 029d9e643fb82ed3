#!/bin/sh
# Screenshots of the main window (an empty board; a problem with stones, a ko
# dot and the last-move ring; the second problem of an SGF collection with the
# window's caption; the file menu open; the SGF open dialog; 検証 with its marks
# on a bundled problem and on a ko kill; a wrong first move's refutation
# after 検証; study mode after a wrong move, the solution tree window with the
# book's and with the prover's tree, the progress line) and of the help
# window (at its top and at its section on SGF files), on virtual screens of
# 800x600 and 640x480, saved as PNG files in out/screenshots/; then the same
# with the window in English, as en-*.png.
#   scripts/screenshots.sh [BUILD_DIR]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-window}
shots=$build/QELMA/keldra-shots
out=$root/out/screenshots

if [ ! -x "$shots" ]; then
    cmake -S "$root" -B "$build" -G Ninja
    cmake --build "$build" --target keldra-shots
fi
mkdir -p "$out"

for size in 800x600 640x480; do
    for scene in empty problem help helpsgf sgf menu dialog prove prove-ko prove-line study tree prooftree progress; do
        xvfb-run -a -s "-screen 0 ${size}x24" "$shots" "$scene" "$out/${scene}-${size}.png"
        echo "$out/${scene}-${size}.png"
        xvfb-run -a -s "-screen 0 ${size}x24" "$shots" --english "$scene" "$out/en-${scene}-${size}.png"
        echo "$out/en-${scene}-${size}.png"
    done
done
