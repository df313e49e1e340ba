#!/bin/bash
# Builds the Windows programs (Release, without tests) and packs the 64-bit Windows package:
#   scripts/package-win64.sh [BUILDDIR]
# BUILDDIR defaults to build/win64-release and is configured on first use. The result is
# dist/Quintaro-<version>-win64.zip, holding one folder of that name with Quintaro.exe,
# quintaro-cli.exe, the three templates, Quintaro.html and README-win64.txt: unpacked anywhere, it
# runs as it is. Needs the MinGW-w64 cross compiler and zip (scripts/setup-packages.sh test).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/win64-release}
triplet=x86_64-w64-mingw32

die() {
    echo "package-win64: $*" >&2
    exit 1
}

for tool in cmake zip "$triplet-objdump" "$triplet-strip"; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool not found; run scripts/setup-packages.sh test"
done

version=$(sed -n 's/^project(Quintaro VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || die "no version in $root/CMakeLists.txt"
name=Quintaro-$version-win64

if [ ! -e "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUINTARO_TESTS=OFF
fi
cmake --build "$build" --target Quintaro quintaro-cli quintaro_templates -j2

stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage"
for exe in Quintaro.exe quintaro-cli.exe; do
    "$triplet-strip" -s -o "$stage/$exe" "$build/bin/$exe"
done
cp "$root/res/TiMidityGS.xml" "$root/res/TiMidityXG.xml" "$root/res/sfz.xml" \
    "$root/res/Quintaro.html" "$root/res/README-win64.txt" "$stage/"

# Nothing to install: every DLL an executable names must come with Windows itself.
system_dlls=" kernel32.dll user32.dll gdi32.dll comdlg32.dll shell32.dll shlwapi.dll advapi32.dll"
system_dlls+=" comctl32.dll ole32.dll oleaut32.dll version.dll msvcrt.dll "
for exe in "$stage"/*.exe; do
    imports=$("$triplet-objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
    [ -n "$imports" ] || die "cannot read the imports of $exe"
    for dll in $imports; do
        case "$system_dlls" in
            *" $dll "*) ;;
            *) die "$(basename "$exe") needs $dll, which Windows does not provide" ;;
        esac
    done
    echo "$(basename "$exe") imports: $(echo "$imports" | tr "\n" " ")"
done

mkdir -p "$root/dist"
zipfile=$root/dist/$name.zip
rm -f "$zipfile"
(cd "$build/package" && zip -q -X -r "$zipfile" "$name")
echo "wrote $zipfile"
