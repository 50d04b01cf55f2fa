#!/usr/bin/env bash
# End-to-end scenarios of the wizard and the install engine: install.exe runs
# under Wine on a virtual display and zeltest plays the user.
#
#   tests/e2e/wizard_e2e.sh <build/win32 dir> [work dir]
#
# Needs WINEPREFIX (a win32 prefix) and ZEL_XVFB_DISPLAY; screenshots of every
# page land in the work dir. Exit status: number of failed checks.
set -u
BUILD=$(cd "${1:?build dir}" && pwd)
WORK=${2:-/tmp/zel-wizard-e2e}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
export WINEARCH=win32 WINEDEBUG=-all
source "$ROOT/scripts/xvfb.sh"
zel_start_xvfb >/dev/null
C="$WINEPREFIX/drive_c"
WIN="$C/windows"
SETUP="ZEL32 - Setup"
failures=0

rm -rf "$WORK" && mkdir -p "$WORK"
i686-w64-mingw32-gcc -O2 -mwindows -s -o "$WORK/prog.exe" "$HERE/marker_program.c" || exit 99

zt() { wine "$BUILD/tools/testdriver/zeltest.exe" "$@" | tr -d '\r'; }
msgbox_is() { zt msgbox-text 20 | grep -qxF -- "text=$1"; }
msgbox_has() { zt msgbox-text 20 | grep -qF -- "$1"; }
window_has() { zt text "$1" | grep -qF -- "$2"; }
check() {  # check <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
shot() { sleep 0.6; import -window root -display "$DISPLAY" "$WORK/$1.png"; }
# The visible controls of the wizard, one per line.
controls() { zt text "$SETUP" | grep 'visible=1' | sed 's/^ *//'; }
has() { controls | grep -qxF -- "$1"; }
lacks() { ! controls | grep -q -- "$1"; }

# make_package <name> <install.cfg text> [files...]: a plain setup folder.
make_package() {
  local dir="$WORK/$1"; mkdir -p "$dir"
  cp "$BUILD/src/app/install.exe" "$dir/"
  printf '%s\n' "$2" | sed 's/$/\r/' > "$dir/install.cfg"
  shift 2
  for f in "$@"; do
    case $f in
      prog.exe) cp "$WORK/prog.exe" "$dir/" ;;
      *) echo "content of $f" > "$dir/$f" ;;
    esac
  done
  echo "$dir"
}
start_setup() {  # start_setup <package dir>
  wine "$BUILD/src/app/install.exe" "Z:$(echo "$1" | tr / '\\')" >/dev/null 2>&1 &
  zt wait-window "$SETUP" 40
}
finish() { zt wait-exit install.exe 30; }
crlf() { tr -d '\r' < "$1"; }

# Leftovers of an earlier run would make the checks meaningless.
rm -rf "$C/AAA Walk Target" "$C/FullProd" "$C/NetProd" "$C/Program Files/WalkProd" \
  "$WIN/system/zelfull.dll" "$C/Program Files/zelfull.dat" "$WIN/noinst.txt"
for title in "Zel Full Product" "Zel Net Product"; do
  wine reg delete "HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\$title" /f >/dev/null 2>&1
done

# ---------------------------------------------------------------------------
echo "== walk: every page, licence, folders, workstation prompt, cancel"
pkg=$(make_package walk "[Setup - Main]
Install Dir=WalkProd
Launch=<INSTALLDIR>prog.exe
Folder=Walk Folder
Add to Program Files=1
Work Station Prompt=1
Header=Walk Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=prog.exe~<INSTALLDIR>
[Desktop]
1=Walk Prog~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.exe~Walk Folder" prog.exe)
printf 'Licence line 1\r\nLicence line 2\r\n' > "$pkg/license.txt"
start_setup "$pkg"
shot page0
check "page 0 text" has "class=Button id=205 visible=1 enabled=0 text=&Back"
check "page 0 next" has "class=Button id=206 visible=1 enabled=1 text=&Next"
check "page 0 cancel" has "class=Button id=202 visible=1 enabled=1 text=&Cancel"
check "page 0 install hidden" lacks "id=204 visible=1"
zt click "$SETUP" "&Next"; shot page1
check "licence label" has "class=Static id=1100 visible=1 enabled=1 text=Click on Accept to continue with install process. pgdn/pgup to view License information."
check "licence text" window_has "$SETUP" "id=1101 visible=1 enabled=1 text=Licence line 1"
check "licence next disabled" has "class=Button id=206 visible=1 enabled=0 text=&Next"
check "licence back enabled" has "class=Button id=205 visible=1 enabled=1 text=&Back"
check "decline button" has "class=Button id=1103 visible=1 enabled=1 text=Decline"
zt click "$SETUP" "&Back"
check "back to page 0, Back off" has "class=Button id=205 visible=1 enabled=0 text=&Back"
zt click "$SETUP" "&Next"; zt click "$SETUP" "Accept"; shot page2
check "destination proposed" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
check "browse" has "class=Button id=1204 visible=1 enabled=1 text=Browse"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10; shot form3
check "select directory edit" window_has "Select Directory" "id=301 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
zt click "Select Directory" "&OK"; sleep 0.5
check "OK unchanged: no question" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
mkdir -p "$C/AAA Walk Target"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10
zt dblclick "Select Directory" "#303"; zt click "Select Directory" "&OK"
check "new folder question" msgbox_is "Create New Directory for Installation [C:\\AAA Walk Target] ?"
zt msgbox-answer No; sleep 0.4
check "No keeps destination" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10
zt dblclick "Select Directory" "#303"; zt dblclick "Select Directory" "#303"; zt click "Select Directory" "&OK"
zt msgbox-answer Yes; sleep 0.4
check "Yes takes the folder" has "class=Static id=1203 visible=1 enabled=1 text=C:\\AAA Walk Target"
zt click "$SETUP" "&Next"; shot page3
check "folders heading" has "class=Static id=1300 visible=1 enabled=1 text=Create Folder's and Shortcuts."
check "folder name" has "class=Static id=1302 visible=1 enabled=1 text=Walk Folder"
check "checkbox1" has "class=Button id=1303 visible=1 enabled=1 text=Add Folder to Start Menu"
check "checkbox2" has "class=Button id=1304 visible=1 enabled=1 text=Add Folder to Desktop"
zt click "$SETUP" "&Next"; shot page4
check "install type heading" has "class=Static id=1400 visible=1 enabled=1 text=What type of install to Execute"
check "full" has "class=Button id=1401 visible=1 enabled=1 text=Full Install ( All Files will be installed )"
check "min" has "class=Button id=1402 visible=1 enabled=1 text=Only Files need to run from Network will be installed"
zt click "$SETUP" "&Next"; shot page5
check "ready heading" has "class=Static id=1500 visible=1 enabled=1 text=Ready to Start Installing Software"
check "launch label" has "class=Static id=1502 visible=1 enabled=1 text=prog.exe"
check "reboot shown" has "class=Button id=1504 visible=1 enabled=1 text=Re Boot Windows After installed"
check "install shown" has "class=Button id=204 visible=1 enabled=1 text=&Install"
check "next off on ready" has "class=Button id=206 visible=1 enabled=0 text=&Next"
zt click "$SETUP" "&Back"
check "back from ready to install type" has "class=Static id=1400 visible=1 enabled=1 text=What type of install to Execute"
zt click "$SETUP" "&Cancel"
check "cancel ends the setup" finish
check "cancel installed nothing" test ! -e "$C/AAA Walk Target/install.exe"

# ---------------------------------------------------------------------------
echo "== full install: four kinds of folder, record, registration, launch"
mkdir -p "$C/FullProd"
full_cfg="[Setup - Main]
Install Dir=FullProd
Launch=<INSTALLDIR>prog.exe
Folder=
Header=Zel Full Product
[Directories]
1=<SUB1>~docs
2=<INSTALLDIR>~
3=<WINDOWS_SYSTEM>~
4=<PROGRAMFILES>~
[Files]
1=readme.txt~<SUB1>
2=prog.exe~<INSTALLDIR>
3=zelfull.dll~<WINDOWS_SYSTEM>
4=zelfull.dat~<PROGRAMFILES>
5=uninstaller.exe~<INSTALLDIR>
6=old.txt~<INSTALLDIR>
[Files - OverWrite]
File #1=1"
pkg=$(make_package full "$full_cfg" readme.txt prog.exe zelfull.dll zelfull.dat uninstaller.exe old.txt)
start_setup "$pkg"
zt click "$SETUP" "&Next"; sleep 0.3
check "no licence: straight to destination" has "class=Button id=1204 visible=1 enabled=1 text=Browse"
zt click "$SETUP" "&Next"; sleep 0.3
check "empty folder: straight to ready" has "class=Button id=204 visible=1 enabled=1 text=&Install"
zt click "$SETUP" "&Install"
check "full install ends" finish
D="$C/FullProd"
check "file in <INSTALLDIR>" test -f "$D/prog.exe"
check "file in <SUB folder" test -f "$D/docs/readme.txt"
check "file in <WINDOWS_SYSTEM>" test -f "$WIN/system/zelfull.dll"
check "file in <PROGRAMFILES>" test -f "$C/Program Files/zelfull.dat"
check "setup copies" test -f "$D/install.exe" -a -f "$D/install.cfg"
check "program launched in its folder" test -f "$D/launched.txt"
expected="[Program]
Title=Zel Full Product
[UNINS]
C:\\FullProd\\*.*=
C:\\FullProd\\Setup\\*.*=
C:\\FullProd\\docs\\readme.txt=
C:\\FullProd\\prog.exe=
C:\\FullProd\\uninstaller.exe=
C:\\FullProd\\old.txt=
C:\\windows\\System\\zelfull.dll=
C:\\Program Files\\zelfull.dat="
check "uninstall.cfg entry by entry" bash -c "diff <(printf '%s\n' '$expected') <(tr -d '\r' < '$D/uninstall.cfg') >&2"
key='HKLM\Software\Microsoft\Windows\currentversion\uninstall\Zel Full Product'
check "DisplayName" bash -c "wine reg query '$key' /v DisplayName 2>/dev/null | grep -q 'REG_SZ *Zel Full Product'"
check "UninstallString" bash -c "wine reg query '$key' /v UninstallString 2>/dev/null | grep -qF 'C:\\FullProd\\uninstaller.exe Zel Full Product'"

# ---------------------------------------------------------------------------
echo "== install twice into the same folder; overwrite question No, then Yes"
echo "changed by the user" > "$D/prog.exe"
second_cfg=$(printf '%s\n' "$full_cfg" | grep -v '^6=old.txt')
for answer in No Yes; do
  pkg=$(make_package "again$answer" "$second_cfg" readme.txt prog.exe zelfull.dll zelfull.dat uninstaller.exe)
  start_setup "$pkg"
  zt click "$SETUP" "&Next"; zt click "$SETUP" "&Next"; zt click "$SETUP" "&Install"
  check "overwrite question ($answer)" msgbox_is "File Already Exists (prog.exe). Overwrite?"
  [ "$answer" = No ] && shot page6
  zt msgbox-answer "$answer"
  check "second install ends ($answer)" finish
  if [ "$answer" = No ]; then
    check "No keeps the file" grep -q "changed by the user" "$D/prog.exe"
  else
    check "Yes replaces the file" cmp -s "$WORK/prog.exe" "$D/prog.exe"
  fi
  check "one record: old.txt gone, prog.exe kept ($answer)" bash -c \
    "! grep -q old.txt '$D/uninstall.cfg' && grep -c 'FullProd\\\\\\*\\.\\*=' '$D/uninstall.cfg' | grep -qx 1 && grep -q 'prog.exe=' '$D/uninstall.cfg'"
done

# ---------------------------------------------------------------------------
echo "== network install, without uninstaller: WorkStation files only, no registration"
mkdir -p "$C/NetProd"
echo "older client" > "$C/NetProd/client.exe"
pkg=$(make_package net "[Setup - Main]
Install Dir=NetProd
Folder=
Work Station Prompt=1
Show Re-Boot=0
Header=Zel Net Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=server.dat~<INSTALLDIR>
[WorkStation]
1=client.exe~<INSTALLDIR>~X
2=client.ini~<INSTALLDIR>" server.dat client.exe client.ini)
start_setup "$pkg"
zt click "$SETUP" "&Next"; zt click "$SETUP" "&Next"; sleep 0.3
check "install type page" has "class=Static id=1400 visible=1 enabled=1 text=What type of install to Execute"
zt click "$SETUP" "&Next"; sleep 0.3
check "restart choice hidden" lacks "id=1504 visible=1"
zt click "$SETUP" "&Install"
check "question for the marked workstation file" msgbox_is "File Already Exists (client.exe). Overwrite?"
zt msgbox-answer Yes
check "network install ends" finish
check "workstation files copied" test -f "$C/NetProd/client.ini" -a "$(crlf "$C/NetProd/client.exe")" = "content of client.exe"
check "full-install file not copied" test ! -e "$C/NetProd/server.dat"
check "no registration without uninstaller.exe" bash -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\Zel Net Product' >/dev/null 2>&1"
check "record without registration" grep -q 'C:\\NetProd\\client.ini=' "$C/NetProd/uninstall.cfg"

# ---------------------------------------------------------------------------
echo "== Directories without <INSTALLDIR>: told, nothing installed"
pkg=$(make_package noinst "[Setup - Main]
Install Dir=NoInstProd
Folder=
Header=Zel NoInst
[Directories]
1=<WINDOWS>~
[Files]
1=noinst.txt~<WINDOWS>" noinst.txt)
start_setup "$pkg"
zt click "$SETUP" "&Next"; zt click "$SETUP" "&Next"; zt click "$SETUP" "&Install"
check "missing destination is reported" msgbox_has "no <INSTALLDIR> entry"
zt msgbox-answer OK
check "setup ends after the report" finish
check "nothing installed" test ! -e "$WIN/noinst.txt"

# ---------------------------------------------------------------------------
echo "== restart: only after a completed install"
restart_cfg() {
  printf '%s\n' "[Setup - Main]" "Install Dir=$1" "Folder=" "Show Re-Boot=1" "Header=Zel $1" \
    "[Directories]" "1=<INSTALLDIR>~" "[Files]" "1=data.txt~<INSTALLDIR>"
}
watch() { zt watch-endsession "$1" > "$WORK/endsession.txt" & watcher=$!; sleep 1; }
watched() { wait "$watcher"; grep -qx "$1" "$WORK/endsession.txt"; }
rm -rf "$C/RebootProd" "$C/FailProd"
pkg=$(make_package reboot "$(restart_cfg RebootProd)" data.txt)
watch 25
start_setup "$pkg"
zt click "$SETUP" "&Next"; zt click "$SETUP" "&Next"; sleep 0.3
check "restart choice preselected and shown" has "class=Button id=1504 visible=1 enabled=1 text=Re Boot Windows After installed"
zt click "$SETUP" "&Install"
check "completed install ends" finish
check "completed install asks for the restart" watched end-session

# The uninstall record cannot be written (a folder stands in its place): the
# install stops with a report.
mkdir -p "$C/FailProd/uninstall.cfg"
pkg=$(make_package fail "$(restart_cfg FailProd)" data.txt)
watch 20
start_setup "$pkg"
zt click "$SETUP" "&Next"; zt click "$SETUP" "&Next"; zt click "$SETUP" "&Install"
check "failed record is reported with its file" msgbox_is "Unable to write to C:\\FailProd\\uninstall.cfg"
zt msgbox-answer OK
check "wizard closes after the report" finish
check "no restart after a failed install" watched "no end-session"
check "no product file after the failure" test ! -e "$C/FailProd/data.txt"

pkg=$(make_package closebox "$(restart_cfg CloseProd)" data.txt)
start_setup "$pkg"
zt close "$SETUP"
check "close box ends the setup" finish

echo "failures: $failures"
exit "$failures"
