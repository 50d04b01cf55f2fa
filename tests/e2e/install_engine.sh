#!/usr/bin/env bash
# Installs of real packages: four kinds of folder, the uninstall record and
# its registration, the launch, overwrite questions, a second install into the
# same folder, a network install, a script without destination, and a restart
# only after a completed install.
. "$(dirname "$0")/wizard_helpers.bash" "$1" "$2"

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
# The basic sections entry by entry (the exact sections the uninstaller reads
# follow them; uninstall.sh checks what they do).
basic_sections() {
  tr -d '\r' <"$1" | awk '/^\[/ { keep = ($0 ~ /^\[(Program|UNINS|Folders|Registry)\]$/) } keep'
}
export -f basic_sections
check "uninstall.cfg entry by entry" bash -c "diff <(printf '%s\n' '$expected') <(basic_sections '$D/uninstall.cfg') >&2"
check "uninstall.cfg names the files the install created" bash -c \
  "tr -d '\r' < '$D/uninstall.cfg' | sed -n '/^\[Created\]/,/^\[/p' | grep -qxF 'C:\FullProd\prog.exe='"
key='HKLM\Software\Microsoft\Windows\currentversion\uninstall\Zel Full Product'
check "DisplayName" bash -c ". '$ROOT/scripts/wine-lib.sh'; zel_wine reg query '$key' /v DisplayName 2>/dev/null | grep -q 'REG_SZ *Zel Full Product'"
check "UninstallString" bash -c ". '$ROOT/scripts/wine-lib.sh'; zel_wine reg query '$key' /v UninstallString 2>/dev/null | grep -qF 'C:\\FullProd\\uninstaller.exe Zel Full Product'"

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
check "completed install: status 0" exit_status_is 0
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
check "stopped install: status 2 (failed)" exit_status_is 2
check "no restart after a failed install" watched "no end-session"
check "no product file after the failure" test ! -e "$C/FailProd/data.txt"

pkg=$(make_package closebox "$(restart_cfg CloseProd)" data.txt)
start_setup "$pkg"
zt close "$SETUP"
check "close box ends the setup" finish
check "close box: status 1 (cancelled)" exit_status_is 1

wizard_finish
