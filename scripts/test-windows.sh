#!/usr/bin/env bash
# The Windows part of the test command: builds OrvMorix-x64.dll and OrvMorix-x86.dll with
# mingw-w64, runs the test suites of both under Wine, and renders the same inputs through the
# Linux plug-in and both DLLs to compare the numbers. Installs what it needs; uses a throwaway
# Wine prefix and no display.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
step() { printf '=== windows [%dm%02ds] %s\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)) "$*"; }

step "toolchains and Wine"
scripts/install-windows-deps.sh

WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/orvmorix-wine.XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" QEMU_RESERVED_VA=0xffff0000
unset DISPLAY WAYLAND_DISPLAY
wineserver=/usr/lib/wine/wineserver64
finish() {
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap finish EXIT

# The prefix (its 32-bit half is slow to make under emulation) is made while the DLLs build.
# A persistent server keeps its services up for every later program; nothing of Wine's may hold
# this script's output, or ctest would wait for it.
"$wineserver" -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1 &
prefix=$!

for preset in win64 win32; do
  step "build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
step "build the Linux renderer for the comparison"
cmake --preset linux >/dev/null
cmake --build --preset linux --target OrvMorix orvmorix-crossbuild-render orvmorix-crossbuild-compare

step "wait for the Wine prefix"
wait "$prefix"

renders=build/crossbuild
rm -rf "$renders"
mkdir -p "$renders"
# The 32-bit render costs most in starting up under emulation: it runs beside the test suites.
(cd "$renders" && ../../scripts/wine-run.sh win32 ../win32/tests/crossbuild/orvmorix-crossbuild-render.exe x86.bin \
  ../win32/plugin/OrvMorix-x86.dll) &
x86render=$!

step "tests x64"
ctest --preset win64
step "tests x86"
ctest --preset win32

step "same numbers: Linux, x64, x86"
(cd "$renders" && ../../scripts/wine-run.sh win64 ../win64/tests/crossbuild/orvmorix-crossbuild-render.exe x64.bin \
  ../win64/plugin/OrvMorix-x64.dll)
build/linux/tests/crossbuild/orvmorix-crossbuild-render "$renders/linux.bin" build/linux/plugin/OrvMorix.so
wait "$x86render"
build/linux/tests/crossbuild/orvmorix-crossbuild-compare "$renders/linux.bin" "$renders/x64.bin" "$renders/x86.bin"
step "done"
