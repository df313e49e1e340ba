#!/bin/bash
# shellcheck disable=SC2317 # the trap and wait_until call functions indirectly
# Runs a command inside a headless Wine session, e.g. the Windows tree's tests:
#   scripts/with-wine.sh build-win/wineprefix -- ctest --test-dir build-win --output-on-failure --timeout 120
#
# The session: a private Xvfb display, the Wine prefix PREFIXDIR (created on first use, reused
# afterwards) in a Japanese locale (code page 932), a virtual desktop, a running wineserver with
# Wine's services, and a hidden window that keeps the desktop alive between test programs.
# Everything is torn down on exit; the command's exit code is returned.
# WITH_WINE_VERBOSE=1 reports how long each step of the setup took.
#
# Runs that share a prefix take turns (one wineserver serves one prefix, and it would mix their
# displays); runs with different prefixes run side by side on different displays.
set -euo pipefail

usage() {
    echo "usage: $0 PREFIXDIR -- COMMAND [ARGUMENTS...]" >&2
    exit 2
}

if [ $# -lt 3 ] || [ "$2" != "--" ]; then
    usage
fi
prefix_arg=$1
shift 2

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Prints the time since the start of the script in front of its message, when asked to.
step() {
    [ "${WITH_WINE_VERBOSE:-0}" = 1 ] || return 0
    local now
    now=$(date +%s.%N)
    awk -v now="$now" -v start="$started_at" -v what="$*" \
        'BEGIN { printf "with-wine: %6.2f s  %s\n", now - start, what }' >&2
}
started_at=$(date +%s.%N)

die() {
    echo "with-wine: $*" >&2
    exit 1
}

for tool in Xvfb wine wineserver wineboot x86_64-w64-mingw32-gcc flock; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool not found; run scripts/setup-packages.sh test"
done
# Wine takes its ANSI code page from LC_ALL: without the Japanese locale it would be 1252.
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\{0,1\}8' ||
    die "the ja_JP.UTF-8 locale is missing; run scripts/setup-packages.sh test"

mkdir -p "$prefix_arg"
WINEPREFIX=$(cd "$prefix_arg" && pwd)
export WINEPREFIX
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: they are not needed, and installing them would ask in a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
unset LANGUAGE

# One run per prefix at a time. Every process started below gets the lock's descriptor closed,
# so that nothing outliving this script can keep the next run waiting.
exec {lock_fd}>"$WINEPREFIX/.with-wine.lock"
if ! flock -n "$lock_fd"; then
    echo "with-wine: waiting for another run using $WINEPREFIX" >&2
    flock "$lock_fd"
fi

session_dir=$(mktemp -d "${TMPDIR:-/tmp}/with-wine.XXXXXX")
xvfb_pid=""
keepalive_pid=""
server_started=no

cleanup() {
    local status=$?
    set +e
    if [ -n "$keepalive_pid" ]; then
        kill "$keepalive_pid" 2>/dev/null
        wait "$keepalive_pid" 2>/dev/null
    fi
    if [ "$server_started" = yes ]; then
        # Ends every Wine process of this prefix, then waits for the server to save the registry
        # and go.
        wineserver -k </dev/null >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$session_dir"
    exit "$status"
}
# A signal ends the command first (it may be waiting on Wine), then the session.
command_pid=""
on_signal() {
    if [ -n "$command_pid" ]; then
        kill -TERM "$command_pid" 2>/dev/null
        wait "$command_pid" 2>/dev/null
    fi
    exit "$1"
}
trap cleanup EXIT
trap 'on_signal 129' HUP
trap 'on_signal 130' INT
trap 'on_signal 143' TERM

# Waits up to $1 seconds for the command "$2..." to succeed; gives up at once when it exits 2.
wait_until() {
    local deadline=$((SECONDS + $1)) status
    shift
    while true; do
        status=0
        "$@" || status=$?
        [ "$status" -ne 0 ] || return 0
        [ "$status" -ne 2 ] && [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# --- Display: with -displayfd Xvfb picks a free number itself (no race with a run starting at
# the same time) and writes it once it accepts connections. -noreset keeps it from resetting
# whenever its last client leaves. ---
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$session_dir/display" </dev/null >"$session_dir/xvfb.log" 2>&1 {lock_fd}>&- &
xvfb_pid=$!
display_written() {
    kill -0 "$xvfb_pid" 2>/dev/null || return 2
    grep -q '^[0-9][0-9]*$' "$session_dir/display" 2>/dev/null
}
if ! wait_until 30 display_written; then
    cat "$session_dir/xvfb.log" >&2
    die "Xvfb did not start"
fi
display_number=$(cat "$session_dir/display")
wait_until 10 test -S "/tmp/.X11-unix/X$display_number" || die "no socket for display :$display_number"
export DISPLAY=":$display_number"
step "Xvfb ready on $DISPLAY"

# Wine's own processes must not hold the caller's pipes open (a CTest run would never end) nor
# the prefix lock.
quiet() {
    "$@" </dev/null >/dev/null 2>&1 {lock_fd}>&-
}

# --- Server: a stale one (from a run that was killed) would still draw on a display now gone. ---
start_server() {
    local status=0
    quiet wineserver -p || status=$?
    if [ "$status" -eq 2 ]; then
        quiet wineserver -k || true
        quiet wineserver -w || true
        status=0
        quiet wineserver -p || status=$?
    fi
    [ "$status" -eq 0 ] || die "wineserver -p failed ($status)"
    server_started=yes
}
start_server
step "wineserver running"

# --- Prefix: created once; the marker holds the version of the settings below, so that a prefix
# made by an older copy of this script gets the new ones. ---
setup_version=3
if [ ! -e "$WINEPREFIX/system.reg" ]; then
    echo "with-wine: creating the Wine prefix $WINEPREFIX" >&2
    quiet wineboot -i || die "wineboot -i failed"
    step "wineboot -i done"
fi
if [ "$(cat "$WINEPREFIX/.with-wine-setup" 2>/dev/null)" != "$setup_version" ]; then
    # A virtual desktop: without a window manager each closing window would cost two seconds.
    quiet wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f ||
        die "could not turn on the virtual desktop"
    quiet wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f ||
        die "could not size the virtual desktop"
    # A crashing program gets its backtrace written to stderr and ends (exit code 5 for an access
    # violation), instead of waiting in winedbg's crash dialog until the test times out.
    quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f ||
        die "could not turn off the crash dialog"
    # The dialogs ask for ＭＳ Ｐゴシック; without a stand-in Wine falls back to a bitmap font that
    # is wider than the dialog units allow and clips the labels.
    quiet wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f ||
        die "could not set the font stand-in"
    echo "$setup_version" >"$WINEPREFIX/.with-wine-setup"
    # wineboot opened the desktop before the settings above existed, and it would stay a plain one
    # (slow to start windows on) for this run: start over with a fresh server.
    quiet wineserver -k || true
    quiet wineserver -w || true
    start_server
    step "prefix set up"
fi

# --- Wine's services, started here so that no test program starts them. ---
quiet wine cmd /c exit || die "wine cmd /c exit failed"
step "services started"

# --- The desktop keepalive. ---
keepalive_exe="$WINEPREFIX/wine-keepalive.exe"
keepalive_src="$script_dir/wine-keepalive.c"
if [ ! -e "$keepalive_exe" ] || [ "$keepalive_src" -nt "$keepalive_exe" ]; then
    x86_64-w64-mingw32-gcc -std=c11 -O2 -Wall -Wextra -Werror -mwindows -static \
        -o "$keepalive_exe.tmp" "$keepalive_src" || die "could not build $keepalive_exe"
    mv -f "$keepalive_exe.tmp" "$keepalive_exe"
fi
wine "$keepalive_exe" </dev/null >"$session_dir/keepalive.out" 2>&1 {lock_fd}>&- &
keepalive_pid=$!
keepalive_ready() {
    kill -0 "$keepalive_pid" 2>/dev/null || return 2
    grep -q '^ready' "$session_dir/keepalive.out" 2>/dev/null
}
if ! wait_until 60 keepalive_ready; then
    cat "$session_dir/keepalive.out" >&2
    die "the desktop keepalive did not start"
fi
step "keepalive ready"

# --- The command. Not exec'd: the session is torn down afterwards. It runs in the background,
# with the caller's stdin, so that a signal to this script is handled at once rather than when the
# command ends. ---
( trap - HUP INT QUIT TERM; exec "$@" ) <&0 {lock_fd}>&- &
command_pid=$!
status=0
wait "$command_pid" || status=$?
command_pid=""
exit "$status"
