#!/usr/bin/env bash
# A user starts the setup on a package folder: the background shows the
# configured heading, preparation expands into a new private folder (files an
# earlier setup or anybody else left in the temporary folders stay as they
# are and are not used), the wizard follows (past its warning page); the user
# declines. The package folder keeps its files, the private folder is gone
# and Windows is not restarted.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

package="$E2E_WORK/package"
mkdir -p "$package"
cp "$1" "$package/install.exe"  # preparation copies the setup program from its folder
printf '[Setup - Main]\r\nHeader=E2E Product 1.0\r\nHeader Font Size=0x14\r\nShow Warning Screen=0\r\nShow Re-Boot=1\r\n' \
  >"$package/install.cfg"
echo "the user's own notes" >"$package/notes.txt"
old_place="$WINEPREFIX/drive_c/windows/temp/q"
mkdir -p "$old_place/left-over-folder"
echo stale >"$old_place/stale.txt"
e2e_temp_parents | while read -r d; do echo "not ours" >"$d/notes.txt"; done
e2e_private_tempdirs | while read -r d; do rm -rf "$d"; done

e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$package")"

zeltest wait-window "ZEL 32Bit Installer" 20 >/dev/null || e2e_fail "background window"
background="$(zeltest text "ZEL 32Bit Installer")"
e2e_check "heading from install.cfg" grep -q "id=110 visible=1 enabled=1 text=E2E Product 1.0" <<<"$background"
e2e_check "image at the top right" grep -q "class=ZELPicture id=112 visible=1" <<<"$background"

e2e_check "preparation window shown" zeltest wait-window "Preparing ZEL Setup" 10
e2e_check "one private folder" test "$(e2e_private_tempdirs | wc -l)" = 1

zeltest wait-window "ZEL32 - Setup" 15 >/dev/null || e2e_fail "wizard shown"
wizard="$(zeltest text "ZEL32 - Setup")"
e2e_check "wizard opens on the licence page" grep -q "id=1104 visible=1 enabled=1 text=Accept" <<<"$wizard"
e2e_check "Next waits for Accept or Decline" grep -q "id=206 visible=1 enabled=0 text=&Next" <<<"$wizard"

zeltest click "ZEL32 - Setup" "Decline" >/dev/null || e2e_fail "click Decline"
e2e_wait_install_exit 20
e2e_check "exit status 0" grep -qx 0 "$E2E_WORK/install.rc"
e2e_check "package folder keeps install.cfg" test -f "$package/install.cfg"
e2e_check "package folder keeps the user's file" grep -q "own notes" "$package/notes.txt"
e2e_check "private folder gone at the end" e2e_no_private_tempdir
e2e_check "an earlier setup's folder is left alone" test -f "$old_place/stale.txt" -a -d "$old_place/left-over-folder"
others_stay() {
  local d
  while read -r d; do grep -qx "not ours" "$d/notes.txt" || return 1; done < <(e2e_temp_parents)
}
e2e_check "files of others in the temporary folders stay" others_stay
rm -rf "$old_place"
e2e_temp_parents | while read -r d; do rm -f "$d/notes.txt"; done
e2e_check "Decline does not restart Windows" e2e_no_restart_requested
e2e_finish
