#!/usr/bin/env bash
# The restart choice takes effect only after a completed installation:
# aborting the preparation and closing the wizard by its close box end the
# setup without a restart request; finishing the install with the choice
# selected asks Windows to restart.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

package="$E2E_WORK/package"
mkdir -p "$package"
# The install copies the setup program from the package into the destination.
cp "$1" "$package/install.exe"
echo "read me" >"$package/readme.txt"  # the product: one file
printf '[Setup - Main]\r\nHeader=Restart Check\r\nInstall Dir=RestartCheck\r\nFolder=\r\n[Directories]\r\n1=<INSTALLDIR>~\r\n' \
  >"$package/install.cfg"

# 1. Abort in the preparation window.
e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$package")"
zeltest surface-click "Preparing ZEL Setup" 20 20 20 >/dev/null || e2e_fail "click the preparation window"
box="$(zeltest msgbox-text 10)"
e2e_check "abort question" grep -qx "text=Abort Setup Process ?" <<<"$box"
zeltest msgbox-answer Abort 5 >/dev/null || e2e_fail "answer the abort question"
e2e_wait_install_exit 20
e2e_check "abort: no restart" e2e_no_restart_requested

# 2. The wizard's close box.
rm -f "$E2E_WORK/install.rc"
e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$package")"
zeltest wait-window "ZEL32 - Setup" 20 >/dev/null || e2e_fail "wizard shown"
zeltest close "ZEL32 - Setup" >/dev/null
e2e_wait_install_exit 20
e2e_check "close box: no restart" e2e_no_restart_requested

# 3. A completed installation with the restart choice.
rm -f "$E2E_WORK/install.rc"
e2e_watch_endsession
e2e_start_install "$(e2e_winpath "$package")"
zeltest click "ZEL32 - Setup" "&Next" 20 >/dev/null || e2e_fail "click Next"
zeltest click "ZEL32 - Setup" "&Next" >/dev/null || e2e_fail "click Next again"
zeltest click "ZEL32 - Setup" "&Install" >/dev/null || e2e_fail "click Install"
e2e_wait_install_exit 20
e2e_check "completed install: restart requested" e2e_restart_requested
e2e_finish
