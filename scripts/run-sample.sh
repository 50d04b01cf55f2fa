#!/usr/bin/env bash
# Packs the sample product of examples/sample into floppy-sized segment files
# (disk.001, disk.002, ...) and runs the whole setup on them under Wine: in a
# visible window when a DISPLAY is available (you click through the wizard),
# otherwise on a virtual display with the test driver clicking through.
# Ends by printing where the product was installed.
# Environment: WINEPREFIX (default ~/.wine-zel), ZEL_BUILD (default build/win32).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEL_BUILD:-$root/build/win32}"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# shellcheck source=/dev/null
. "$root/scripts/sample-lib.sh"
sample_check_build

interactive=1
if [ -z "${DISPLAY:-}" ]; then
  interactive=0
  # shellcheck source=/dev/null
  . "$root/scripts/xvfb.sh"
  zel_start_xvfb >/dev/null
fi
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null || true

work="$root/build/sample"
sample_pack "$work" 1440000
echo "setup package: $work/disks ($(cd "$work/disks" && ls | tr "\n" " "))"

if [ "$interactive" = 1 ]; then
  echo "running the setup on $DISPLAY; click through the wizard"
  wine "$work/disks/install.exe" "$(winpath "$work/disks")" </dev/null || true
else
  echo "running the setup on the virtual display $DISPLAY with the test driver"
  ( wine "$work/disks/install.exe" "$(winpath "$work/disks")" >/dev/null 2>&1 </dev/null ) &
  sample_walk_wizard
  sample_finish_install 120 || { echo "the setup did not end" >&2; exit 1; }
fi

target="$WINEPREFIX/drive_c/Program Files/Sample Product"
if [ -f "$target/hello.exe" ]; then
  echo "The sample product was installed into C:\\Program Files\\Sample Product"
  echo "(on this machine: $target)"
else
  echo "The sample product was not installed (the setup was cancelled or failed)." >&2
  exit 1
fi
