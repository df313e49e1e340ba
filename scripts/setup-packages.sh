#!/bin/sh
# Installs the Debian packages a build needs; does nothing (and touches no network) when they are
# all present already.
#   scripts/setup-packages.sh main   what building and running the native command line needs
#   scripts/setup-packages.sh test   everything the whole test suite needs, Windows tree included
# Runs as root on Debian 12 (or through sudo when it is available).
set -eu

usage() {
    echo "usage: $0 main|test" >&2
    exit 2
}

[ $# -eq 1 ] || usage

MAIN_PACKAGES="cmake g++ make"
TEST_PACKAGES="$MAIN_PACKAGES
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    libxml2-utils zip
    fluidsynth fluid-soundfont-gm fluid-soundfont-gs timgm6mb-soundfont
    g++-mingw-w64-x86-64 wine wine64 fonts-wine
    xvfb xdotool x11-apps imagemagick
    fonts-ipafont-gothic locales"

case "$1" in
    main) packages=$MAIN_PACKAGES; want_locale=no ;;
    test) packages=$TEST_PACKAGES; want_locale=yes ;;
    *) usage ;;
esac

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    as_root=""
fi

# One dpkg-query for the lot; it names the installed ones and complains (quietly) about the rest.
# shellcheck disable=SC2086 # one word per package
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' $packages 2>/dev/null |
    awk '$1 == "ii" { printf "%s ", $2 }')"
missing=""
for package in $packages; do
    case "$installed" in
        *" $package "*) ;;
        *) missing="$missing $package" ;;
    esac
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update
    # shellcheck disable=SC2086 # one word per package
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 \
        install -y --no-install-recommends $missing
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932, which the Windows tests
# rely on. `locale -a` spells it ja_JP.utf8.
if [ "$want_locale" = yes ] && ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\{0,1\}8'; then
    echo "Generating the ja_JP.UTF-8 locale"
    $as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
