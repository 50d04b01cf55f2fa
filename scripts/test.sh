#!/usr/bin/env bash
# The whole check: installs what is needed, builds the three trees and runs
# every test: native unit tests, the same under ASan+UBSan with short fuzzer
# runs, and the Windows build's tests and end-to-end scenarios under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" native asan win32
# shellcheck source=/dev/null
. "$root/scripts/xvfb.sh"
zel_start_xvfb >/dev/null
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
# A persistent wineserver, and Wine's own services started once with their
# output detached, so that no test waits for them to exit.
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
jobs="$(nproc)"
echo "== native unit tests"
ctest --test-dir "$root/build/native" -j "$jobs" --output-on-failure | tail -n 3
echo "== sanitizer build and fuzz targets"
ctest --test-dir "$root/build/asan" -j "$jobs" --output-on-failure | tail -n 3
echo "== Windows build under Wine"
ctest --test-dir "$root/build/win32" --output-on-failure
