#!/usr/bin/env bash
# zelpack make given a hostile install script: names that leave the product
# folder (../, absolute, drive, network, device) and folders that leave the
# installation are refused with their lines and exit status 1; nothing is
# written, and the files beside the product and the output folder (sentinels)
# stay as they were. An output folder holding files make did not write is
# refused without touching them. --from reads the product from another
# folder than the script's.
. "$(dirname "$0")/lib.sh"
area="$WORK/area"
make_product "$area/product"
setup="$area/setup/install.exe"
good=$(cat "$area/product/install.cfg")
printf 'sentinel beside the product\n' >"$area/sentinel.txt"
printf 'sentinel beside the output\n' >"$WORK/sentinel-out.txt"
abs_probe="$area/sentinel.txt"  # absolute: WORK is

# Every file below WORK with its size and checksum (the scratch folders that
# zelpack makes in WORK must be gone again).
snapshot() { (cd "$WORK" && find . -path ./stdout -prune -o -path ./stderr -prune -o -type f -print0 |
  sort -z | xargs -0 md5sum; find . -type d | sort); }
before=$(snapshot)

# refused NAME LINE-TEXT SED-EXPRESSION: the script changed by the sed
# expression stops make with the line text and exit status 1, writing nothing.
refused() {
  local name=$1 expected=$2 edit=$3 rc=0
  sed "$edit" <<<"$good" >"$area/product/install.cfg"
  (cd "$area/product" && "$ZELPACK" make install.cfg "$WORK/out" --setup-exe "$setup" --images) \
    >"$WORK/stdout" 2>"$WORK/stderr" || rc=$?
  printf '%s\n' "$good" >"$area/product/install.cfg"
  check "$name: exit status 1" test "$rc" = 1
  check "$name: \"$expected\"" grep -qF -- "$expected" "$WORK/stderr"
  grep -qF -- "$expected" "$WORK/stderr" || cat "$WORK/stderr"
  check "$name: no output folder" test ! -e "$WORK/out"
  check "$name: everything beside it as it was" test "$(snapshot)" = "$before"
}
refused "file up and out" 'install.cfg:9: error: the file name "../sentinel.txt" has a "." or ".." part' \
  's|^F1=data.bin|F1=../sentinel.txt|'
refused "file up and out, backslashes" 'install.cfg:9: error: the file name "docs\..\..\sentinel.txt" has a' \
  's|^F1=data.bin|F1=docs\\..\\..\\sentinel.txt|'
refused "absolute POSIX path" "install.cfg:9: error: the file name \"$abs_probe\" names a drive, a root folder" \
  "s|^F1=data.bin|F1=$abs_probe|"
refused "root folder" 'install.cfg:9: error: the file name "\sentinel.txt" names a drive, a root folder' \
  's|^F1=data.bin|F1=\\sentinel.txt|'
refused "drive" 'install.cfg:9: error: the file name "C:\Windows\win.ini" names a drive, a root folder' \
  's|^F1=data.bin|F1=C:\\Windows\\win.ini|'
refused "network path" 'install.cfg:9: error: the file name "\\server\share\x.txt" names a drive, a root folder' \
  's|^F1=data.bin|F1=\\\\server\\share\\x.txt|'
refused "device" 'install.cfg:9: error: the file name "COM1.txt" names a device' 's|^F1=data.bin|F1=COM1.txt|'
refused "work station file up and out" 'install.cfg:15: error: the file name "..\sentinel.txt" has a' \
  '$a [WorkStation]\nW=..\\sentinel.txt~<INSTALLDIR>~X'
refused "sub folder leaving the installation" 'install.cfg:6: error: the folder "..\..\Windows" of <SUBDOCS><INSTALLDIR>' \
  's|^Docs=<SUBDOCS><INSTALLDIR>~docs|Docs=<SUBDOCS><INSTALLDIR>~..\\..\\Windows|'
refused "folder below the root given as absolute" 'install.cfg:7: error: the folder "C:\Windows" of <ALTWIN>' \
  's|^\[Files\]|Alt=<ALTWIN>~C:\\Windows\n[Files]|'
refused "picture from outside" 'install.cfg:4: error: the picture name "..\sentinel.txt"' \
  's|^Launch=.*|&\nBitmap File=..\\sentinel.txt|'

# An output folder that holds what make did not write: refused, kept.
mkdir -p "$WORK/out"
printf 'mine\n' >"$WORK/out/notes.txt"
rc=0; "$ZELPACK" make "$area/product/install.cfg" "$WORK/out" --setup-exe "$setup" >/dev/null 2>"$WORK/stderr" || rc=$?
check "a foreign file in OUTDIR: exit status 1" test "$rc" = 1
check "a foreign file in OUTDIR: named in the message" grep -q '"notes.txt", which zelpack make did not write' "$WORK/stderr"
check "a foreign file in OUTDIR: kept, alone" test "$(ls -A "$WORK/out")" = notes.txt
rm -rf "$WORK/out"
printf 'a file\n' >"$WORK/out"
rc=0; "$ZELPACK" make "$area/product/install.cfg" "$WORK/out" --setup-exe "$setup" >/dev/null 2>"$WORK/stderr" || rc=$?
check "OUTDIR that is a file: exit status 1, the file kept" test "$rc" = 1 -a "$(cat "$WORK/out")" = "a file"
rm -f "$WORK/out"

# A good make, and again over its own output: only OUTDIR changes.
for run in first second; do
  rc=0; "$ZELPACK" make "$area/product/install.cfg" "$WORK/out" --setup-exe "$setup" >/dev/null 2>&1 || rc=$?
  check "good script, $run run: exit status 0" test "$rc" = 0
  check "good script, $run run: everything beside OUTDIR as it was" \
    test "$(snapshot | grep -v '^[^ ]* *\./out\(/\|$\)' | grep -v '^\./out\(/\|$\)')" = "$before"
done
rm -rf "$WORK/out"

# --from: the script kept elsewhere, under another name; disk 1 gets it as install.cfg.
mkdir -p "$WORK/scripts"
cp "$area/product/install.cfg" "$WORK/scripts/product-setup.cfg"
mv "$area/product/install.cfg" "$area/install.cfg.away"
rc=0; "$ZELPACK" make "$WORK/scripts/product-setup.cfg" "$WORK/from" --from "$area/product" --setup-exe "$setup" \
  >/dev/null 2>"$WORK/stderr" || rc=$?
check "--from: exit status 0" test "$rc" = 0
check "--from: disk 1 carries the script as install.cfg" cmp -s "$WORK/from/disk1/install.cfg" "$WORK/scripts/product-setup.cfg"
check "--from: the set verifies" quiet "$ZELPACK" test "$WORK/from"
"$ZELPACK" extract "$WORK/from" "$WORK/from-x" >/dev/null 2>&1
check "--from: the set's template is the product folder's name" test -d "$WORK/from-x/product"
check "--from: readme expands byte-identical" cmp -s "$WORK/from-x/product/docs/readme.txt" "$area/product/docs/readme.txt"
check "--from: nothing written into the product folder" test ! -e "$area/product/install.cfg"
rc=0; "$ZELPACK" make "$WORK/scripts/product-setup.cfg" "$WORK/from2" --setup-exe "$setup" >/dev/null 2>"$WORK/stderr" || rc=$?
check "without --from the script's own folder is the product: its files are missing (exit status 1)" test "$rc" = 1
check "  ... with the line" grep -q '^product-setup.cfg:8: error: "prog.exe" is not in the product folder' \
  <(sed "s|^$WORK/scripts/||" "$WORK/stderr")
mv "$area/install.cfg.away" "$area/product/install.cfg"
finish
