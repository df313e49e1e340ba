#!/bin/sh
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS]   (default 120 per target; FUZZ_NICE=10 to run under nice)
# A crash, a leak, an input slower than -timeout or an allocation above -malloc_limit_mb is a
# failure: the script exits non-zero and the input is kept in build/fuzz/artifacts/<target>/.
set -eu

seconds=${1:-120}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
# A real bank needs a few MiB while it loads; 512 MiB for one allocation and 2 GiB in all leave
# room for ASan's own bookkeeping while still catching a runaway size read from a crafted table.
limits="-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DQUINTARO_FUZZ=ON -DQUINTARO_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_loader fuzz_conversion -j2 >/dev/null

status=0
for target in loader conversion; do
    exe="$build/bin/fuzz_$target"
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target/"
    mkdir -p "$corpus" "$artifacts"
    # Every committed seed and every earlier finding must pass before the timed run starts.
    set -- "$root/fuzz/corpus/$target"/*
    if [ -d "$root/fuzz/regressions" ]; then
        set -- "$@" "$root/fuzz/regressions"/*
    fi
    echo "fuzz_$target: replaying $# committed inputs"
    if ! "$exe" $limits -runs=1 "$@" >"$build/$target-replay.log" 2>&1; then
        tail -n 40 "$build/$target-replay.log"
        status=1
        continue
    fi
    echo "fuzz_$target: fuzzing for $seconds s"
    # New inputs go to the working corpus in the build folder; the committed seeds are read only.
    if ! ${FUZZ_NICE:+nice -n "$FUZZ_NICE"} "$exe" $limits -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$artifacts" \
            "$corpus" "$root/fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
        tail -n 60 "$build/$target.log"
        status=1
        continue
    fi
    grep -E '^(stat::|Done|#[0-9]+ +DONE)' "$build/$target.log" || tail -n 5 "$build/$target.log"
done
exit $status
