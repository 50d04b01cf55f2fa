#!/usr/bin/env bash
# Started with a folder that does not exist: the input/output error is shown,
# start-up stops (no preparation, no private temporary folder); a double click on the
# picture ends the setup without restarting Windows and without deleting
# anything.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

e2e_private_tempdirs | while read -r d; do rm -rf "$d"; done
e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$E2E_WORK/no such folder")"

box="$(zeltest msgbox-text 20)"
e2e_check "error box titled with the application title" grep -qx "caption=ZEL - Setup" <<<"$box"
e2e_check "input/output error text" grep -q "^text=I/O error [0-9]" <<<"$box"
zeltest msgbox-answer OK 5 >/dev/null || e2e_fail "answer the error box"

sleep 2
e2e_check "no preparation window" bash -c "! wine '$E2E_ZELTEST' wait-window 'Preparing ZEL Setup' 1 >/dev/null 2>&1"
e2e_check "background still there" zeltest wait-window "ZEL 32Bit Installer" 5
e2e_check "no TempDir created" e2e_no_private_tempdir

zeltest dblclick "ZEL 32Bit Installer" "#112" >/dev/null || e2e_fail "double click the picture"
e2e_wait_install_exit 20
e2e_check "exit status 0" grep -qx 0 "$E2E_WORK/install.rc"
e2e_check "still no TempDir" e2e_no_private_tempdir
e2e_check "closing after a failed start does not restart Windows" e2e_no_restart_requested
e2e_finish
