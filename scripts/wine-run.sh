#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, headless: used by ctest as the
# cross-compiling emulator and by the scripts.
set -u
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=/dev/null
. "$here/wine-gate.sh"
if ! zel_wine_usable; then
  zel_wine_unusable_reason >&2
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=/dev/null
  . "$here/xvfb.sh"
  zel_start_xvfb >/dev/null
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 </dev/null || true
fi
# Keep Wine's server and services alive with their output detached, so that a
# caller reading this program's output does not wait for them.
if ! pgrep -x wineserver >/dev/null 2>&1; then
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
fi
exec wine "$@"
