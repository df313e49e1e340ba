#!/bin/bash
# Every test of the project, from nothing: installs what the tests need, then builds and runs
#   1. the native tests,
#   2. the native tests under AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. the Windows tree (MinGW-w64) with its window tests, under Wine on a headless display,
#   4. each fuzz target for a bounded time (QUINTARO_FUZZ_SECONDS, default 120).
# Ends with one line "tests: N passed, N failed" over all CTest runs.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
"$repo/scripts/setup-packages.sh" test

jobs=${QUINTARO_JOBS:-2}
logs=$(mktemp -d "${TMPDIR:-/tmp}/quintaro-test.XXXXXX")
trap 'rm -rf "$logs"' EXIT

section() { printf '\n==== %s ====\n' "$*"; }

# Runs one test stage; a failing stage is noted and the next one still runs.
failed_stages=()
run_ctest() {
    local name=$1
    shift
    local status=0
    "$@" 2>&1 | tee "$logs/$name.log" || status=$?
    [ "$status" -eq 0 ] || failed_stages+=("$name")
}

section "native build"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
section "native tests"
run_ctest native ctest --test-dir build/native --output-on-failure --timeout 600 -j"$jobs"

section "sanitizer build"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DQUINTARO_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
section "sanitizer tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest sanitize ctest --test-dir build/sanitize --output-on-failure --timeout 900 -j"$jobs"

section "Windows build"
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows -j"$jobs"
section "Windows tests under Wine"
run_ctest windows scripts/with-wine.sh build/windows/wineprefix -- \
    ctest --test-dir build/windows --output-on-failure --timeout 600

if [ -x scripts/fuzz.sh ]; then
    section "fuzzing"
    scripts/fuzz.sh "${QUINTARO_FUZZ_SECONDS:-120}" || failed_stages+=(fuzz)
fi

passed=0
failed=0
for log in "$logs"/*.log; do
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
    [ -n "$line" ] || continue
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
done
echo
if [ ${#failed_stages[@]} -gt 0 ]; then
    echo "failed stages: ${failed_stages[*]}"
fi
echo "tests: $passed passed, $failed failed"
[ ${#failed_stages[@]} -eq 0 ]
