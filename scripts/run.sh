#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program (with the
# problem file given, if any).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exe="$root/build/QELMA/keldra"
if [ ! -x "$exe" ]; then
  echo "The desktop program is not built yet; keldra-cli is in build/cli/." >&2
  exit 1
fi
exec "$exe" "$@"
