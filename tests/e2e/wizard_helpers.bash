# Sourced by the wizard and install scenarios: a user session with the real
# wizard, driven by zeltest.
#   wizard_init <install.exe> <zeltest.exe>
# Needs WINEPREFIX (a win32 prefix) and ZEL_XVFB_DISPLAY; screenshots land in
# $ZEL_E2E_SHOTS when set. A scenario ends with wizard_finish, whose exit
# status is the number of failed checks.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/pack.bash"
INSTALL_EXE=$(cd "$(dirname "${1:?install.exe}")" && pwd)/$(basename "$1")
ZELTEST_EXE=$(cd "$(dirname "${2:?zeltest.exe}")" && pwd)/$(basename "$2")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zel-wizard-e2e.XXXXXX")
SHOTS=${ZEL_E2E_SHOTS:-$WORK}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-zel}" WINEARCH=win32 WINEDEBUG=-all
source "$ROOT/scripts/xvfb.sh"
zel_start_xvfb >/dev/null
C="$WINEPREFIX/drive_c"
WIN="$C/windows"
SETUP="ZEL32 - Setup"
failures=0
started=()
# A setup left open by a failed check would stand in the next scenario's way.
# A setup runs in a subshell that notes its status: the setup goes first.
stop_started() {
  local pid
  for pid in "${started[@]}"; do pkill -P "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
}
trap stop_started EXIT
e2e_start_desktop "$ZELTEST_EXE"

mkdir -p "$SHOTS"
i686-w64-mingw32-gcc -O2 -mwindows -s -o "$WORK/prog.exe" "$HERE/marker_program.c" || exit 99

zt() { zel_wine "$ZELTEST_EXE" "$@"; }
msgbox_is() { zt msgbox-text 20 | grep -qxF -- "text=$1"; }
msgbox_has() { zt msgbox-text 20 | grep -qF -- "$1"; }
window_has() { zt text "$1" | grep -qF -- "$2"; }
check() {  # check <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
shot() { sleep 0.6; import -window root -display "$DISPLAY" "$SHOTS/$1.png"; }
# The visible controls of the wizard, one per line.
controls() { zt text "$SETUP" | grep 'visible=1' | sed 's/^ *//'; }
has() { controls | grep -qxF -- "$1"; }
lacks() { ! controls | grep -q -- "$1"; }

# make_package <name> <install.cfg text> [files...]: a plain setup folder.
make_package() {
  local dir="$WORK/$1"; mkdir -p "$dir"
  cp "$INSTALL_EXE" "$dir/"
  printf '%s\n' "$2" | sed 's/$/\r/' > "$dir/install.cfg"
  shift 2
  for f in "$@"; do
    case $f in
      prog.exe) cp "$WORK/prog.exe" "$dir/" ;;
      *) echo "content of $f" > "$dir/$f" ;;
    esac
  done
  echo "$dir"
}
start_setup() {  # start_setup <package dir>; the exit status goes to $WORK/install.rc
  e2e_pack_folder "$1"
  rm -f "$WORK/install.rc"
  ( wine "$INSTALL_EXE" "Z:$(echo "$1" | tr / '\\')" >/dev/null 2>&1; echo $? > "$WORK/install.rc" ) &
  started+=($!)
  zt wait-window "$SETUP" 40
}
finish() { zt wait-exit install.exe 30; }
# exit_status_is <n>: the setup started last ended with status n.
exit_status_is() {
  for _ in $(seq 1 50); do [ -f "$WORK/install.rc" ] && break; sleep 0.1; done
  [ "$(cat "$WORK/install.rc" 2>/dev/null)" = "$1" ]
}
crlf() { tr -d '\r' < "$1"; }

# Leftovers of an earlier run would make the checks meaningless.
rm -rf "$C/AAA Walk Target" "$C/FullProd" "$C/NetProd" "$C/Program Files/WalkProd" \
  "$WIN/system/zelfull.dll" "$C/Program Files/zelfull.dat" "$WIN/noinst.txt"
for title in "Zel Full Product" "Zel Net Product"; do
  wine reg delete "HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\$title" /f >/dev/null 2>&1
done

wizard_finish() {
  echo "failures: $failures"
  rm -rf "$WORK/"*/ 2>/dev/null
  exit "$failures"
}
