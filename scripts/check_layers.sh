#!/usr/bin/env bash
# Checks the layering of the sources: no file includes a folder above its
# own, and the engine and the handler logic include nothing from Qt.
#
#   BAN (0) <- solver, prover (1) <- helpgo (2) <- QELMA (3) <- cli (4)
#   tests, bench: anything
#
# A file may include its own folder and folders of its level or below;
# helpgo sits beside QELMA, which may include it, not the other way round.
# Exits 1 and names every offending line when the rule is broken.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

level_of() {
  case "$1" in
    BAN) echo 0 ;;
    solver|prover) echo 1 ;;
    helpgo) echo 2 ;;
    QELMA) echo 3 ;;
    cli) echo 4 ;;
    tests|bench) echo 9 ;;
    *) echo -1 ;;
  esac
}

status=0
while IFS= read -r file; do
  own="${file%%/*}"
  own_level="$(level_of "$own")"
  [ "$own_level" -ge 0 ] || continue
  while IFS=: read -r line text; do
    target="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"/]+)\/.*$/\1/' <<<"$text")"
    target_level="$(level_of "$target")"
    [ "$target_level" -ge 0 ] || continue  # a file of its own folder or a system header
    if [ "$target_level" -gt "$own_level" ]; then
      echo "$file:$line: $own must not include $target: $text" >&2
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' "$file" || true)

  # The engine and the window's logic are plain C++: no Qt headers. The
  # board control TBAN is the one Qt file of BAN.
  case "$file" in
    BAN/tban.*) ;;
    BAN/*|solver/*|prover/*|QELMA/logic/*)
      if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" >&2; then
        echo "$file: includes Qt, which its layer must not" >&2
        status=1
      fi
      ;;
  esac
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.cc')

if [ "$status" -eq 0 ]; then echo "layers: every include points at its own layer or one below"; fi
exit "$status"
