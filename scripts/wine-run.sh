#!/usr/bin/env bash
# Runs a Windows program under Wine, headless and without prompts:
#   scripts/wine-run.sh win64|win32 program.exe [arguments...]
# ctest calls it as the cross-compiling emulator. scripts/test-windows.sh sets WINEPREFIX to a
# throwaway prefix; run alone, a per-user prefix under the temporary folder is used.
set -euo pipefail

case "${1:-}" in
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=/usr/lib/wine/wine ;;
  *) echo "usage: $0 win64|win32 program [arguments...]" >&2; exit 2 ;;
esac
shift

export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/orvmorix-wine-$(id -u)}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installation prompts or downloads.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# qemu-user (where the kernel cannot run i386) must keep the low 4 GiB for 32-bit Wine;
# native processes ignore it.
export QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0xffff0000}"
# Headless unless a caller hands over a display for window tests.
if [ -n "${ORV_WINE_DISPLAY:-}" ]; then
  export DISPLAY="$ORV_WINE_DISPLAY"
else
  unset DISPLAY WAYLAND_DISPLAY
fi
# Start the server and the prefix's background services (created on first use) with no
# terminal or pipe of ours: processes that Wine starts inherit the standard handles of the
# program that caused them, and a test runner waits for every holder of its output pipe.
# The server lingers a minute after the last program, so consecutive runs share it; an
# already running server (scripts/test-windows.sh keeps one) is left as it is.
/usr/lib/wine/wineserver64 -p60 </dev/null >/dev/null 2>&1 || true
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
exec "$loader" "$@"
