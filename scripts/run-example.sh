#!/usr/bin/env bash
# Sets up, builds and runs the main job on a bundled example: read it, print the log, write
# the outputs. The example is copied to a fresh folder, because a read writes beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kelvorin
work=$(mktemp -d)
cp examples/* "$work"/
example=${1:-chain9.log}
echo "== kelvorin --batch $example (in $work)"
./build/kelvorin --batch "$work/$example" "${@:2}"
echo "== files written in $work:"
ls -l "$work"
