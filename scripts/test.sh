#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, the sanitizer build, then each
# fuzz target for 20 s (KEL_SKIP_SANITIZE=1, KEL_SKIP_FUZZ=1 leave a stage out).
set -euo pipefail
cd "$(dirname "$0")/.."
stage() { echo "test.sh: $1 at ${SECONDS} s"; }
bash scripts/setup.sh
bash scripts/check-layers.sh
# Every source file as the committed .clang-format lays it out.
git ls-files '*.cpp' '*.hpp' | xargs clang-format --dry-run -Werror
stage "build"
jobs=$(nproc)
cmake -S . -B build -G Ninja -DKEL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
if [ "${KEL_SKIP_SANITIZE:-0}" != 1 ]; then
  stage "sanitizer build"
  cmake -S . -B build-asan -G Ninja -DKEL_WERROR=ON -DKEL_SANITIZE=ON -DKEL_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=Debug
  cmake --build build-asan -j "$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" ctest --output-on-failure -j "$jobs")
fi
if [ "${KEL_SKIP_FUZZ:-0}" != 1 ]; then
  stage "fuzzing"
  KEL_FUZZ_JOBS=$jobs bash scripts/fuzz.sh 20
fi
stage "done"
