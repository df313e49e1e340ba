#!/bin/sh
# Rebuilds examples/demo.sf2: builds the make-demo-bank tool natively in a scratch build folder and
# runs it. Needs cmake and g++ (scripts/setup-packages.sh main).
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(mktemp -d "${TMPDIR:-/tmp}/quintaro-demo-bank.XXXXXX")
trap 'rm -rf "$build"' EXIT INT TERM

cmake -S "$repo" -B "$build" -DQUINTARO_TESTS=OFF >/dev/null
cmake --build "$build" --target make-demo-bank -j2
"$build/bin/make-demo-bank" "$repo/examples/demo.sf2"
echo "wrote $repo/examples/demo.sf2"
