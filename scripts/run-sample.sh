#!/usr/bin/env bash
# The main job's run: starts install.exe under Wine on the sample package in
# examples/basic, walks through the setup with the test driver and prints
# what happened at each stage.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/win32"
install_exe="$build/src/app/install.exe"
zeltest_exe="$build/tools/testdriver/zeltest.exe"
package="$root/examples/basic"
for f in "$install_exe" "$zeltest_exe"; do
  [ -f "$f" ] || { echo "missing $f: build the win32 tree first (scripts/build.sh win32)" >&2; exit 1; }
done

export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# shellcheck source=/dev/null
. "$root/scripts/xvfb.sh"
display="$(zel_start_xvfb)"
[ -f "$WINEPREFIX/system.reg" ] || { echo "creating the Wine prefix $WINEPREFIX ..."; wineboot -i >/dev/null 2>&1 </dev/null; }
wineserver -p >/dev/null 2>&1 </dev/null || true
# Wine's own services, started once here with their output detached.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

# Output goes through a file, not a pipe: a Wine service started by this call
# would otherwise inherit the pipe and keep the reader waiting.
zeltest() {
  local out rc
  out="$(mktemp)"
  wine "$zeltest_exe" "$@" >"$out" 2>&1 </dev/null
  rc=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $rc
}
temp_dir="$WINEPREFIX/drive_c/windows/temp/q"
package_win="Z:${package//\//\\}"
status=0
step() { printf '%-34s %s\n' "$1" "$2"; }

echo "ZEL Setup sample run (display $display, prefix $WINEPREFIX)"
step "package folder:" "$package_win"
rc_file="$(mktemp)"
( wine "$install_exe" "$package_win" >/dev/null 2>&1 </dev/null; echo $? >"$rc_file" ) &

if zeltest wait-window "ZEL 32Bit Installer" 30 >/dev/null; then
  step "background window:" "shown"
  zeltest text "ZEL 32Bit Installer" | sed -n 's/.*id=110 .*text=/heading: /p; s/.*id=111 .*text=/second heading: /p' |
    while read -r line; do step "" "$line"; done
  if command -v import >/dev/null; then
    sleep 0.5
    import -window root -display "$display" "$build/sample-background.png" 2>/dev/null &&
      step "screenshot:" "$build/sample-background.png"
  fi
else
  step "background window:" "NOT shown"; status=1
fi
if zeltest wait-window "Preparing ZEL Setup" 15 >/dev/null; then
  step "preparation window:" "shown"
else
  step "preparation window:" "NOT shown"; status=1
fi
if zeltest wait-window "ZEL32 - Setup" 60 >/dev/null; then
  step "wizard:" "shown"
  zeltest text "ZEL32 - Setup" | sed -n 's/.*id=201 .*text=//p' | while read -r line; do step "" "$line"; done
  zeltest click "ZEL32 - Setup" "&Install" >/dev/null && step "wizard:" "Install pressed"
else
  step "wizard:" "NOT shown"; status=1
fi
if zeltest wait-exit install.exe 60 >/dev/null; then
  for _ in $(seq 1 50); do [ -s "$rc_file" ] && break; sleep 0.1; done
  step "install.exe ended, exit status:" "$(cat "$rc_file")"
else
  step "install.exe:" "still running after 60 s"; status=1
fi
if [ -d "$temp_dir" ] && [ -n "$(find "$temp_dir" -maxdepth 1 -type f)" ]; then
  step "temporary folder:" "files left in $temp_dir"; status=1
else
  step "temporary folder:" "cleared"
fi
[ -f "$package/install.cfg" ] && step "package folder:" "intact" || { step "package folder:" "install.cfg MISSING"; status=1; }
rm -f "$rc_file"
[ "$status" -eq 0 ] && echo "sample run: OK" || echo "sample run: FAILED"
exit "$status"
