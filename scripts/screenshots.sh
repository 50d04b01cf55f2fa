#!/usr/bin/env bash
# Renders every stage of the sample setup on a virtual display into PNG files
# in docs/screenshots/: the background with its gradient and picture, the
# preparation window with its gauge, the disk prompt, the abort question and
# each wizard page. Needs the Windows build (scripts/build.sh win32).
# Environment: WINEPREFIX (default ~/.wine-zel), ZEL_XVFB_DISPLAY, ZEL_BUILD.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEL_BUILD:-$root/build/win32}"
out="$root/docs/screenshots"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# shellcheck source=/dev/null
. "$root/scripts/sample-lib.sh"
sample_check_build
# shellcheck source=/dev/null
. "$root/scripts/xvfb.sh"
zel_start_xvfb >/dev/null
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null || true
mkdir -p "$out"
shot() { import -window root -display "$DISPLAY" "$out/$1.png"; echo "$out/$1.png"; }

work="$root/build/screenshots"
sample_pack "$work" 200000 300000 200000   # three small segment files
floppy=0
[ -f "$work/disks/disk.002" ] && floppy=1
if [ "$floppy" = 1 ]; then
  # Only disk 1 in the "drive" at first.
  mkdir -p "$work/floppy"
  cp "$work/disks/install.exe" "$work/disks/install.cfg" "$work/disks/disk.001" "$work/floppy/"
  run_from="$work/floppy"
else
  run_from="$work/disks"
fi

# 1. The preparation window and the abort question (answered No).
( wine "$run_from/install.exe" "$(winpath "$run_from")" >/dev/null 2>&1 </dev/null ) &
zeltest wait-window "Preparing ZEL Setup" 30 >/dev/null
sleep 0.3
shot 02-preparation
zeltest surface-click "Preparing ZEL Setup" 5 5 >/dev/null
zeltest msgbox-text 10 >/dev/null && shot 05-abort-question
zeltest msgbox-answer No >/dev/null
if [ "$floppy" = 1 ]; then
  # 2. The prompt for disk 2: by then disk 1 is expanded and the picture shows.
  until zeltest msgbox-text 60 | grep -q "Please Insert Disk #2"; do sleep 0.2; done
  shot 04-disk-prompt
  cp "$work/disks/"disk.0* "$work/floppy/"
  zeltest msgbox-answer OK >/dev/null
  sleep 0.5
  shot 01-background-with-picture
else
  zeltest wait-window "ZEL32 - Setup" 60 >/dev/null
  shot 01-background-with-picture
fi
# 3. Every wizard page.
page_no=10
page_shot() { page_no=$((page_no + 1)); sleep 0.3; shot "$page_no-wizard-page"; }
sample_walk_wizard page_shot
sample_finish_install 120 || echo "the setup did not end" >&2
ls "$out"
