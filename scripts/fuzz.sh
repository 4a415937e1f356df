#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers (build-fuzz), replays the kept crash inputs of
# tests/data/fuzz/<target>/ and runs each target for SECONDS (default 20), one at a time.
# Exits non-zero when a kept input or a run ends in a crash, timeout, leak or memory limit.
#   bash scripts/fuzz.sh [SECONDS]         KEL_FUZZ_TARGETS="xyz mpo" limits the targets
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
root=$PWD
build=$root/build-fuzz
shared=$root/../shared/data
targets=(${KEL_FUZZ_TARGETS:-xyz pdb mol mol2 gjf geo gaussian_output checkpoint kel mpo renumber measured_spectrum})

# clang and its fuzzer runtime come with the project's packages (Debian 12)
bash "$root/scripts/setup.sh"

# clang 14 warns on one deliberate branch-free '&' of booleans: no -Werror here.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DKEL_FUZZ=ON -DKEL_WERROR=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$build" -j "${KEL_FUZZ_JOBS:-2}" \
  --target $(printf 'fuzz_%s ' "${targets[@]}")

# File name patterns of each target's seeds.
patterns() {
  case $1 in
    xyz) echo "*.xyz" ;;
    pdb) echo "*.pdb *.ent" ;;
    mol) echo "*.mol" ;;
    mol2) echo "*.mol2" ;;
    gjf) echo "*.gjf *.com" ;;
    geo) echo "*.geo *.orn" ;;
    gaussian_output) echo "*.log *.out *.fmt" ;;
    checkpoint) echo "*.fchk *.fch *.fmu" ;;
    kel) echo "*.kel *.fmv" ;;
    mpo) echo "*.mpo" ;;
    renumber) echo "*.ren *.log" ;;
    measured_spectrum) echo "*.jdx *.dx *.csv *.txt" ;;
  esac
}
max_len() {
  case $1 in
    gaussian_output | checkpoint) echo 262144 ;;
    *) echo 65536 ;;
  esac
}

# Seed corpora: copies in the build folder, files over 1 MB left out.
seed() {
  local t=$1 dir=$build/corpus/$1 p args=()
  mkdir -p "$dir"
  for p in $(patterns "$t"); do args+=(-o -iname "$p"); done
  local roots=("$root/tests/data")
  [ -d "$shared" ] && roots+=("$shared")
  find "${roots[@]}" -type f -size -1025k \( "${args[@]:1}" \) -not -path "*/fuzz/*" -print0 |
    while IFS= read -r -d '' f; do
      cp -f "$f" "$dir/seed_$(echo "${f#"$root"/}" | tr '/.' '__')"
    done
  if [ -d "$root/tests/data/fuzz/$t" ]; then cp -f "$root/tests/data/fuzz/$t"/* "$dir"/ 2>/dev/null || true; fi
}

export TMPDIR=$build/tmp
mkdir -p "$TMPDIR" "$build/logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# One target: its kept inputs, then SECONDS of fuzzing; the outcome goes to logs/<t>.result as
# "status|runs|exec/s|new".
fuzz_one() {
  local t=$1 exe=$build/fuzz/fuzz_$1 rc=0 log=$build/logs/$1.log kept=() found
  seed "$t"
  mkdir -p "$build/crashes/$t"
  # The kept inputs first: each one ran into a fault once.
  [ -d "$root/tests/data/fuzz/$t" ] && mapfile -t kept < <(find "$root/tests/data/fuzz/$t" -type f | sort)
  if [ ${#kept[@]} -gt 0 ]; then
    if ! nice -n 19 "$exe" -timeout=10 -rss_limit_mb=2048 "${kept[@]}" >"$build/logs/$t.kept.log" 2>&1; then
      echo "fuzz: $t: a kept input fails again, see $build/logs/$t.kept.log"
      echo "KEPT INPUT FAILS|||" >"$build/logs/$t.result"
      return
    fi
  fi
  echo "fuzz: $t for ${seconds}s (${#kept[@]} kept inputs pass)"
  touch "$build/logs/$t.start"
  nice -n 19 "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$build/crashes/$t/" \
    "$build/corpus/$t" >"$log" 2>&1 || rc=$?
  local runs rate added result=ok
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -1)
  found=$(find "$build/crashes/$t" -type f -newer "$build/logs/$t.start" | wc -l)
  if [ "$rc" -ne 0 ] || [ "$found" -gt 0 ]; then
    result="FAULT ($found inputs in build-fuzz/crashes/$t, log $log)"
    grep -m3 -E "ERROR: |runtime error|SUMMARY" "$log" || true
  fi
  echo "$result|$runs|$rate|$added" >"$build/logs/$t.result"
}

# KEL_FUZZ_JOBS targets at once (one core each).
running=0
for t in "${targets[@]}"; do
  rm -f "$build/logs/$t.result"
  fuzz_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "${KEL_FUZZ_JOBS:-2}" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

failed=0
declare -A status runs rate added
for t in "${targets[@]}"; do
  IFS='|' read -r status[$t] runs[$t] rate[$t] added[$t] <"$build/logs/$t.result" ||
    status[$t]="NO RESULT"
  [ "${status[$t]}" = ok ] || failed=1
done

echo
printf '%-16s %10s %8s %6s  %s\n' target runs exec/s new result
for t in "${targets[@]}"; do
  printf '%-16s %10s %8s %6s  %s\n' "$t" "${runs[$t]:--}" "${rate[$t]:--}" "${added[$t]:--}" \
    "${status[$t]}"
done
exit "$failed"
