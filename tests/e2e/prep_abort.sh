#!/usr/bin/env bash
# While the package is expanding the user presses Esc, then the window's
# close command, then clicks the window: each asks "Abort Setup Process ?"
# (No and Abort). No lets the preparation go on; Abort ends the program with
# status 1 without the wizard, nothing is installed, the private temporary
# folder is removed and Windows is not restarted.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
. "$(dirname "$0")/prep_lib.bash"

prep_package "$E2E_WORK/pkg" 1440000 6000000 4000000   # big enough to take a while
rm -rf "$prep_install_dir"
window="Preparing ZEL Setup"

abort_question() {  # abort_question <what was done>
  local box
  box="$(zeltest msgbox-text 10)"
  e2e_check "$1 asks the abort question" grep -qx "text=Abort Setup Process ?" <<<"$box"
  e2e_check "$1: its buttons are No and Abort" test "$(grep -c '^button=' <<<"$box")" = 2 -a \
    -n "$(grep -x 'button=&No' <<<"$box")" -a -n "$(grep -x 'button=&Abort' <<<"$box")"
}

e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$E2E_WORK/pkg/disks")"
zeltest wait-window "$window" 20 >/dev/null || e2e_fail "preparation window"
zeltest key "$window" esc >/dev/null
abort_question "Esc"
zeltest msgbox-answer No 10 >/dev/null || e2e_fail "answer No"
e2e_check "No: the preparation goes on" zeltest wait-window "$window" 2
zeltest close "$window" >/dev/null
abort_question "The close command"
zeltest msgbox-answer No 10 >/dev/null || e2e_fail "answer No"
zeltest surface-click "$window" 5 5 >/dev/null
abort_question "A click"
zeltest msgbox-answer Abort 10 >/dev/null || e2e_fail "answer Abort"
e2e_check "wizard never shown" prep_no_wizard
e2e_wait_install_exit 60
e2e_check "exit status 1 (aborted)" grep -qx 1 "$E2E_WORK/install.rc"
e2e_check "nothing installed" test ! -e "$prep_install_dir"
e2e_check "TempDir removed afterwards" prep_tempdir_empty
e2e_check "abort does not restart Windows" e2e_no_restart_requested
e2e_finish
