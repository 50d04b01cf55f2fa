#!/usr/bin/env bash
# A user starts the setup on a package folder: the background shows the
# configured heading, the stale temporary folder is cleared, preparation and
# the wizard follow (the wizard opens past its warning page); the user
# declines. The package folder keeps its files and Windows is not restarted.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

package="$E2E_WORK/package"
mkdir -p "$package"
cp "$1" "$package/install.exe"  # preparation copies the setup program from its folder
printf '[Setup - Main]\r\nHeader=E2E Product 1.0\r\nHeader Font Size=0x14\r\nShow Warning Screen=0\r\nShow Re-Boot=1\r\n' \
  >"$package/install.cfg"
echo "the user's own notes" >"$package/notes.txt"
mkdir -p "$E2E_TEMPDIR/left-over-folder"
echo stale >"$E2E_TEMPDIR/stale.txt"

e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$package")"

zeltest wait-window "ZEL 32Bit Installer" 20 >/dev/null || e2e_fail "background window"
background="$(zeltest text "ZEL 32Bit Installer")"
e2e_check "heading from install.cfg" grep -q "id=110 visible=1 enabled=1 text=E2E Product 1.0" <<<"$background"
e2e_check "image at the top right" grep -q "class=ZELPicture id=112 visible=1" <<<"$background"

e2e_check "preparation window shown" zeltest wait-window "Preparing ZEL Setup" 10
e2e_check "stale file cleared from TempDir" test ! -e "$E2E_TEMPDIR/stale.txt"
e2e_check "sub-folder of TempDir stays" test -d "$E2E_TEMPDIR/left-over-folder"

zeltest wait-window "ZEL32 - Setup" 15 >/dev/null || e2e_fail "wizard shown"
wizard="$(zeltest text "ZEL32 - Setup")"
e2e_check "wizard opens on the licence page" grep -q "id=1104 visible=1 enabled=1 text=Accept" <<<"$wizard"
e2e_check "Next waits for Accept or Decline" grep -q "id=206 visible=1 enabled=0 text=&Next" <<<"$wizard"

zeltest click "ZEL32 - Setup" "Decline" >/dev/null || e2e_fail "click Decline"
e2e_wait_install_exit 20
e2e_check "exit status 0" grep -qx 0 "$E2E_WORK/install.rc"
e2e_check "package folder keeps install.cfg" test -f "$package/install.cfg"
e2e_check "package folder keeps the user's file" grep -q "own notes" "$package/notes.txt"
e2e_check "TempDir files gone at the end" test -z "$(find "$E2E_TEMPDIR" -maxdepth 1 -type f 2>/dev/null)"
rmdir "$E2E_TEMPDIR/left-over-folder" "$E2E_TEMPDIR" 2>/dev/null
e2e_check "Decline does not restart Windows" e2e_no_restart_requested
e2e_finish
