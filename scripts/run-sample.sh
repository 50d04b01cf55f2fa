#!/usr/bin/env bash
# Packs the sample product of examples/sample into floppy-sized segment files
# (disk.001, disk.002, ...) and runs the whole setup on them under Wine: in a
# visible window when a DISPLAY is available (you click through the wizard),
# otherwise on a virtual display with the test driver clicking through.
# Ends by printing where the product was installed.
# Environment: WINEPREFIX (default ~/.wine-zel), ZEL_BUILD (default build/win32).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEL_BUILD:-$root/build/win32}"
install_exe="$build/src/app/install.exe"
zelpack="$build/tools/zelpack/zelpack.exe"
zeltest_exe="$build/tools/testdriver/zeltest.exe"
for f in "$install_exe" "$zelpack" "$zeltest_exe"; do
  [ -f "$f" ] || { echo "missing $f: build the Windows tree first (scripts/build.sh win32)" >&2; exit 1; }
done
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

work="$root/build/sample"
rm -rf "$work"
mkdir -p "$work/product" "$work/disks"
bash "$root/examples/sample/make-product.sh" "$work/product"
files=()
while read -r f; do files+=("$(winpath "$work/product/$f")"); done < <(
  sed -n '/^\[Files\]/,/^\[/p' "$work/product/install.cfg" | sed -n 's/^[^=]*=\([^~]*\)~.*/\1/p' | tr -d '\r')

interactive=1
if [ -z "${DISPLAY:-}" ]; then
  interactive=0
  # shellcheck source=/dev/null
  . "$root/scripts/xvfb.sh"
  zel_start_xvfb >/dev/null
fi
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null || true

wine "$zelpack" pack --segment-size 1440000 --base disk "$(winpath "$work/disks")" "${files[@]}" \
  </dev/null | tr -d '\r'
cp "$install_exe" "$work/product/install.cfg" "$work/disks/"
echo "setup package: $work/disks ($(cd "$work/disks" && ls disk.* | tr '\n' ' '))"

zeltest() { wine "$zeltest_exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

if [ "$interactive" = 1 ]; then
  echo "running the setup on $DISPLAY; click through the wizard"
  wine "$work/disks/install.exe" "$(winpath "$work/disks")" </dev/null || true
else
  echo "running the setup on the virtual display $DISPLAY with the test driver"
  ( wine "$work/disks/install.exe" "$(winpath "$work/disks")" >/dev/null 2>&1 </dev/null ) &
  zeltest wait-window "ZEL32 - Setup" 120 >/dev/null || { echo "the wizard did not appear" >&2; exit 1; }
  # Next through the pages, Accept the licence, choose the full install and
  # Install; the first visible one of these buttons is pressed each time.
  for _ in $(seq 1 25); do
    page="$(zeltest text "ZEL32 - Setup" 1)" || break
    for choice in "Full" "Return to Windows"; do
      line="$(grep -E "class=Button .*visible=1 enabled=1 text=&?$choice" <<<"$page" | head -1 || true)"
      [ -n "$line" ] && zeltest click "ZEL32 - Setup" "${line##*text=}" >/dev/null
    done
    pressed=0
    for button in Install Accept Next; do
      if grep -Eq "visible=1 enabled=1 text=&?$button( >)?\$" <<<"$page"; then
        zeltest click "ZEL32 - Setup" "$button" >/dev/null; pressed=1; break
      fi
    done
    [ "$pressed" = 1 ] || { echo "no way on from the wizard page:" >&2; echo "$page" >&2; exit 1; }
    [ "$button" = Install ] && break
    sleep 0.5
  done
  zeltest wait-exit install.exe 120 >/dev/null || { echo "the setup did not end" >&2; exit 1; }
fi

target="$WINEPREFIX/drive_c/Program Files/Sample Product"
if [ -f "$target/hello.exe" ]; then
  echo "The sample product was installed into C:\\Program Files\\Sample Product"
  echo "(on this machine: $target)"
else
  echo "The sample product was not installed (the setup was cancelled or failed)." >&2
  exit 1
fi
