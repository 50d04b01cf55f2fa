# Sourced by the end-to-end scenarios: runs install.exe under Wine on a
# virtual display and drives it with zeltest.
# Usage in a scenario: . lib.sh; e2e_init <install.exe> <zeltest.exe>
. "$(dirname "${BASH_SOURCE[0]}")/pack.bash"
set -u
e2e_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
e2e_root="$(cd "$e2e_here/../.." && pwd)"

e2e_init() {
  E2E_INSTALL="$1"
  E2E_ZELTEST="$2"
  export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  # shellcheck source=/dev/null
  . "$e2e_root/scripts/xvfb.sh"
  zel_start_xvfb >/dev/null
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # Wine's own services, started once here with their output detached.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  e2e_start_desktop "$E2E_ZELTEST"
  E2E_WORK="$(mktemp -d "${TMPDIR:-/tmp}/zel-e2e.XXXXXX")"
  E2E_FAILED=0
  E2E_PIDS=()
  trap e2e_cleanup EXIT
}

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_WORK"
}

# install.exe expands into a new folder of its own, "ZEL" and five more
# characters, below the system's temporary folder (the Windows folder's Temp
# when that fails). These list the folders it may use and the private
# folders that are there now.
e2e_temp_parents() {
  local d
  for d in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp "$WINEPREFIX"/drive_c/users/*/Temp \
           "$WINEPREFIX/drive_c/windows/temp"; do
    [ -d "$d" ] && printf '%s\n' "$d"
  done
}
e2e_private_tempdirs() {
  local d
  e2e_temp_parents | while read -r d; do find "$d" -mindepth 1 -maxdepth 1 -type d -name 'ZEL?????'; done
}
# Succeeds when no setup's private folder is left.
e2e_no_private_tempdir() { [ -z "$(e2e_private_tempdirs)" ]; }

# The Windows form of a host path (Wine maps / to drive Z:).
e2e_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The driver's output with its errors, through zel_wine (never a pipe).
zeltest() { zel_wine "$E2E_ZELTEST" "$@" 2>&1; }

# Starts install.exe in the background with the given arguments; its exit
# status goes to $E2E_WORK/install.rc when it ends.
e2e_start_install() {
  [ $# -gt 0 ] && e2e_pack_folder "$(e2e_host_folder "$1")"
  ( wine "$E2E_INSTALL" "$@" >/dev/null 2>&1 </dev/null; echo $? >"$E2E_WORK/install.rc" ) &
  E2E_PIDS+=($!)
}

# Watches for a restart request (a request to end the session) until
# e2e_restart_requested is asked; one watch at a time.
e2e_watch_endsession() {
  E2E_WATCH_LOG="$E2E_WORK/endsession.$RANDOM.log"
  ( wine "$E2E_ZELTEST" watch-endsession 120 >"$E2E_WATCH_LOG" 2>&1 </dev/null ) &
  E2E_WATCH_PID=$!
  E2E_PIDS+=($!)
  for _ in $(seq 1 100); do grep -q watching "$E2E_WATCH_LOG" 2>/dev/null && return 0; sleep 0.1; done
  e2e_fail "the restart watch did not start"
}
# Succeeds when the watch saw a restart request; ends the watch. Call after
# the program has ended (a request is delivered before ExitWindowsEx returns,
# the grace second covers Wine's helper process).
e2e_restart_requested() {
  sleep 1
  zeltest stop-watch >/dev/null
  wait "$E2E_WATCH_PID" 2>/dev/null
  grep -q "^end-session" "$E2E_WATCH_LOG"
}
e2e_no_restart_requested() { ! e2e_restart_requested; }

e2e_wait_install_exit() {
  zeltest wait-exit install.exe "${1:-20}" >/dev/null || { e2e_fail "install.exe did not end"; return 1; }
  for _ in $(seq 1 "$(e2e_polls 50)"); do [ -f "$E2E_WORK/install.rc" ] && return 0; sleep 0.1; done
}

# Polls of the scenarios themselves stretch as the driver's waits do
# (ZEL_TIMEOUT_SCALE, for Wine under a CPU emulator): e2e_polls N.
e2e_polls() { echo $(( $1 * ${ZEL_TIMEOUT_SCALE:-1} )); }

e2e_fail() { echo "FAIL: $*"; E2E_FAILED=1; }
e2e_pass() { echo "ok: $*"; }

# e2e_check "what" command...: runs the command, reports ok or FAIL.
e2e_check() {
  local what="$1"; shift
  if "$@"; then e2e_pass "$what"; else e2e_fail "$what"; fi
}

e2e_finish() {
  if [ "$E2E_FAILED" -ne 0 ]; then echo "scenario failed"; exit 1; fi
  echo "scenario passed"
}
