#!/usr/bin/env bash
# A user without the rights to write the destination and the system folder
# (here made unwritable with the immutable flag, which even root obeys):
# Install tells plainly which places cannot be written and installs nothing;
# the wizard stays, and Cancel ends the setup.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
wine "$E2E_ZELTEST" list >/dev/null 2>&1 </dev/null

drive_c="$WINEPREFIX/drive_c"
locked="$drive_c/ZelLocked"
system="$drive_c/windows/system"
title="Zel No Rights"
rights_cleanup() {
  chattr -i "$locked" "$system" 2>/dev/null
  rm -rf "$locked"
  rm -f "$system/zelnorights.dll"
  e2e_cleanup
}
trap rights_cleanup EXIT
mkdir -p "$locked" "$system"
if ! chattr +i "$locked" "$system" 2>/dev/null; then
  echo "skipped: this file system has no immutable flag (chattr +i)"
  exit 0
fi

package="$E2E_WORK/package"
mkdir -p "$package"
cp "$E2E_INSTALL" "$package/install.exe"
printf 'MZ app\r\n' >"$package/app.exe"
printf 'MZ library\r\n' >"$package/zelnorights.dll"
cat <<CFG | sed 's/$/\r/' >"$package/install.cfg"
[Setup - Main]
Header=$title
Install Dir=ZelLocked\\Product
Folder=
Show Re-Boot=0
[Directories]
1=<INSTALLDIR>~
2=<WINDOWS_SYSTEM>~
[Files]
1=app.exe~<INSTALLDIR>
2=zelnorights.dll~<WINDOWS_SYSTEM>
CFG

e2e_start_install "$(e2e_winpath "$package")"
zeltest wait-window "ZEL32 - Setup" 120 >/dev/null || e2e_fail "wizard shown"
zeltest click "ZEL32 - Setup" "&Next" 30 >/dev/null || e2e_fail "Next to the destination"
zeltest click "ZEL32 - Setup" "&Next" 30 >/dev/null || e2e_fail "Next to the ready page"
zeltest click "ZEL32 - Setup" "&Install" 30 >/dev/null || e2e_fail "click Install"
box="$(zeltest msgbox-text 60)"
[ -n "${ZEL_E2E_SHOTS:-}" ] && import -window root -display "$DISPLAY" "$ZEL_E2E_SHOTS/no-rights.png"
e2e_check "the message says what cannot be written" grep -qF "text=Setup cannot write to:" <<<"$box"
e2e_check "the destination is named" grep -qF 'C:\ZelLocked\Product' <<<"$box"
e2e_check "the system folder is named" grep -qiF 'C:\windows\System' <<<"$box"
e2e_check "it says nothing was installed" grep -qF "Nothing has been installed." <<<"$box"
zeltest msgbox-answer OK 10 >/dev/null || e2e_fail "answer the message"
# The wizard stays where it was, its buttons still there.
page="$(zeltest text "ZEL32 - Setup" 10)"
e2e_check "the wizard stays with its Install button" grep -q "visible=1 enabled=1 text=&Install" <<<"$page"
zeltest click "ZEL32 - Setup" "&Cancel" 30 >/dev/null || e2e_fail "Cancel"
e2e_wait_install_exit 60
chattr -i "$locked" "$system"
e2e_check "no destination made" test ! -e "$locked/Product"
e2e_check "nothing in the system folder" test ! -e "$system/zelnorights.dll"
e2e_check "no probe file left behind" bash -c "! ls -a '$system' '$locked' | grep -qi zelprb"
e2e_check "no uninstall record" test ! -e "$locked/Product/uninstall.cfg"
e2e_finish
