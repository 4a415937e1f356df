#!/usr/bin/env bash
# Runs two builds of kelvorin in batch mode on copies of every file of a data folder and
# compares everything they print and write, byte for byte.
#   scripts/compare-outputs.sh OLD_KELVORIN NEW_KELVORIN [DATA_FOLDER] [-- OPTION ...]
# The options (default: --ic --kel --pdb --gjf) follow --batch. Exit 0 when all agree.
# FILES_ONLY=1 compares only the files written (not the console, the log or the exit status).
set -uo pipefail
old=$1 new=$2
shift 2
data=${1:-$(dirname "$0")/../../shared/data}
[ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
options=("$@")
[ ${#options[@]} -eq 0 ] && options=(--ic --kel --pdb --gjf)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=0 differ=0
skip=()
[ "${FILES_ONLY:-}" = 1 ] && skip=(-x stdout.txt -x stderr.txt -x skrK.log)
while IFS= read -r -d '' f; do
  case "$f" in *.md | *.txt) continue ;; esac
  files=$((files + 1))
  # Both run in the same folder, so that names written into the files agree.
  for side in old new; do
    rm -rf "$work/run" "$work/$side" && mkdir -p "$work/run"
    cp "$f" "$work/run/"
    bin=$old
    [ $side = new ] && bin=$new
    (cd "$work/run" && QT_QPA_PLATFORM=offscreen timeout 120 "$bin" --batch "${options[@]}" \
      "$(basename "$f")" >stdout.txt 2>stderr.txt; echo "exit $?" >>stdout.txt)
    mv "$work/run" "$work/$side"
  done
  # The export time stamp of a PDB file is the only line allowed to differ.
  if ! diff -r "${skip[@]}" -I "^REMARK  KEL  EXPORTED" "$work/old" "$work/new" >/dev/null; then
    differ=$((differ + 1))
    echo "differs: $f"
    diff -r "${skip[@]}" -I "^REMARK  KEL  EXPORTED" "$work/old" "$work/new" | head -5
  fi
done < <(find "$data" -type f -print0 | sort -z)
echo "compare-outputs: $files files, $differ differ"
[ "$differ" -eq 0 ]
