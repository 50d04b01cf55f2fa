#!/usr/bin/env bash
# Faults during the install. A drive without room is named before anything is
# copied, and Back leads to another folder. A disk that fills up while files
# are copied, a file in use, a read-only file and a folder in the way each end
# in one message listing what was not installed and status 3: the old files
# keep their bytes, uninstall.cfg lists only what arrived, nothing is
# launched, and the files beside the destination are untouched. An unsafe
# [Files] name stops the install before anything is done (status 2); Escape
# on the wizard cancels (status 1).
. "$(dirname "$0")/wizard_helpers.bash" "$1" "$2"

F="$C/FaultProd"
R="$WORK/rdrive"
mounted=0
holder=
cleanup() {
  stop_started
  chattr -i "$F/readonly.dat" 2>/dev/null
  [ -n "$holder" ] && kill "$holder" 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/r:"
  [ "$mounted" = 1 ] && umount "$R" 2>/dev/null
}
trap cleanup EXIT
chattr -i "$F/readonly.dat" 2>/dev/null  # an earlier run that was stopped
rm -rf "$F" "$C/EscProd" "$C/UnsafeProd" "$C/faults-sentinel.txt" "$WIN/victim.ini"

avail() { df -B1 --output=avail "$R" | tail -1 | tr -d ' '; }
# fill_to <bytes>: a filler file leaves about that much free on R:.
fill_to() { dd if=/dev/zero of="$R/filler$1" bs=4096 count=$(( ($(avail) - $1) / 4096 )) 2>/dev/null; }
not_listed() { ! grep -qiF "$1=" "$2"; }
no_scratch() { ! compgen -G "$1/~zel*" >/dev/null; }
to_ready_page() {  # from the first page, through the destination page (Browse to $1 when given)
  zt click "$SETUP" "&Next"; sleep 0.3
  if [ -n "${1:-}" ]; then
    zt click "$SETUP" "Browse"
    zt wait-window "Select Directory" 20
    zt set-text "Select Directory" "#301" "$1"
    zt click "Select Directory" "&OK"
    zt msgbox-answer Yes 20
    sleep 0.3
  fi
  zt click "$SETUP" "&Next"; sleep 0.3
}

# ---------------------------------------------------------------------------
echo "== a drive without room, then a disk that fills up during the copy"
if mkdir -p "$R" && mount -t tmpfs -o size=2m tmpfs "$R" 2>/dev/null; then
  mounted=1
  ln -sfn "$R" "$WINEPREFIX/dosdevices/r:"
  mkdir -p "$R/Prod"
  head -c 51200 /dev/urandom > "$R/Prod/data.bin"
  cp "$R/Prod/data.bin" "$WORK/old-data.bin"
  echo "old ask" > "$R/Prod/ask.txt"
  echo "beside the destination" > "$R/sentinel.txt"
  pkg=$(make_package room "[Setup - Main]
Install Dir=Prod
Folder=
Show Re-Boot=0
Header=Zel Room Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=ask.txt~<INSTALLDIR>
2=data.bin~<INSTALLDIR>
3=note.txt~<INSTALLDIR>
[Files - OverWrite]
File #0=1" ask.txt note.txt)
  head -c 614400 /dev/urandom > "$pkg/data.bin"
  fill_to 409600
  start_setup "$pkg"
  to_ready_page 'R:\Prod'
  zt click "$SETUP" "&Install"
  check "room message names the drive" msgbox_has "There is not enough free space on drive R:\\ for this installation."
  check "room message gives the space needed" msgbox_has "Space needed: "
  check "room message gives the space free" msgbox_has "Space free: "
  shot room-message
  zt msgbox-answer OK
  sleep 0.5
  check "still on the ready page" has "class=Button id=204 visible=1 enabled=1 text=&Install"
  check "nothing copied before the room check" test ! -e "$R/Prod/install.exe" -a ! -e "$R/Prod/note.txt"
  zt click "$SETUP" "&Back"; sleep 0.3
  check "Back leads to the destination page" has "class=Button id=1204 visible=1 enabled=1 text=Browse"
  zt click "$SETUP" "&Next"; sleep 0.3
  rm -f "$R"/filler*
  zt click "$SETUP" "&Install"
  # The disk fills up while the user answers the question.
  check "question for the marked file" msgbox_is "File Already Exists (ask.txt). Overwrite?"
  fill_to 65536
  zt msgbox-answer Yes
  check "the failure names the file and the full disk" msgbox_has "Cannot write file R:\\Prod\\data.bin: the disk is full"
  check "one message: an incomplete install" msgbox_has "The installation is incomplete."
  shot full-disk-failures
  zt msgbox-answer OK
  check "setup ends" finish
  check "full disk: status 3 (incomplete)" exit_status_is 3
  check "the old data.bin keeps its bytes" cmp -s "$WORK/old-data.bin" "$R/Prod/data.bin"
  check "the files that fit arrived" grep -q "content of note.txt" "$R/Prod/note.txt"
  check "uninstall.cfg lacks data.bin" not_listed 'R:\Prod\data.bin' "$R/Prod/uninstall.cfg"
  check "uninstall.cfg lists note.txt" grep -qF 'R:\Prod\note.txt=' "$R/Prod/uninstall.cfg"
  check "no scratch file left" no_scratch "$R/Prod"
  check "sentinel beside the destination" grep -qx "beside the destination" "$R/sentinel.txt"
else
  echo "skipped: full destination drive (mounting a tmpfs is refused here); the short write is covered by the native CopyFileTo tests"
fi

# ---------------------------------------------------------------------------
echo "== a file in use, a read-only file, a folder in the way"
mkdir -p "$F/inway.txt"
echo "inside the folder" > "$F/inway.txt/inside.txt"
echo "old locked" > "$F/locked.dll"
echo "old read-only" > "$F/readonly.dat"
echo "beside the destination" > "$C/faults-sentinel.txt"
pkg=$(make_package faults "[Setup - Main]
Install Dir=FaultProd
Launch=<INSTALLDIR>prog.exe
Folder=
Header=Zel Fault Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=locked.dll~<INSTALLDIR>
2=readonly.dat~<INSTALLDIR>
3=inway.txt~<INSTALLDIR>
4=ok.txt~<INSTALLDIR>
5=prog.exe~<INSTALLDIR>" locked.dll readonly.dat inway.txt ok.txt prog.exe)
# Root passes Wine's read-only attribute; the immutable flag stops even root.
fixed=1
chattr +i "$F/readonly.dat" 2>/dev/null || { fixed=0; echo "skipped: the read-only file (chattr +i is refused here)"; }
# Held open with no sharing by another program until it is killed below.
wine "$ZELTEST_EXE" hold-open 'C:\FaultProd\locked.dll' 600 > "$WORK/hold.txt" 2>&1 </dev/null &
holder=$!
for _ in $(seq 1 300); do grep -q holding "$WORK/hold.txt" 2>/dev/null && break; sleep 0.1; done
check "another program holds locked.dll" grep -q holding "$WORK/hold.txt"
start_setup "$pkg"
to_ready_page
zt click "$SETUP" "&Install"
check "one message: an incomplete install" msgbox_has "The installation is incomplete."
check "the file in use is listed" msgbox_has "Cannot replace C:\\FaultProd\\locked.dll"
[ "$fixed" = 1 ] && check "the read-only file is listed" msgbox_has "Cannot replace C:\\FaultProd\\readonly.dat"
check "the folder in the way is listed" msgbox_has "C:\\FaultProd\\inway.txt: a folder of that name is in the way"
shot failure-list
zt msgbox-answer OK
check "setup ends" finish
check "faults: status 3 (incomplete)" exit_status_is 3
kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null; holder=
chattr -i "$F/readonly.dat" 2>/dev/null
check "file in use keeps its bytes" grep -qx "old locked" "$F/locked.dll"
[ "$fixed" = 1 ] && check "read-only file keeps its bytes" grep -qx "old read-only" "$F/readonly.dat"
check "folder in the way is as it was" grep -qx "inside the folder" "$F/inway.txt/inside.txt"
check "the other files arrived" grep -q "content of ok.txt" "$F/ok.txt"
failed_names="locked.dll inway.txt"
[ "$fixed" = 1 ] && failed_names="$failed_names readonly.dat"
for name in $failed_names; do
  check "uninstall.cfg lacks $name" not_listed "C:\\FaultProd\\$name" "$F/uninstall.cfg"
done
check "uninstall.cfg lists ok.txt" grep -qF 'C:\FaultProd\ok.txt=' "$F/uninstall.cfg"
check "no scratch file left" no_scratch "$F"
check "nothing launched after failures" test ! -e "$F/launched.txt"
check "sentinel beside the destination" grep -qx "beside the destination" "$C/faults-sentinel.txt"

# ---------------------------------------------------------------------------
echo "== an unsafe [Files] name; Escape"
echo "the Windows folder's own" > "$WIN/victim.ini"
pkg=$(make_package unsafe "[Setup - Main]
Install Dir=UnsafeProd
Folder=
Header=Zel Unsafe Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=readme.txt~<INSTALLDIR>
2=../../victim.ini~<INSTALLDIR>" readme.txt)
start_setup "$pkg"
to_ready_page
zt click "$SETUP" "&Install"
check "unsafe name is reported" msgbox_has 'install.cfg names an unsafe file: "../../victim.ini"'
zt msgbox-answer OK
check "setup ends" finish
check "unsafe name: status 2 (failed)" exit_status_is 2
check "victim stays in the Windows folder" grep -qx "the Windows folder's own" "$WIN/victim.ini"
check "nothing created for the unsafe package" test ! -e "$C/UnsafeProd"

pkg=$(make_package esc "[Setup - Main]
Install Dir=EscProd
Header=Zel Esc Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=readme.txt~<INSTALLDIR>" readme.txt)
start_setup "$pkg"
zt click "$SETUP" "&Next"; sleep 0.3
zt key "$SETUP" Escape
check "Escape ends the setup" finish
check "Escape: status 1 (cancelled)" exit_status_is 1
check "nothing installed after Escape" test ! -e "$C/EscProd"

wizard_finish
