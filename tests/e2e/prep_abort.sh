#!/usr/bin/env bash
# The user clicks the preparation window as the package starts expanding and
# chooses Abort: the program ends without the wizard, nothing is installed
# and Windows is not restarted.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 1440000 3000000 2000000   # big enough to take a while
rm -rf "$prep_install_dir"

e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$E2E_WORK/pkg/disks")"
zeltest wait-window "Preparing ZEL Setup" 20 >/dev/null || e2e_fail "preparation window"
zeltest surface-click "Preparing ZEL Setup" 5 5 >/dev/null
box="$(zeltest msgbox-text 10)"
e2e_check "abort question" grep -qx "text=Abort Setup Process ?" <<<"$box"
e2e_check "its buttons are No and Abort" test "$(grep -c '^button=' <<<"$box")" = 2 -a \
  -n "$(grep -x 'button=&No' <<<"$box")" -a -n "$(grep -x 'button=&Abort' <<<"$box")"
zeltest msgbox-answer Abort 10 >/dev/null || e2e_fail "answer Abort"
e2e_check "wizard never shown" prep_no_wizard
e2e_wait_install_exit 60
e2e_check "nothing installed" test ! -e "$prep_install_dir"
e2e_check "TempDir empty afterwards" prep_tempdir_empty
e2e_check "abort does not restart Windows" e2e_no_restart_requested
e2e_finish
