#!/usr/bin/env bash
# Checks every #include of the program against its floors: a folder may include its own
# headers and those of lower floors (readers may also use writers). Known crossings still to
# be removed are listed in scripts/layers-known.txt; a new crossing fails, and so does a
# listed one that is gone (take it off the list), so the list only shrinks.
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

known=scripts/layers-known.txt
status=0
if new=$(comm -23 "$found" <(grep -v '^#' "$known" | sort -u)) && [ -n "$new" ]; then
  echo "check-layers: includes that run up a floor:"
  echo "$new" | sed 's/^/  /'
  status=1
fi
if gone=$(comm -13 "$found" <(grep -v '^#' "$known" | sort -u)) && [ -n "$gone" ]; then
  echo "check-layers: gone, take them off $known:"
  echo "$gone" | sed 's/^/  /'
  status=1
fi
[ "$status" -eq 0 ] && echo "check-layers: $(wc -l <"$found") known crossings, no new one"
exit "$status"
