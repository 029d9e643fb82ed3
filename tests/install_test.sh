#!/bin/sh
# Installs the build into a temporary prefix, checks that every file a
# desktop needs is in its place, and runs the installed keldra-cli on an
# installed problem: solved, converted to SGF, and the SGF read back.
#   tests/install_test.sh BUILD_DIR GUI(0|1)
set -eu
build=$1
gui=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp" >/dev/null

files="bin/keldra-cli share/keldra/problems/01-bent-three.go share/keldra/problems/09-which-side.go
share/applications/keldra.desktop share/mime/packages/keldra-sgf.xml
share/icons/hicolor/scalable/apps/keldra.svg share/icons/hicolor/48x48/apps/keldra.png
share/icons/hicolor/256x256/apps/keldra.png"
[ "$gui" = 1 ] && files="$files bin/keldra"
for f in $files; do
  [ -f "$tmp/$f" ] || { echo "not installed: $f"; exit 1; }
done
grep -q '^MimeType=application/x-go-sgf;$' "$tmp/share/applications/keldra.desktop"
grep -q '^Icon=keldra$' "$tmp/share/applications/keldra.desktop"
grep -q 'glob pattern="\*.sgf"' "$tmp/share/mime/packages/keldra-sgf.xml"

cli="$tmp/bin/keldra-cli"
problem="$tmp/share/keldra/problems/01-bent-three.go"
"$cli" solve "$problem" 2>/dev/null | grep -qx 'message: 詰みました。黒の勝ち。'
"$cli" convert "$problem" "$tmp/bent.sgf"
"$cli" board "$problem" >"$tmp/go.txt"
"$cli" board "$tmp/bent.sgf" >"$tmp/sgf.txt"
cmp "$tmp/go.txt" "$tmp/sgf.txt"
echo "installed and ran from $tmp"
