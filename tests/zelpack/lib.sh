# Sourced by the zelpack command-line tests: a scratch folder, checks that
# print ok:/FAIL: lines, and a small product with its install script.
set -uo pipefail
ZELPACK=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelpack-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export TMPDIR="$WORK"  # zelpack's scratch files stay in here
failures=0

ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}
# quiet COMMAND...: the command with its output dropped (for check).
quiet() { "$@" >/dev/null; }
finish() {
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
}

# random_file PATH BYTES: bytes that do not compress.
random_file() { head -c "$2" /dev/urandom >"$1"; }

# make_product DIR: a product folder with its install.cfg, and a stand-in for
# install.exe of the real size in DIR/../setup/install.exe.
make_product() {
  local dir=$1
  mkdir -p "$dir/docs" "$dir/../setup"
  random_file "$dir/prog.exe" 300000
  random_file "$dir/data.bin" 900000
  seq 1 20000 >"$dir/docs/readme.txt"
  printf 'Terms\r\nof use\r\n' >"$dir/license.txt"
  : >"$dir/empty.ini"
  random_file "$dir/../setup/install.exe" 261632
  cat >"$dir/install.cfg" <<'CFG'
[Setup - Main]
Install Dir=Test Product
Launch=<INSTALLDIR>prog.exe
[Directories]
Main=<INSTALLDIR>~
Docs=<SUBDOCS><INSTALLDIR>~docs
[Files]
F0=prog.exe~<INSTALLDIR>
F1=data.bin~<INSTALLDIR>
F2=docs\readme.txt~<SUBDOCS><INSTALLDIR>
F3=empty.ini~<INSTALLDIR>
[AUTOEXEC.BAT]
SET TESTPRODUCT=<INSTALLDIR>
CFG
}
