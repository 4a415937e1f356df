#!/usr/bin/env bash
# Checks every #include of the program against its floors: a folder may include its own
# headers and those of lower floors (readers may also use writers). Any other include fails.
set -euo pipefail
cd "$(dirname "$0")/.."

floor() {
  case "$1" in
    base) echo 0 ;; model) echo 1 ;; readers | writers | topology) echo 2 ;;
    analysis) echo 3 ;; viewer) echo 4 ;; app) echo 5 ;; ui) echo 6 ;; *) echo 9 ;;
  esac
}

found=$(mktemp)
trap 'rm -f "$found"' EXIT
for dir in base model readers writers topology analysis viewer app ui; do
  [ -d "$dir" ] || continue
  own=$(floor "$dir")
  grep -H -o '^#include "[a-z_]*/[a-z_0-9]*\.hpp"' "$dir"/*.cpp "$dir"/*.hpp 2>/dev/null |
    while IFS=: read -r file inc; do
      target=${inc#\#include \"}
      target=${target%\"}
      to=${target%%/*}
      [ "$to" = "$dir" ] && continue
      [ "$dir" = readers ] && [ "$to" = writers ] && continue
      [ "$(floor "$to")" -lt "$own" ] && continue
      echo "$file $target"
    done
done | sort -u >"$found"

if [ -s "$found" ]; then
  echo "check-layers: includes that run up a floor:"
  sed 's/^/  /' "$found"
  exit 1
fi
echo "check-layers: every include runs down a floor"
