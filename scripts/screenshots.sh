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
mkdir -p "$work/floppy"
cp "$work/disks/install.exe" "$work/disks/install.cfg" "$work/disks/disk.001" "$work/floppy/"

# 1. Abort question (answered No), then the run with the disk prompts.
( wine "$work/floppy/install.exe" "$(winpath "$work/floppy")" >/dev/null 2>&1 </dev/null ) &
zeltest wait-window "Preparing ZEL Setup" 30 >/dev/null
sleep 0.3
shot 02-preparation
zeltest surface-click "Preparing ZEL Setup" 5 5 >/dev/null
zeltest msgbox-text 10 >/dev/null && shot 05-abort-question
zeltest msgbox-answer No >/dev/null
# 2. The prompt for disk 2: by then disk 1 is expanded and the picture shows.
until zeltest msgbox-text 60 | grep -q "Please Insert Disk #2"; do sleep 0.2; done
shot 04-disk-prompt
cp "$work/disks/disk.002" "$work/disks/disk.003" "$work/floppy/"
zeltest msgbox-answer OK >/dev/null
sleep 0.5
shot 01-background-with-picture
# 3. Every wizard page.
page_no=10
page_shot() { page_no=$((page_no + 1)); sleep 0.3; shot "$page_no-wizard-page"; }
sample_walk_wizard page_shot
zeltest wait-exit install.exe 120 >/dev/null || true
ls "$out"
