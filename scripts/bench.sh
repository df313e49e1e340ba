#!/bin/sh
# Builds the benchmarks in Release (build/bench) and runs them; prints the table of figures that
# docs/performance.md holds. Google Benchmark's own report goes to build/bench/bench-raw.txt.
#   scripts/bench.sh                     all figures (about five minutes)
#   scripts/bench.sh --update-doc        the same, and the table replaces the one in docs/performance.md
#   scripts/bench.sh -- ARGS...          ARGS go to the benchmark program, e.g.
#                                        --benchmark_filter='^Load/' for the loading figures only
# The Debian banks it loads: fluid-soundfont-gm fluid-soundfont-gs timgm6mb-soundfont
# musescore-general-soundfont-lossless opl3-soundfont (a missing one is reported, not measured).
# Needs cmake, g++, libbenchmark-dev. Run it on a quiet machine: every figure is a median, but a
# machine busy with other work still moves them.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build/bench"
update_doc=no
while [ $# -gt 0 ]; do
    case "$1" in
        --update-doc) update_doc=yes; shift ;;
        --) shift; break ;;
        *) echo "usage: $0 [--update-doc] [-- BENCHMARK-ARGS...]" >&2; exit 2 ;;
    esac
done

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUINTARO_BENCH=ON -DQUINTARO_TESTS=OFF >/dev/null
cmake --build "$build" --target quintaro-bench -j2 >/dev/null

table="$build/bench-table.md"
"$build/bin/quintaro-bench" "$@" 2>"$build/bench-raw.txt" >"$table"
cat "$table"

if [ "$update_doc" = yes ]; then
    doc="$repo/docs/performance.md"
    # The figures stand between two marker lines; everything around them is kept.
    awk -v table="$table" '
        /^<!-- figures: begin/ { print; while ((getline line < table) > 0) print line; skip = 1; next }
        /^<!-- figures: end/ { skip = 0 }
        !skip { print }
    ' "$doc" >"$doc.new"
    mv "$doc.new" "$doc"
    echo "updated $doc" >&2
fi
