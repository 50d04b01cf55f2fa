#!/usr/bin/env bash
# A damaged segment file: the setup says "Error Expanding Files!!" with the
# reason below it, never shows the wizard, installs nothing, ends with status
# 2 and does not restart Windows.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 200000 300000 200000
# The second segment's identification header is destroyed.
printf 'XXXX' | dd of="$E2E_WORK/pkg/disks/disk.002" bs=1 seek=0 conv=notrunc 2>/dev/null
rm -rf "$prep_install_dir"

e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$E2E_WORK/pkg/disks")"
box="$(zeltest msgbox-text 90)"
e2e_check "error box" grep -qx "text=Error Expanding Files!!" <<<"$box"
e2e_check "the reason below it" grep -qx "(TSegCompress) Stream open failed" <<<"$box"
zeltest msgbox-answer OK >/dev/null
e2e_check "wizard never shown" prep_no_wizard
e2e_wait_install_exit 30
e2e_check "exit status 2 (failed)" grep -qx 2 "$E2E_WORK/install.rc"
e2e_check "nothing installed" test ! -e "$prep_install_dir"
e2e_check "TempDir removed afterwards" prep_tempdir_empty
e2e_check "no restart" e2e_no_restart_requested
e2e_finish
