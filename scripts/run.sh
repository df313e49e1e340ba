#!/bin/sh
# The main job for a new user: installs what the build needs, builds the command-line converter
# and converts a bank (the bundled demo bank when none is given). Arguments after the bank are
# passed to quintaro-cli, e.g.  scripts/run.sh my.sf2 -p xg --tone-maps 16
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
"$repo/scripts/setup-packages.sh" main

build="$repo/build/release"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUINTARO_TESTS=OFF >/dev/null
cmake --build "$build" --target quintaro-cli -j2 >/dev/null

if [ $# -eq 0 ]; then
    set -- "$repo/examples/demo.sf2"
fi
exec "$build/bin/quintaro-cli" "$@"
