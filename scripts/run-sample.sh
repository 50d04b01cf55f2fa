#!/usr/bin/env bash
# Makes the setup disks of the sample product of examples/sample with
# zelpack make (1.44 MB floppies: build/sample/disks/disk1, disk2, ...) and
# installs it from them under Wine: disk 1 goes into drive A:, and each
# "Please Insert Disk #n" prompt is answered by putting disk n there. The
# wizard runs in a visible window when a DISPLAY is available (you click
# through it), otherwise on a virtual display with the test driver clicking
# through. Ends by printing where the product was installed. Running it again
# makes and installs everything afresh.
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
sample_make "$work"
echo "setup disks: $work/disks ($(cd "$work/disks" && ls -d disk* | tr "\n" " "))"

drive="$work/drive-a"
mkdir -p "$drive"
sample_insert_disk "$work/disks/disk1" "$drive"
sample_map_drive_a "$drive"
trap sample_unmap_drive_a EXIT
if [ "$interactive" = 1 ]; then
  echo "running the setup from A: on $DISPLAY; click through the wizard (the disks are changed for you)"
  sample_feed_disks "$work/disks" "$drive" &
  wine 'A:\install.exe' 'A:\' </dev/null || true
else
  echo "running the setup from A: on the virtual display $DISPLAY with the test driver"
  ( wine 'A:\install.exe' 'A:\' >/dev/null 2>&1 </dev/null ) &
  sample_feed_disks "$work/disks" "$drive"
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
