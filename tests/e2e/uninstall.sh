#!/usr/bin/env bash
# The kit's uninstaller, run as "Add/Remove Programs" runs it: the
# UninstallString read from the registry, once through its windows (question,
# progress, final message) and once silently with /S. Each time the prefix is
# snapshot before the install (every file with size and hash, regedit /E of
# HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER) and compared after the removal:
# everything is as before except the documented leftovers: the system file
# that was there before keeps the install's content, autoexec.zel holds the
# backup of autoexec.bat (which has its own lines again), win.ini keeps the
# user's values (only the installed value is gone), the user's file in the
# install folder stays with the folder, and the uninstaller's temporary copy
# waits in the temporary folder for the next restart (registered in
# PendingFileRenameOperations). The silent round removes a product installed
# twice (a repair): everything of it goes all the same.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
wine "$E2E_ZELTEST" list >/dev/null 2>&1 </dev/null
uninstaller_exe="$(dirname "$E2E_INSTALL")/../uninstaller/uninstaller.exe"
[ -f "$uninstaller_exe" ] || { e2e_fail "uninstaller.exe is built ($uninstaller_exe)"; e2e_finish; }

drive_c="$WINEPREFIX/drive_c"
windows="$drive_c/windows"
# <WINDOWS_SYSTEM> is the Windows folder's "System" (Wine keeps it beside system32).
system_dir="$windows/system"
dest="$drive_c/ZelUninstE2E"
title="Zel Uninstall E2E"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\$title"
shared="$system_dir/zelunshared.dll"

# The prefix is left as it was found: what this scenario made goes again.
saved="$E2E_WORK/saved"
mkdir -p "$saved"
for f in autoexec.bat autoexec.zel; do [ -e "$drive_c/$f" ] && mv "$drive_c/$f" "$saved/$f"; done
cp "$windows/win.ini" "$saved/win.ini" 2>/dev/null || : >"$saved/win.ini"
uninstall_cleanup() {
  rm -rf "$dest" "$shared" "$drive_c/autoexec.bat" "$drive_c/autoexec.zel"
  for f in autoexec.bat autoexec.zel; do [ -e "$saved/$f" ] && mv "$saved/$f" "$drive_c/$f"; done
  cp "$saved/win.ini" "$windows/win.ini"
  wine reg delete 'HKCU\Software\ZelUninstE2E' /f >/dev/null 2>&1 </dev/null
  wine reg delete 'HKCU\Control Panel\Desktop' /v ZelUninstE2E /f >/dev/null 2>&1 </dev/null
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 </dev/null
  e2e_cleanup
}
trap uninstall_cleanup EXIT

# What was there before: autoexec.bat with a line of its own, win.ini with a
# section of the user's, the system file, an existing registry key.
printf 'REM before\r\n' >"$drive_c/autoexec.bat"
printf '[ZelUninstE2E]\r\nUserValue=kept\r\n' >>"$windows/win.ini"
printf 'the version that was there\r\n' >"$shared"

package="$E2E_WORK/package"
mkdir -p "$package"
cp "$E2E_INSTALL" "$package/install.exe"
cp "$uninstaller_exe" "$package/uninstaller.exe"
printf 'MZ not really a program\r\n' >"$package/app.exe"
printf 'readme\r\n' >"$package/readme.txt"
printf 'the version of the product\r\n' >"$package/zelunshared.dll"
cat <<CFG | sed 's/$/\r/' >"$package/install.cfg"
[Setup - Main]
Header=$title
Install Dir=ZelUninstE2E
Folder=ZelUninstE2E
Show Re-Boot=0
[Directories]
Dir1=<INSTALLDIR>~
Dir2=<SUBDOCS><INSTALLDIR>~docs
Dir3=<WINDOWS_SYSTEM>~
[Files]
File1=app.exe~<INSTALLDIR>
File2=uninstaller.exe~<INSTALLDIR>
File3=readme.txt~<SUBDOCS><INSTALLDIR>
File4=zelunshared.dll~<WINDOWS_SYSTEM>~X
[Desktop]
Link1=ZelUninstApp~<INSTALLDIR>app.exe~~~<INSTALLDIR>app.exe~ZelUninstE2E
[INI - Setup]
Ini1=win.ini~ZelUninstE2E~Folder~<INSTALLDIR>
Ini2=<INSTALLDIR>prod.ini~Main~Data~<INSTALLDIR>docs
Reg1=Control Panel~Desktop~ZelUninstE2E~<INSTALLDIR>
Reg2=Software\ZelUninstE2E~Settings~Path~<INSTALLDIR>
[AUTOEXEC.BAT]
PATH=%PATH%;<INSTALLDIR>
CFG

# snapshot NAME: every file of drive C: (the temporary folders aside) with its
# size and hash, and both registry roots, into $E2E_WORK/NAME.*
snapshot() {
  (cd "$drive_c" && find . -type f ! -ipath './users/*/temp/*' ! -ipath './users/*/appdata/local/temp/*' \
     ! -ipath './windows/temp/*' -printf '%s %p\n' | sort -k2 |
     while read -r size path; do printf '%s %s %s\n' "$path" "$size" "$(sha1sum <"$path" | cut -c1-40)"; done) \
    >"$E2E_WORK/$1.files"
  local root
  for root in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
    wine regedit /E "$(e2e_winpath "$E2E_WORK/$1.$root.reg")" "$root" >/dev/null 2>&1 </dev/null
    # UTF-16 on Wine; one line per value, each under its key.
    iconv -f UTF-16LE -t UTF-8 "$E2E_WORK/$1.$root.reg" 2>/dev/null | tr -d '\r' |
      awk '/^\[/ { key = $0; next } NF { print key " " $0 }' >>"$E2E_WORK/$1.reg"
  done
}

# What changed in the registry, without what Wine itself keeps changing and
# the one documented change (the temporary copy waits for the restart).
# Wine's start-up also rewrites its device keys.
volatile='Session Manager|\\Wine\\|DynData|PerfLib|\\Explorer\\|MuiCache|LastWrite|\\Time Zones|Hardware|DEVICEMAP|\\DeviceClasses\\|\\Control\\Class\\|\\Control\\Video\\'
reg_changes() { diff <(grep -Ev "$volatile" "$E2E_WORK/$1.reg") <(grep -Ev "$volatile" "$E2E_WORK/$2.reg") | grep '^[<>]'; }
# What changed among the files, the documented leftovers aside.
file_changes() {
  diff "$E2E_WORK/$1.files" "$E2E_WORK/$2.files" | grep '^[<>]' |
    grep -Eiv "^[<>] \./(windows/system/zelunshared\.dll|autoexec\.zel|windows/win\.ini|ZelUninstE2E/docs/my notes\.txt) "
}

install_product() {
  rm -f "$E2E_WORK/install.rc"
  e2e_start_install "$(e2e_winpath "$package")"
  zeltest wait-window "ZEL32 - Setup" 60 >/dev/null || { e2e_fail "wizard shown"; return 1; }
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null
  zeltest click "ZEL32 - Setup" "&Next" 10 >/dev/null
  zeltest click "ZEL32 - Setup" "&Install" 10 >/dev/null
  # The system file was there: the user says Yes.
  zeltest msgbox-text 30 | grep -q "^text=File Already Exists (zelunshared.dll). Overwrite?" &&
    zeltest msgbox-answer Yes 10 >/dev/null
  e2e_wait_install_exit 90
  e2e_check "installed ($1)" test -f "$dest/app.exe" -a -f "$dest/uninstaller.exe"
}

# The command line "Add/Remove Programs" runs, read from the registry.
uninstall_string() {
  wine reg query "$uninstall_key" /v UninstallString 2>/dev/null </dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ[[:space:]]*//p'
}

check_after() {  # check_after SNAPSHOT-BEFORE SNAPSHOT-AFTER ROUND
  local changes
  changes="$(file_changes "$1" "$2")"
  e2e_check "$3: every file as before but the documented leftovers" test -z "$changes"
  [ -z "$changes" ] || printf '  %s\n' "$changes" | head -20
  changes="$(reg_changes "$1" "$2")"
  e2e_check "$3: the registry as before" test -z "$changes"
  [ -z "$changes" ] || printf '  %s\n' "$changes" | head -20
  e2e_check "$3: the system file that was there stays, with the new content" \
    grep -q "the version of the product" "$shared"
  e2e_check "$3: autoexec.bat has its own lines again" \
    test "$(tr -d '\r' <"$drive_c/autoexec.bat")" = "REM before"
  e2e_check "$3: autoexec.zel keeps the backup" grep -q "PATH=%PATH%" "$drive_c/autoexec.zel"
  e2e_check "$3: win.ini keeps the user's value" grep -q "^UserValue=kept" "$windows/win.ini"
  e2e_check "$3: the installed win.ini value is gone" bash -c "! grep -q '^Folder=C:' '$windows/win.ini'"
  e2e_check "$3: the user's file stays with its folder" test -f "$dest/docs/my notes.txt"
  e2e_check "$3: the product files are gone" test ! -e "$dest/app.exe" -a ! -e "$dest/uninstaller.exe" \
    -a ! -e "$dest/uninstall.cfg" -a ! -e "$dest/prod.ini" -a ! -e "$dest/install.exe"
  e2e_check "$3: the registration is gone" test -z "$(uninstall_string)"
}

# ---------------------------------------------------------------------------
echo "== install, then remove through the uninstaller's windows"
snapshot before
install_product first || e2e_finish
mkdir -p "$dest/docs" && printf 'mine\r\n' >"$dest/docs/my notes.txt"
command="$(uninstall_string)"
e2e_check "UninstallString names the uninstaller and the title" \
  test "$command" = "C:\\ZelUninstE2E\\uninstaller.exe $title"
# shellcheck disable=SC2086  # the command line is split as Windows splits it
( wine $command >/dev/null 2>&1 </dev/null; echo $? >"$E2E_WORK/uninstall.rc" ) &
E2E_PIDS+=($!)
question="$(zeltest msgbox-text 60)"
e2e_check "the question" grep -qxF "text=Remove $title and all of its components?" <<<"$question"
zeltest msgbox-answer Yes 10 >/dev/null
final="$(zeltest msgbox-text 60)"
e2e_check "the final message says it was removed" grep -q "text=$title has been removed from your computer" <<<"$final"
e2e_check "the final message names the user's file and why" grep -qF "my notes.txt: it was not installed by this setup" <<<"$final"
e2e_check "the final message names the system file that was there" grep -qi "zelunshared.dll: it was there before" <<<"$final"
zeltest msgbox-answer OK 10 >/dev/null
for _ in $(seq 1 "$(e2e_polls 100)"); do [ -f "$E2E_WORK/uninstall.rc" ] && break; sleep 0.2; done
e2e_check "exit status 3: something was left" test "$(cat "$E2E_WORK/uninstall.rc" 2>/dev/null)" = 3
# The temporary copy removes the original once it has ended.
for _ in $(seq 1 "$(e2e_polls 50)"); do [ -e "$dest/uninstaller.exe" ] || break; sleep 0.2; done
snapshot gui
check_after before gui "GUI"

# ---------------------------------------------------------------------------
echo "== install again and repair it by a second install, lose a file by hand, remove silently with /S"
install_product second || e2e_finish
# The repair finds every file, link and value of the product there already.
install_product repair || e2e_finish
e2e_check "the repair added its autoexec.bat block again" \
  test "$(grep -c "PATH=%PATH%" "$drive_c/autoexec.bat")" = 2
rm -f "$dest/docs/readme.txt"
command="$(uninstall_string)"
# shellcheck disable=SC2086
wine ${command%% *} /S ${command#* } >/dev/null 2>&1 </dev/null
rc=$?
e2e_check "/S: exit status 3 (the documented leftovers)" test "$rc" = 3
for _ in $(seq 1 "$(e2e_polls 50)"); do [ -e "$dest/uninstaller.exe" ] || break; sleep 0.2; done
log="$(find "$drive_c/users" "$windows/temp" -iname ZEL-uninstall.log 2>/dev/null | head -1)"
e2e_check "/S: the log lists the leftovers" grep -qF "left: C:\\ZelUninstE2E\\docs\\my notes.txt" "$log"
e2e_check "/S: the log gives the exit status" grep -q "exit status: 3" "$log"
snapshot silent
check_after before silent "/S"
e2e_finish
