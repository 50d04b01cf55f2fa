#!/usr/bin/env bash
# The whole check: installs what is needed, builds the three trees and runs
# every test: native unit tests, the same under ASan+UBSan with short fuzzer
# runs, and the Windows build's tests and end-to-end scenarios under Wine.
# Every tree runs even when an earlier one fails; the last line is ctest's
# summary of the Windows tree, the exit status is non-zero when any failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" native asan win32
# shellcheck source=/dev/null
. "$root/scripts/xvfb.sh"
zel_start_xvfb >/dev/null
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG=-all
# shellcheck source=/dev/null
. "$root/scripts/wine-gate.sh"
wine_usable=1
zel_wine_usable || wine_usable=0
if [ "$wine_usable" = 1 ]; then
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
  # A persistent wineserver, and Wine's own services started once with their
  # output detached, so that no test waits for them to exit.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  # The desktop process too: Wine starts it with the first program that opens a
  # window and hands it that program's output, which would keep a test's pipe open.
  wine "$root/build/win32/tools/testdriver/zeltest.exe" list >/dev/null 2>&1 </dev/null || true
fi
jobs="$(nproc)"
logs="$root/build/test-logs"
mkdir -p "$logs"
failed=0

# run_tree <title> <tree> [ctest options]: the tree's tests; failures in full,
# then ctest's summary line.
run_tree() {
  local title="$1" tree="$2"
  shift 2
  echo "== $title"
  local log="$logs/$tree.log" rc=0
  ctest --test-dir "$root/build/$tree" --output-on-failure "$@" >"$log" 2>&1 || rc=$?
  if [ "$rc" -ne 0 ]; then
    failed=1
    sed -n '/The following tests FAILED/,$p' "$log"
    grep -E "^(FAIL|\[  FAILED  \])" "$log" | head -n 50 || true
  fi
  # Tests that could not run on this machine are named, never counted as passed.
  local skipped
  skipped="$(grep -cE '\(Skipped\)$' "$log" || true)"
  if [ "$skipped" -gt 0 ]; then
    echo "$skipped test(s) did not run here:"
    grep -E '\(Skipped\)$' "$log" | sed 's/^[[:space:]]*/  /'
  fi
  grep -E "tests passed, .* failed out of" "$log" | tail -n 1 || { echo "ctest did not run ($log)"; failed=1; }
}

run_tree "native unit tests" native -j "$jobs"
run_tree "sanitizer build and fuzz targets" asan -j "$jobs"
if [ "$wine_usable" = 1 ]; then
  # A budget for the whole Windows tree, so that scenarios that each wait out
  # their own timeout still end in a summary of what failed.
  run_tree "Windows build under Wine (unit tests and end-to-end scenarios)" win32 \
    --stop-time "$(date -d "+${ZEL_WINE_MINUTES:-40} minutes" '+%H:%M:%S')"
else
  # Only what runs without Wine (the program's size and imports); the summary
  # line counts only the tests that ran.
  echo "== Windows build: $(ctest --test-dir "$root/build/win32" -N -L wine | grep -c 'Test *#') tests need Wine and did not run"
  zel_wine_unusable_reason
  run_tree "Windows build without Wine (size and import checks)" win32 -LE wine
fi
exit "$failed"
